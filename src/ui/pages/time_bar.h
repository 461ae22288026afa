#pragma once

#include <QWidget>

namespace quillmark {

struct TimeBarState;

// A row of twelve one-hour slots from the bar's first hour, with the selected times shaded.
class TimeBar : public QWidget {
public:
    TimeBar(const TimeBarState& state, QWidget* parent);
    QSize sizeHint() const override { return {480, 48}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TimeBarState& state_;
};

}  // namespace quillmark
