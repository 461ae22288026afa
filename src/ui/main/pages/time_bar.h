#pragma once

#include "forms/main/pages/time_bar_state.h"

#include <QWidget>

#include <functional>

namespace quillmark {

// A row of twelve one-hour slots from the bar's first hour, with the selected times shaded.
// Dragging selects hours on the form's bar; letting go is reported with the button. The keys
// are the form's too; screen readers are shown the hours as a list (time_bar_accessible.cpp).
class TimeBar : public QWidget {
public:
    TimeBar(TimeBarState& state, std::function<void(MouseButton)> released,
            std::function<bool(TimeBarKey, bool shift)> keyed, QWidget* parent);
    QSize sizeHint() const override { return {480, 48}; }

    const TimeBarState& State() const { return state_; }
    QRect CellRect(int cell) const;  // in the bar's own coordinates
    // A screen reader's "press" on an hour: as if the keys had gone there and pressed Space.
    void AddCell(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect Bar() const;  // the slots, below their hour labels
    int BarX(const QMouseEvent* event) const;
    void AnnounceFocusCell();

    TimeBarState& state_;
    std::function<void(MouseButton)> released_;
    std::function<bool(TimeBarKey, bool)> keyed_;
};

}  // namespace quillmark
