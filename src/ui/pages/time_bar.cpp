#include "ui/pages/time_bar.h"

#include "search/schedule_page.h"

#include <QPainter>

namespace quillmark {

namespace {

constexpr int HoursShown = 12;

// "0930", "09:30" or "9:30" as minutes after midnight; -1 when it is none of these.
int Minutes(const std::string& text)
{
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
        }
    }
    if (digits.size() < 3 || digits.size() > 4) {
        return -1;
    }
    const int value = std::stoi(digits);
    return (value / 100) * 60 + value % 100;
}

}  // namespace

TimeBar::TimeBar(const TimeBarState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setMinimumHeight(40);
}

void TimeBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect bar = rect().adjusted(0, fontMetrics().height() + 4, -1, -1);
    const double slotWidth = bar.width() / static_cast<double>(HoursShown);
    const int first = state_.StartHour;
    painter.fillRect(bar, palette().base());

    // Selected ranges, clipped to the hours on the bar.
    const QColor selection = isEnabled() ? palette().highlight().color() : palette().mid().color();
    for (std::size_t i = 0; i < state_.SelectedStart.size() && i < state_.SelectedEnd.size(); ++i) {
        const int start = Minutes(state_.SelectedStart[i]);
        int end = Minutes(state_.SelectedEnd[i]);
        if (start < 0 || end < 0) {
            continue;
        }
        if (end <= start) {
            end += 24 * 60;  // a slot running past midnight
        }
        const double left = (start - first * 60) / 60.0 * slotWidth;
        const double right = (end - first * 60) / 60.0 * slotWidth;
        const QRectF shaded(bar.left() + std::max(left, 0.0), bar.top(),
                            std::min(right, static_cast<double>(bar.width())) - std::max(left, 0.0),
                            bar.height());
        if (shaded.width() > 0) {
            painter.fillRect(shaded, selection);
        }
    }

    painter.setPen(palette().mid().color());
    painter.drawRect(bar);
    painter.setPen(palette().text().color());
    for (int slot = 0; slot < HoursShown; ++slot) {
        const int x = bar.left() + static_cast<int>(slot * slotWidth);
        painter.setPen(palette().mid().color());
        painter.drawLine(x, bar.top(), x, bar.bottom());
        painter.setPen(palette().text().color());
        const int hour = (first + slot) % 24;
        painter.drawText(QRect(x, 0, static_cast<int>(slotWidth), bar.top()), Qt::AlignCenter,
                         QString("%1:00").arg(hour, 2, 10, QChar('0')));
    }
}

}  // namespace quillmark
