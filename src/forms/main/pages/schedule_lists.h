#pragma once

#include "core/weekly_schedule.h"

#include <string>
#include <vector>

namespace quillmark {

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
