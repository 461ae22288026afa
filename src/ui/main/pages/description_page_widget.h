#pragma once

#include "core/item_record.h"
#include "ui/main/pages/page_widget.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quillmark {

class DescriptionPageWidget : public PageWidget {
public:
    DescriptionPageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

protected:
    // Clicks on the captions rename fields; clicks on the boxes pick values and dates.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PopUpDescriptionMenu(int field);

    std::array<QLabel*, 10> descCaptions_{};
    std::array<QLineEdit*, 10> descBoxes_{};
    std::array<QLabel*, 10> detailCaptions_{};
    std::array<QLineEdit*, 10> details_{};
    std::array<QLabel*, OtherFieldCount> otherCaptions_{};
    std::array<QLineEdit*, OtherFieldCount> others_{};
    QLabel* statusCaption_ = nullptr;
    std::array<QCheckBox*, 3> statusBoxes_{};
};

}  // namespace quillmark
