#include "forms/main/pages/schedule_page.h"

#include <algorithm>

namespace quillmark {

namespace {

constexpr const char* DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* DayButtonNames[7] = {"DaySun",   "DayMon", "DayTues", "DayWed",
                                           "DayThurs", "DayFri", "DaySat"};
constexpr const char* StartListNames[7] = {"SunStart", "MonStart", "TueStart", "WedStart",
                                           "ThuStart", "FriStart", "SatStart"};
constexpr const char* EndListNames[7] = {"SunEnd", "MonEnd", "TueEnd", "WedEnd",
                                         "ThuEnd", "FriEnd", "SatEnd"};

std::string WithoutColons(std::string text)
{
    std::erase(text, ':');
    return text;
}

}  // namespace

SchedulePage::SchedulePage()
{
    for (int day = 1; day <= 7; ++day) {
        DayButtons[day].caption = DayNames[day - 1];
    }
}

const char* SchedulePage::DayButtonName(int day)
{
    return DayButtonNames[day - 1];
}

const char* SchedulePage::DayName(int day)
{
    return DayNames[day - 1];
}

const char* SchedulePage::StartListName(int day)
{
    return StartListNames[day - 1];
}

const char* SchedulePage::EndListName(int day)
{
    return EndListNames[day - 1];
}

int SchedulePage::SelectedDay() const
{
    for (int day = 1; day <= 7; ++day) {
        if (DayButtons[day].checked) {
            return day;
        }
    }
    return 0;
}

void SchedulePage::DayClick(int day)
{
    for (int other = 1; other <= 7; ++other) {
        DayButtons[other].checked = other == day;
    }
    ShowDay(day);
}

void SchedulePage::TimeBar1MouseUp(MouseButton button)
{
    const std::vector<std::string>& starts = TimeBar1.SelectedStart;
    const std::vector<std::string>& ends = TimeBar1.SelectedEnd;
    if (!TimeBar1.enabled || starts.empty() || ends.empty() ||
        starts.front().find(':') == std::string::npos ||
        ends.front().find(':') == std::string::npos) {
        return;
    }
    const int day = SelectedDay();
    if (button == MouseButton::Right) {
        TimeBar1.SelectedStart.clear();
        TimeBar1.SelectedEnd.clear();
        if (day != 0) {
            Days[day].Start.clear();
            Days[day].End.clear();
        }
        return;
    }
    if (day != 0) {
        Days[day].Start.push_back(starts.front());
        Days[day].End.push_back(ends.front());
        ShowDay(day);
    }
}

bool SchedulePage::TimeBar1KeyDown(TimeBarKey key, bool shift)
{
    TimeBarState& bar = TimeBar1;
    constexpr int LastCell = TimeBarState::HoursShown - 1;
    switch (key) {
    case TimeBarKey::Left:
    case TimeBarKey::Right:
    case TimeBarKey::Home:
    case TimeBarKey::End: {
        int cell = key == TimeBarKey::Left    ? bar.FocusCell - 1
                   : key == TimeBarKey::Right ? bar.FocusCell + 1
                   : key == TimeBarKey::Home  ? 0
                                              : LastCell;
        if (shift && bar.enabled) {
            // A range grows from the hour it started on and stays on the hours shown.
            cell = std::clamp(cell, 0, LastCell);
            if (!bar.Dragging()) {
                bar.PressCell(bar.FocusCell, false);
            }
            bar.FocusCell = cell;
            bar.DragToCell(cell);
            return true;
        }
        if (bar.Dragging()) {
            TimeBar1KeyDown(TimeBarKey::Cancel, false);
        }
        if (cell < 0) {
            Button2Click();
        } else if (cell > LastCell) {
            Button3Click();
        }
        bar.FocusCell = std::clamp(cell, 0, LastCell);
        return true;
    }
    case TimeBarKey::Add:
    case TimeBarKey::Empty:
        if (!bar.Dragging()) {
            bar.PressCell(bar.FocusCell, false);
        }
        bar.ReleaseAtCell(bar.FocusCell);
        TimeBar1MouseUp(key == TimeBarKey::Add ? MouseButton::Left : MouseButton::Right);
        return true;
    case TimeBarKey::Cancel:
        if (!bar.Dragging()) {
            return false;  // Escape is the window's then
        }
        bar.ReleaseAtCell(bar.FocusCell);
        if (const int day = SelectedDay(); day != 0) {
            ShowDay(day);
        } else {
            bar.SelectedStart.clear();
            bar.SelectedEnd.clear();
        }
        return true;
    }
    return false;
}

std::string SchedulePage::TimeBarDescription() const
{
    const int day = SelectedDay();
    std::string text;
    if (day == 0) {
        text = "No day chosen.";
    } else {
        const ScheduleDayLists& lists = Days[day];
        text = std::string(DayNames[day - 1]) + ": ";
        if (lists.Start.empty()) {
            text += "no times";
        }
        for (std::size_t slot = 0; slot < lists.Start.size(); ++slot) {
            text += (slot == 0 ? "" : ", ") + lists.Start[slot] + " to " +
                    (slot < lists.End.size() ? lists.End[slot] : std::string("?"));
        }
        text += ".";
    }
    return text +
           " Left and Right go from hour to hour, with Shift they choose a range; Space adds the"
           " hours to the day, Delete empties the day.";
}

void SchedulePage::ShowDay(int day)
{
    Day.caption = DayNames[day - 1];
    TimeBar1.SelectedStart.clear();
    TimeBar1.SelectedEnd.clear();
    // Loaded slots lose their colons, which tells them apart from a selection just made.
    for (const std::string& start : Days[day].Start) {
        TimeBar1.SelectedStart.push_back(WithoutColons(start));
    }
    for (const std::string& end : Days[day].End) {
        TimeBar1.SelectedEnd.push_back(WithoutColons(end));
    }
}

void SchedulePage::Load(const ItemRecord& record)
{
    TimeBar1.SelectedStart.clear();
    TimeBar1.SelectedEnd.clear();
    for (int day = 1; day <= 7; ++day) {
        Days[day] = LoadScheduleDay(record.Schedule, day);
    }
    if (const int day = SelectedDay(); day != 0) {
        ShowDay(day);
    }
}

void SchedulePage::Store(ItemRecord& record) const
{
    for (int day = 1; day <= 7; ++day) {
        StoreScheduleDay(record.Schedule, day, Days[day]);
    }
}

void SchedulePage::SetReadOnly(bool readOnly)
{
    TimeBar1.enabled = !readOnly;
}

}  // namespace quillmark
