#pragma once

#include "core/weekly_schedule.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// A time of day (fraction of a day) as the schedule lists show it: "09:00".
std::string TimeOfDayText(double time);

// "9:00", "09:00" or "09:00:00" as a fraction of a day; nothing for anything else.
std::optional<double> ReadTimeOfDay(std::string_view text);

// One day's slots as the schedule page lists them: start times and end times, line by line.
struct ScheduleDayLists {
    std::vector<std::string> Start;
    std::vector<std::string> End;
};

// The filled slots of the day (start above 0), packed, in slot order.
ScheduleDayLists LoadScheduleDay(const WeeklySchedule& schedule, int day);

// Stores the first ten lines into slots 1..10 and empties the rest. A start line that does not
// read as a time leaves its slot as it was; an end line that does not (or is missing) keeps the
// slot's old end.
void StoreScheduleDay(WeeklySchedule& schedule, int day, const ScheduleDayLists& lists);

}  // namespace quillmark
