#include "forms/main/pages/schedule_lists.h"

#include "core/whole_number.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quillmark {

namespace {

constexpr int MinutesPerDay = 24 * 60;

std::optional<int> ReadDigits(std::string_view text, std::size_t minLength, std::size_t maxLength)
{
    if (text.size() < minLength || text.size() > maxLength) {
        return std::nullopt;
    }
    return ReadWholeNumber(text);
}

}  // namespace

std::string TimeOfDayText(double time)
{
    double dayFraction = time - std::floor(time);
    if (!std::isfinite(dayFraction)) {
        dayFraction = 0;
    }
    // Half a millisecond up, so that 9/24 stored as 0.37499999.. still reads 09:00.
    const auto minutes =
        static_cast<int>(std::floor(dayFraction * MinutesPerDay + 0.5 / 60000)) % MinutesPerDay;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

std::optional<double> ReadTimeOfDay(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = text.substr(colon + 1);
    std::optional<int> seconds = 0;
    if (const std::size_t second = rest.find(':'); second != std::string_view::npos) {
        seconds = ReadDigits(rest.substr(second + 1), 2, 2);
        rest = rest.substr(0, second);
    }
    const std::optional<int> hours = ReadDigits(text.substr(0, colon), 1, 2);
    const std::optional<int> minutes = ReadDigits(rest, 2, 2);
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59) {
        return std::nullopt;
    }
    return (*hours * 3600 + *minutes * 60 + *seconds) / 86400.0;
}

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
