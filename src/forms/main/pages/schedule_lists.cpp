#include "forms/main/pages/schedule_lists.h"

#include "engine/time_of_day.h"

#include <algorithm>

namespace quillmark {

ScheduleDayLists LoadScheduleDay(const WeeklySchedule& schedule, int day)
{
    ScheduleDayLists lists;
    for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot) {
        if (schedule.ScheduleStart(day, slot) > 0) {
            lists.Start.push_back(TimeOfDayText(schedule.ScheduleStart(day, slot)));
            lists.End.push_back(TimeOfDayText(schedule.ScheduleEnd(day, slot)));
        }
    }
    return lists;
}

void StoreScheduleDay(WeeklySchedule& schedule, int day, const ScheduleDayLists& lists)
{
    const int stored =
        static_cast<int>(std::min<std::size_t>(lists.Start.size(), WeeklySchedule::Slots));
    for (int slot = 1; slot <= stored; ++slot) {
        const std::size_t line = static_cast<std::size_t>(slot - 1);
        const std::optional<double> start = ReadTimeOfDay(lists.Start[line]);
        if (!start) {
            continue;
        }
        schedule.SetScheduleStart(day, slot, *start);
        const std::optional<double> end =
            line < lists.End.size() ? ReadTimeOfDay(lists.End[line]) : std::nullopt;
        if (end) {
            schedule.SetScheduleEnd(day, slot, *end);
        }
    }
    for (int slot = stored + 1; slot <= WeeklySchedule::Slots; ++slot) {
        schedule.SetBits(day, slot, 0, 0);
    }
}

}  // namespace quillmark
