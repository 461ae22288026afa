#pragma once

#include <QDate>
#include <QDialog>
#include <QPoint>

#include <optional>

class QCalendarWidget;

namespace quillmark {

struct CalendarPick {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The calendar: a month to pick a day from, with OK and Cancel. A double-click or Enter on a
// day picks it, as OK does.
class CalendarWindow : public QDialog {
    Q_OBJECT

public:
    explicit CalendarWindow(QWidget* parent = nullptr);

    void SetDate(const QDate& date);
    CalendarPick Date() const;
    // Puts the window's top-left corner at the screen position, moved in just enough to keep
    // the whole window on that screen.
    void PlaceAt(QPoint screenPosition);

private:
    QCalendarWidget* calendar_ = nullptr;
};

// Opens the calendar modally at the screen position; the day picked, or nothing when the user
// cancels.
std::optional<CalendarPick> ShowCalendarAt(QWidget* parent, QPoint screenPosition,
                                           QDate initial = QDate::currentDate());

}  // namespace quillmark
