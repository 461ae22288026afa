#pragma once

#include "ui/main/pages/page_widget.h"

#include <array>
#include <utility>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quillmark {

class TimeBar;

// The weekly schedule: a day's slots on the time bar and every day's start and end times.
class SchedulePageWidget : public PageWidget {
public:
    SchedulePageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

private:
    std::array<QRadioButton*, 7> dayButtons_{};
    QLabel* dayLabel_ = nullptr;
    TimeBar* timeBar_ = nullptr;
    QPushButton* earlier_ = nullptr;
    QPushButton* later_ = nullptr;
    std::array<QPlainTextEdit*, 7> startLists_{};
    std::array<QPlainTextEdit*, 7> endLists_{};
    std::vector<std::pair<QLabel*, QLabel*>> headings_;  // "Start" and "End" of each day
};

}  // namespace quillmark
