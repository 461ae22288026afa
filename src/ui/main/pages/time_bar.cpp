#include "ui/main/pages/time_bar.h"

#include "engine/time_of_day.h"
#include "ui/main/pages/time_bar_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quillmark {

namespace {

MouseButton ButtonOf(const QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

}  // namespace

TimeBar::TimeBar(TimeBarState& state, std::function<void(MouseButton)> released,
                 std::function<bool(TimeBarKey, bool)> keyed, QWidget* parent)
    : QWidget(parent), state_(state), released_(std::move(released)), keyed_(std::move(keyed))
{
    InstallTimeBarAccessibility();
    setMinimumHeight(40);
    setFocusPolicy(Qt::StrongFocus);
}

QRect TimeBar::CellRect(int cell) const
{
    const QRect bar = Bar();
    const double slotWidth = bar.width() / static_cast<double>(TimeBarState::HoursShown);
    const int left = bar.left() + static_cast<int>(cell * slotWidth);
    const int right = bar.left() + static_cast<int>((cell + 1) * slotWidth);
    return {left, bar.top(), right - left, bar.height()};
}

void TimeBar::AddCell(int cell)
{
    if (cell >= 0 && cell < TimeBarState::HoursShown && isEnabled()) {
        state_.FocusCell = cell;
        keyed_(TimeBarKey::Add, false);
        update();
    }
}

void TimeBar::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    TimeBarKey key;
    switch (event->key()) {
    case Qt::Key_Left:
        key = TimeBarKey::Left;
        break;
    case Qt::Key_Right:
        key = TimeBarKey::Right;
        break;
    case Qt::Key_Home:
        key = TimeBarKey::Home;
        break;
    case Qt::Key_End:
        key = TimeBarKey::End;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = TimeBarKey::Add;
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        key = TimeBarKey::Empty;
        break;
    case Qt::Key_Escape:
        key = TimeBarKey::Cancel;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (!keyed_(key, shift)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    update();
    AnnounceFocusCell();
}

void TimeBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    AnnounceFocusCell();
}

void TimeBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// Tells a screen reader which hour the keys are on, and that what is chosen may have changed.
void TimeBar::AnnounceFocusCell()
{
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent selection(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&selection);
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(state_.FocusCell);
    QAccessible::updateAccessibility(&focus);
}

QRect TimeBar::Bar() const
{
    return rect().adjusted(0, fontMetrics().height() + 4, -1, -1);
}

int TimeBar::BarX(const QMouseEvent* event) const
{
    return static_cast<int>(event->position().x()) - Bar().left();
}

void TimeBar::mousePressEvent(QMouseEvent* event)
{
    // Only the first button of a drag starts a selection.
    if (event->buttons() == event->button()) {
        state_.MousePress(BarX(event), Bar().width(),
                          event->modifiers().testFlag(Qt::ControlModifier));
        update();
    }
    event->accept();
}

void TimeBar::mouseMoveEvent(QMouseEvent* event)
{
    if (state_.Dragging()) {
        state_.MouseMove(BarX(event), Bar().width());
        update();
    }
    event->accept();
}

void TimeBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (state_.Dragging() && event->buttons() == Qt::NoButton) {
        state_.MouseRelease(BarX(event), Bar().width());
        update();
        released_(ButtonOf(event));
    }
    event->accept();
}

void TimeBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect bar = Bar();
    const double slotWidth = bar.width() / static_cast<double>(TimeBarState::HoursShown);
    const int first = state_.FirstHour() * 60;
    painter.fillRect(bar, palette().base());

    // Selected ranges, clipped to the hours on the bar, which may run on past midnight.
    const QColor selection = isEnabled() ? palette().highlight().color() : palette().mid().color();
    for (const auto [start, end] : state_.SelectedMinutes()) {
        const int from = (start - first + MinutesPerDay) % MinutesPerDay;
        int length = (end - start + MinutesPerDay) % MinutesPerDay;
        if (length == 0) {
            length = MinutesPerDay;
        }
        // A range that began before the bar's first hour shows its tail from the left edge.
        for (const int offset : {from, from - MinutesPerDay}) {
            const double left = std::max(offset, 0) / 60.0 * slotWidth;
            const double right =
                std::min((offset + length) / 60.0 * slotWidth, static_cast<double>(bar.width()));
            if (right > left) {
                painter.fillRect(QRectF(bar.left() + left, bar.top(), right - left, bar.height()),
                                 selection);
            }
        }
    }

    painter.setPen(palette().mid().color());
    painter.drawRect(bar);
    for (int slot = 0; slot < TimeBarState::HoursShown; ++slot) {
        const int x = bar.left() + static_cast<int>(slot * slotWidth);
        painter.setPen(palette().mid().color());
        painter.drawLine(x, bar.top(), x, bar.bottom());
        painter.setPen(palette().text().color());
        painter.drawText(QRect(x, 0, static_cast<int>(slotWidth), bar.top()), Qt::AlignCenter,
                         QStringLiteral("%1:00").arg(state_.HourOfCell(slot), 2, 10, QChar(u'0')));
    }

    // The hour the keys are on, plain on the shading as on the white.
    if (hasFocus()) {
        painter.setPen(QPen(palette().windowText().color(), 2, Qt::DashLine));
        painter.drawRect(CellRect(state_.FocusCell).adjusted(3, 3, -3, -3));
    }
}

}  // namespace quillmark
