#pragma once

#include "forms/search/select_range_form.h"

namespace quillmark {

// The "Select Schedule" dialog: a time or an interval of the day, each with its weekday.
class TSelectScheduleForm : public TSelectRangeForm {
public:
    // Empty texts take the dialog's defaults: from 00:00 to 24:00 on any day.
    TSelectScheduleForm(Dialogs& dialogs, const std::string& from, const std::string& to,
                        const std::string& dayName);

    ChoiceControl Day1;  // beside the specific time, "Any Day" first
    LabelControl OnLabel{"On:"};
    ChoiceControl Day2;  // under the interval: the seven weekdays

    std::string DayName;  // handed back with the times

private:
    void Accept(bool specific) override;
};

}  // namespace quillmark
