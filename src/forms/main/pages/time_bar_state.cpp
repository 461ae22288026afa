#include "forms/main/pages/time_bar_state.h"

#include "engine/time_of_day.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillmark {

namespace {

// "09:00", as the schedule lists write times.
std::string HourText(int hour, int minute)
{
    return TimeOfDayText((hour * 60 + minute) / static_cast<double>(MinutesPerDay));
}

}  // namespace

std::vector<TimeBarState::MinuteRange> TimeBarState::SelectedMinutes() const
{
    std::vector<MinuteRange> ranges;
    for (std::size_t i = 0; i < SelectedStart.size() && i < SelectedEnd.size(); ++i) {
        const std::optional<double> start = ReadTimeOfDay(SelectedStart[i]);
        const std::optional<double> end = ReadTimeOfDay(SelectedEnd[i]);
        if (start && end) {
            ranges.push_back({static_cast<int>(std::lround(*start * MinutesPerDay)),
                              static_cast<int>(std::lround(*end * MinutesPerDay))});
        }
    }
    return ranges;
}

int TimeBarState::CellAt(int x, int width)
{
    if (width <= 0) {
        return 0;
    }
    const long long cell = static_cast<long long>(x) * HoursShown / width;
    return static_cast<int>(std::clamp<long long>(cell, 0, HoursShown - 1));
}

void TimeBarState::PressCell(int cell, bool ctrl)
{
    if (!enabled) {
        return;
    }
    if (!ctrl) {
        SelectedStart.clear();
        SelectedEnd.clear();
    }
    // A loaded day may have more starts than ends; the new selection goes after both.
    const std::size_t at = std::max(SelectedStart.size(), SelectedEnd.size());
    SelectedStart.resize(at + 1);
    SelectedEnd.resize(at + 1);
    dragged_ = at;
    anchorCell_ = std::clamp(cell, 0, HoursShown - 1);
    FocusCell = anchorCell_;  // the keys go on from where the mouse was
    SelectTo(cell);
}

void TimeBarState::DragToCell(int cell)
{
    if (Dragging()) {
        SelectTo(cell);
    }
}

void TimeBarState::ReleaseAtCell(int cell)
{
    if (Dragging()) {
        SelectTo(cell);
        anchorCell_ = -1;
    }
}

void TimeBarState::SelectTo(int cell)
{
    cell = std::clamp(cell, 0, HoursShown - 1);
    const int startHour = HourOfCell(std::min(anchorCell_, cell));
    const int endHour = (HourOfCell(std::max(anchorCell_, cell)) + 1) % 24;
    if (dragged_ < SelectedStart.size() && dragged_ < SelectedEnd.size()) {
        SelectedStart[dragged_] = startHour == 0 ? HourText(0, 1) : HourText(startHour, 0);
        SelectedEnd[dragged_] = endHour == 0 ? HourText(23, 59) : HourText(endHour, 0);
    }
}

std::string TimeBarState::CellName(int cell) const
{
    const int hour = HourOfCell(cell);
    return HourText(hour, 0) + " to " + HourText((hour + 1) % 24, 0);
}

bool TimeBarState::CellSelected(int cell) const
{
    // The cell's hour in minutes from the bar's first hour, as the bar draws the selections.
    const int first = FirstHour() * 60;
    const int from = cell * 60;
    const int to = from + 60;
    for (const auto [start, end] : SelectedMinutes()) {
        const int offset = (start - first + MinutesPerDay) % MinutesPerDay;
        int length = (end - start + MinutesPerDay) % MinutesPerDay;
        if (length == 0) {
            length = MinutesPerDay;
        }
        // A range that began before the bar's first hour also covers the bar from its left edge.
        for (const int begin : {offset, offset - MinutesPerDay}) {
            if (begin < to && begin + length > from) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace quillmark
