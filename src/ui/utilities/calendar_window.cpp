#include "ui/utilities/calendar_window.h"

#include "ui/text.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace quillmark {

CalendarWindow::CalendarWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("CalendarWindow");
    setWindowTitle(ToQt("Calendar"));

    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName("Calendar");
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);
    // Qt's calendar leaves its arrows and its days unnamed for screen readers.
    const std::pair<const char*, const char*> parts[] = {
        {"qt_calendar_prevmonth", "Previous Month"},
        {"qt_calendar_nextmonth", "Next Month"},
        {"qt_calendar_calendarview", "Days"}};
    for (const auto& [part, name] : parts) {
        if (auto* widget = calendar_->findChild<QWidget*>(QLatin1StringView(part))) {
            widget->setAccessibleName(ToQt(name));
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calendar_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    calendar_->setFocus();
}

void CalendarWindow::SetDate(const QDate& date)
{
    calendar_->setSelectedDate(date.isValid() ? date : QDate::currentDate());
}

CalendarPick CalendarWindow::Date() const
{
    const QDate date = calendar_->selectedDate();
    return {date.year(), date.month(), date.day()};
}

void CalendarWindow::PlaceAt(QPoint screenPosition)
{
    adjustSize();
    QScreen* screen = QGuiApplication::screenAt(screenPosition);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    QPoint position = screenPosition;
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        const QSize size = frameGeometry().size();
        position.setX(std::clamp(position.x(), available.left(),
                                 std::max(available.left(), available.right() - size.width())));
        position.setY(std::clamp(position.y(), available.top(),
                                 std::max(available.top(), available.bottom() - size.height())));
    }
    move(position);
}

std::optional<CalendarPick> ShowCalendarAt(QWidget* parent, QPoint screenPosition, QDate initial)
{
    CalendarWindow calendar(parent);
    calendar.SetDate(initial);
    calendar.PlaceAt(screenPosition);
    if (calendar.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return calendar.Date();
}

}  // namespace quillmark
