// The main window as a whole: what the program shows when it starts, what activating and
// leaving the window do, and the doors to the calendar, calculator and help.

#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

using WindowTest = ViewTest;

TEST_F(WindowTest, StartsOnANewDatabaseWithOneUntitledRecord)
{
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_TRUE(workspace.DatabaseLoaded);
    EXPECT_EQ(view.Description.OtherCaptions[1].caption, "Employment Date");
    EXPECT_EQ(view.Skills.ItemList.size(), 100u);
    EXPECT_EQ(view.Skills.ItemList[99].caption, "Skill 100");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 1");
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Please enter hours per week.");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(WindowTest, ActivationOffersNothingForInsertionAndShowsChangesMadeElsewhere)
{
    view.NewRecord1Click();
    view.CopyRecord1Click();
    ASSERT_TRUE(view.Actions.InsertRecord.enabled);
    Leave();
    session.Record(1).RecordName = "Renamed elsewhere";
    workspace.SpreadsheetIsCaller = true;
    view.FormActivate();
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);
    EXPECT_EQ(view.RecordName.text, "Renamed elsewhere");
    EXPECT_FALSE(workspace.SpreadsheetIsCaller);
    EXPECT_EQ(workspace.RecordCount(), 2);
}

TEST_F(WindowTest, LeavingTheWindowStoresWhatWasTyped)
{
    view.Description.Other[2].text = "Part time";
    view.Description.CheckBox2.checked = true;
    view.Notes.Notes.lines = {"First line", "Second line"};
    view.Salary.HoursPerWeekEdit.text = "37.5";
    Leave();
    const ItemRecord& record = session.Record(0);
    EXPECT_EQ(record.Other[2], "Part time");
    EXPECT_TRUE(record.Available);
    EXPECT_FALSE(record.Working);
    EXPECT_THAT(record.Notes, ElementsAre("First line", "Second line"));
    EXPECT_EQ(record.HoursPerWeek, "37.5");
}

TEST_F(WindowTest, TypingInADescriptionBoxStoresOnlyThePickedValue)
{
    view.Description.DescBoxes[3].text = "typed over";
    view.Description.DescBoxes[5].hint = "Night : Shift";
    view.Description.DescBoxes[5].text = "Night";
    Leave();
    EXPECT_EQ(session.Record(0).Desc[3], "");
    EXPECT_EQ(session.Record(0).Desc[5], "Night : Shift");

    // Shown again, the box shows the whole stored value, whatever was typed before.
    view.GetRecord(0);
    EXPECT_EQ(view.Description.DescBoxes[3].text, "");
    EXPECT_EQ(view.Description.DescBoxes[5].text, "Night : Shift");
    EXPECT_EQ(view.Description.DescBoxes[5].hint, "Night : Shift");
}

TEST_F(WindowTest, CalendarCalculatorAndHelp)
{
    session.shell.ScreenSizeShown = {1280, 1024};
    view.Calendar1Click();
    session.shell.ScreenSizeShown = {1025, 769};
    view.Calendar1Click();
    EXPECT_THAT(session.shell.CalendarPositions,
                ElementsAre(std::pair(590, 412), std::pair(462, 284)));

    view.Contents1Click();
    view.Introduction1Click();
    view.GettingStarted1Click();
    EXPECT_THAT(session.shell.HelpTopics, ElementsAre("", "Introduction", "Getting Started"));

    view.Calculator1Click();
    view.About1Click();
    EXPECT_THAT(session.shell.WindowsShown,
                ElementsAre(ProgramWindow::Calculator, ProgramWindow::About));
}

}  // namespace
}  // namespace quillmark::test
