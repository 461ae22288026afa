#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

inline constexpr int MinutesPerDay = 24 * 60;

// A time of day (the fraction of a day a schedule keeps) as the schedule lists show it: "09:00".
std::string TimeOfDayText(double time);

// A time of day as the schedule lists and the time bar spell it, as a fraction of a day:
// "9:30", "09:30" and "09:30:15" as the lists hold them, "930" and "0930" as the time bar
// shows a slot loaded from the lists (its colon taken out). Hours 0 to 23, minutes and seconds
// 0 to 59, digits only; nothing for anything else, blanks and signs included.
std::optional<double> ReadTimeOfDay(std::string_view text);

}  // namespace quillmark
