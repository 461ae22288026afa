#pragma once

#include "core/item_record.h"
#include "ui/main/pages/page_widget.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quillmark {

// The pay for one period and what it comes to in every other period.
class SalaryPageWidget : public PageWidget {
public:
    SalaryPageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

private:
    QLineEdit* hours_ = nullptr;
    QLabel* salaryLabel_ = nullptr;
    QLineEdit* salary_ = nullptr;
    QComboBox* workDays_ = nullptr;
    std::array<QRadioButton*, PayPeriodCount> periods_{};
    std::array<QLabel*, PayPeriodCount> amounts_{};
    QLabel* hoursPerDay_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace quillmark
