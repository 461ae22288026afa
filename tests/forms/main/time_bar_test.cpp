// Entering a schedule with the mouse: hours picked on the time bar of the "Schedule" page and
// added to the chosen day's slots, or the day emptied with the right button.

#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int Monday = 2, Friday = 6;
constexpr int BarWidth = 480;  // 40 pixels an hour

double At(int hours, int minutes = 0)
{
    return (hours * 60 + minutes) / 1440.0;
}

int CellMiddle(int cell)
{
    return cell * 40 + 20;
}

class TimeBarTest : public ViewTest {
protected:
    TimeBarState& bar = view.Schedule.TimeBar1;
    SchedulePage& page = view.Schedule;

    // Presses over one cell, drags through the cells between and lets go over the other.
    void Drag(int fromCell, int toCell, MouseButton button = MouseButton::Left, bool ctrl = false)
    {
        bar.MousePress(CellMiddle(fromCell), BarWidth, ctrl);
        for (int cell = fromCell; cell != toCell; cell += toCell > fromCell ? 1 : -1) {
            bar.MouseMove(CellMiddle(cell), BarWidth);
        }
        bar.MouseRelease(CellMiddle(toCell), BarWidth);
        page.TimeBar1MouseUp(button);
    }
};

TEST_F(TimeBarTest, CellsAreFoundByPositionAndHoursRunOnPastMidnight)
{
    const struct {
        int x, width, cell;
    } cells[] = {{39, BarWidth, 0},  {40, BarWidth, 1},   {479, BarWidth, 11},
                 {-30, BarWidth, 0}, {900, BarWidth, 11}, {10, 0, 0},
                 {8, 100, 0},        {9, 100, 1},         {99, 100, 11}};
    for (const auto& c : cells) {
        EXPECT_EQ(TimeBarState::CellAt(c.x, c.width), c.cell) << c.x << " of " << c.width;
    }
    // "<" stops at midnight; ">" from the last hour starts the bar at midnight again.
    bar.StartHour = 0;
    page.Button2Click();
    EXPECT_EQ(bar.StartHour, 0);
    bar.StartHour = 23;
    page.Button3Click();
    EXPECT_EQ(bar.StartHour, 0);

    // Hours run on past midnight, and selections there stay in their day.
    bar.StartHour = 22;
    Drag(0, 3);
    EXPECT_THAT(bar.SelectedStart, ElementsAre("22:00"));
    EXPECT_THAT(bar.SelectedEnd, ElementsAre("02:00"));
    // A start of 00:00 would be an empty slot, and an end of 00:00 the start of the day.
    page.DayClick(Friday);
    Drag(2, 2);
    Drag(0, 1);
    EXPECT_THAT(page.Days[Friday].Start, ElementsAre("00:01", "22:00"));
    EXPECT_THAT(page.Days[Friday].End, ElementsAre("01:00", "23:59"));
    Leave();
    EXPECT_DOUBLE_EQ(session.Record(0).Schedule.ScheduleStart(Friday, 1), At(0, 1));
    EXPECT_DOUBLE_EQ(session.Record(0).Schedule.ScheduleEnd(Friday, 2), At(23, 59));
}

TEST_F(TimeBarTest, DraggingOverHoursAddsASlotToTheChosenDay)
{
    page.DayClick(Monday);
    // Shown while dragging, before the button is let go.
    bar.MousePress(CellMiddle(0), BarWidth, false);
    bar.MouseMove(CellMiddle(1), BarWidth);
    EXPECT_THAT(bar.SelectedEnd, ElementsAre("11:00"));
    bar.MouseRelease(CellMiddle(2), BarWidth);
    page.TimeBar1MouseUp(MouseButton::Left);
    EXPECT_THAT(page.Days[Monday].Start, ElementsAre("09:00"));
    EXPECT_THAT(page.Days[Monday].End, ElementsAre("12:00"));

    // From right to left with the middle button: 13:00 to 15:00. The bar then shows the day's
    // slots as loaded ones.
    Drag(5, 4, MouseButton::Middle);
    EXPECT_THAT(page.Days[Monday].Start, ElementsAre("09:00", "13:00"));
    EXPECT_THAT(page.Days[Monday].End, ElementsAre("12:00", "15:00"));
    EXPECT_THAT(bar.SelectedStart, ElementsAre("0900", "1300"));
    EXPECT_THAT(page.Days[Friday].Start, IsEmpty());
}

TEST_F(TimeBarTest, RightButtonEmptiesTheChosenDay)
{
    ItemRecord& record = session.Record(0);
    for (int slot = 1; slot <= 10; ++slot) {
        record.Schedule.SetScheduleStart(Monday, slot, At(slot + 6));
        record.Schedule.SetScheduleEnd(Monday, slot, At(slot + 6, 30));
    }
    record.Schedule.SetScheduleStart(Friday, 1, At(8));
    record.Schedule.SetScheduleEnd(Friday, 1, At(16));
    view.GetRecord(0);
    page.DayClick(Monday);

    // Added with Ctrl, the new selection comes after the day's loaded slots, which are not
    // the mouse's: neither button does anything then.
    Drag(3, 4, MouseButton::Left, true);
    Drag(6, 6, MouseButton::Right, true);
    EXPECT_EQ(page.Days[Monday].Start.size(), 10u);
    EXPECT_EQ(bar.SelectedStart.size(), 12u);
    Drag(2, 2, MouseButton::Right);
    EXPECT_THAT(page.Days[Monday].Start, IsEmpty());
    EXPECT_THAT(bar.SelectedStart, IsEmpty());
    Leave();
    EXPECT_EQ(record.Schedule.ScheduleStart(Monday, 1), 0);
    EXPECT_EQ(record.Schedule.ScheduleEnd(Monday, 10), 0);
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Friday, 1), At(8));
}

TEST_F(TimeBarTest, WithoutAChosenDayOrOnAReadOnlyRecordNoDayChanges)
{
    Drag(0, 0);
    bar.MousePress(CellMiddle(7), BarWidth, true);
    bar.MouseRelease(CellMiddle(5), BarWidth);
    page.TimeBar1MouseUp(MouseButton::Left);
    EXPECT_THAT(bar.SelectedStart, ElementsAre("09:00", "14:00"));
    EXPECT_THAT(bar.SelectedEnd, ElementsAre("10:00", "17:00"));
    // Without Ctrl a press starts afresh; the right button clears the bar.
    Drag(11, 11);
    EXPECT_THAT(bar.SelectedStart, ElementsAre("20:00"));
    Drag(11, 11, MouseButton::Right);
    EXPECT_THAT(bar.SelectedStart, IsEmpty());
    Leave();
    EXPECT_TRUE(session.Record(0).Schedule.IsEmpty());
    page.DayClick(Monday);
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    Drag(0, 2);
    EXPECT_THAT(bar.SelectedStart, IsEmpty());
    EXPECT_THAT(page.Days[Monday].Start, IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
