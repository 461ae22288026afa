#include "engine/time_of_day.h"

#include <cmath>
#include <cstdio>

namespace quillmark {

namespace {

// One to `maxLength` decimal digits, nothing else.
std::optional<int> ReadDigits(std::string_view text, std::size_t minLength, std::size_t maxLength)
{
    if (text.size() < minLength || text.size() > maxLength) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
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
    std::string_view hourText;
    std::string_view minuteText;
    std::string_view secondText = "00";
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        hourText = text.substr(0, colon);
        minuteText = text.substr(colon + 1);
        if (const std::size_t second = minuteText.find(':'); second != std::string_view::npos) {
            secondText = minuteText.substr(second + 1);
            minuteText = minuteText.substr(0, second);
        }
    } else if (text.size() >= 3) {
        hourText = text.substr(0, text.size() - 2);
        minuteText = text.substr(text.size() - 2);
    }
    const std::optional<int> hours = ReadDigits(hourText, 1, 2);
    const std::optional<int> minutes = ReadDigits(minuteText, 2, 2);
    const std::optional<int> seconds = ReadDigits(secondText, 2, 2);
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59) {
        return std::nullopt;
    }
    return (*hours * 3600 + *minutes * 60 + *seconds) / 86400.0;
}

}  // namespace quillmark
