#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"
#include "forms/controls.h"
#include "forms/main/pages/schedule_lists.h"
#include "forms/main/pages/time_bar_state.h"

#include <string>
#include <vector>

namespace quillmark {

// The "Schedule" page: a day's slots on the time bar and every day's start and end lists.
struct SchedulePage {
    SchedulePage();

    OneBasedArray<CheckControl, 7> DayButtons;  // DaySun .. DaySat, none checked at first
    LabelControl Day{"Day"};
    TimeBarState TimeBar1;
    LabelControl TimeBarName{"Hours"};  // what a screen reader calls the bar
    // The arrows beside the time bar, which show its hours from one earlier or one later.
    ButtonControl Button2{"<", "", true, "One hour earlier"};
    ButtonControl Button3{">", "", true, "One hour later"};
    OneBasedArray<ScheduleDayLists, 7> Days;  // SunStart/SunEnd .. SatStart/SatEnd
    LabelControl StartHeading{"Start"};       // over each day's start list
    LabelControl EndHeading{"End"};           // and over its end list

    static const char* DayButtonName(int day);
    static const char* DayName(int day);
    static const char* StartListName(int day);
    static const char* EndListName(int day);

    // A day button was clicked: the bar shows that day's slots.
    void DayClick(int day);
    // "<" and ">" move the bar's first hour by one; past either end of the day it starts at 0.
    void Button2Click()
    {
        TimeBar1.StartHour = TimeBar1.StartHour - 1 < 0 ? 0 : TimeBar1.StartHour - 1;
    }
    void Button3Click()
    {
        TimeBar1.StartHour = TimeBar1.StartHour + 1 > 23 ? 0 : TimeBar1.StartHour + 1;
    }
    int SelectedDay() const;  // 0 when no day is chosen
    // A mouse button was let go over the bar. A selection just made there (its texts have
    // colons) is added to the chosen day's slots by the left or middle button; the right
    // button clears the bar and empties the day's slots.
    void TimeBar1MouseUp(MouseButton button);
    // A key pressed on the bar, which works it as the mouse does: Shift with the arrows drags,
    // Space or Enter lets go with the left button, Delete with the right one. Past either end
    // an arrow moves the bar's hours as "<" and ">" do. False for a key the bar leaves alone.
    bool TimeBar1KeyDown(TimeBarKey key, bool shift);
    // What a screen reader tells of the bar besides its name: the chosen day's slots and the
    // keys.
    std::string TimeBarDescription() const;

    void Load(const ItemRecord& record);
    void Store(ItemRecord& record) const;
    void SetReadOnly(bool readOnly);

private:
    void ShowDay(int day);
};

}  // namespace quillmark
