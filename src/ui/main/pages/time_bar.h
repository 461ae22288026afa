#pragma once

#include "forms/main/pages/time_bar_state.h"

#include <QWidget>

#include <functional>

namespace quillmark {

// A row of twelve one-hour slots from the bar's first hour, with the selected times shaded.
// Dragging selects hours on the form's bar; letting go is reported with the button.
class TimeBar : public QWidget {
public:
    TimeBar(TimeBarState& state, std::function<void(MouseButton)> released, QWidget* parent);
    QSize sizeHint() const override { return {480, 48}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect Bar() const;  // the slots, below their hour labels
    int BarX(const QMouseEvent* event) const;

    TimeBarState& state_;
    std::function<void(MouseButton)> released_;
};

}  // namespace quillmark
