#include "engine/time_of_day.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillmark {
namespace {

TEST(TimeOfDayTest, ReadsTheListsAndTheTimeBarsSpellingsAndNothingElse)
{
    const struct {
        const char* text;
        int seconds;  // after midnight; -1 when the text is no time
    } cases[] = {
        {"09:30", 34200}, {"9:30", 34200},     {"0930", 34200}, {"930", 34200}, {"00:00", 0},
        {"23:59", 86340}, {"23:59:59", 86399}, {"2359", 86340}, {"24:00", -1},  {"9:60", -1},
        {"09:30:60", -1}, {"9:5", -1},         {"123:00", -1},  {"-1:30", -1},  {"+9:30", -1},
        {" 9:30", -1},    {"09:30 ", -1},      {"93", -1},      {"09300", -1},  {"", -1},
        {"ab:cd", -1},    {"09:30:", -1},      {":30", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> time = ReadTimeOfDay(c.text);
        EXPECT_EQ(time ? std::lround(*time * 86400) : -1, c.seconds);
    }
}

TEST(TimeOfDayTest, WritesHoursAndMinutesOfTheDayFraction)
{
    EXPECT_EQ(TimeOfDayText(9.0 / 24), "09:00");
    EXPECT_EQ(TimeOfDayText(9.0 / 24 - 1e-12), "09:00") << "a stored value just under the hour";
    EXPECT_EQ(TimeOfDayText(45000.75), "18:00") << "the date part is ignored";
    EXPECT_EQ(TimeOfDayText(NAN), "00:00");
    EXPECT_EQ(TimeOfDayText(*ReadTimeOfDay("0930")), "09:30");
}

}  // namespace
}  // namespace quillmark
