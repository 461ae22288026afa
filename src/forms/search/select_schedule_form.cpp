#include "forms/search/select_schedule_form.h"

namespace quillmark {

namespace {

constexpr const char* TimeMask = "!90:00;1;_";
constexpr const char* AnyDay = "Any Day";

std::string OrDefault(const std::string& text, const char* fallback)
{
    return text.empty() ? fallback : text;
}

}  // namespace

TSelectScheduleForm::TSelectScheduleForm(Dialogs& dialogs, const std::string& from,
                                         const std::string& to, const std::string& dayName)
    : TSelectRangeForm(dialogs, "Select Schedule")
{
    for (EditControl* box : {&RecordValue, &LowValue, &HighValue}) {
        box->mask = TimeMask;
    }
    RecordValue.text = OrDefault(from, "00:00");
    LowValue.text = OrDefault(from, "00:00");
    HighValue.text = OrDefault(to, "24:00");
    const std::vector<std::string> weekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
    Day1.items = {AnyDay};
    Day1.items.insert(Day1.items.end(), weekdays.begin(), weekdays.end());
    Day2.items = weekdays;
    Day1.text = Day2.text = OrDefault(dayName, AnyDay);
}

void TSelectScheduleForm::Accept(bool specific)
{
    DayName = specific ? Day1.text : Day2.text;
    ValueText = (specific ? FromValue : FromValue + " < " + ToValue) + " on " + DayName;
    Accepted = true;
    Closed = true;
}

}  // namespace quillmark
