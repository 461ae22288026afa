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

void TimeBarState::MousePress(int x, int width, bool ctrl)
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
    anchorCell_ = CellAt(x, width);
    SelectTo(x, width);
}

void TimeBarState::MouseMove(int x, int width)
{
    if (Dragging()) {
        SelectTo(x, width);
    }
}

void TimeBarState::MouseRelease(int x, int width)
{
    if (Dragging()) {
        SelectTo(x, width);
        anchorCell_ = -1;
    }
}

void TimeBarState::SelectTo(int x, int width)
{
    const int cell = CellAt(x, width);
    const int startHour = HourOfCell(std::min(anchorCell_, cell));
    const int endHour = (HourOfCell(std::max(anchorCell_, cell)) + 1) % 24;
    if (dragged_ < SelectedStart.size() && dragged_ < SelectedEnd.size()) {
        SelectedStart[dragged_] = startHour == 0 ? HourText(0, 1) : HourText(startHour, 0);
        SelectedEnd[dragged_] = endHour == 0 ? HourText(23, 59) : HourText(endHour, 0);
    }
}

}  // namespace quillmark
