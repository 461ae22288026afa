// The main window as a whole: what the program shows when it starts, what activating and
// leaving the window do, and the doors to the calendar, calculator and help.

#include "app/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

using WindowTest = ViewTest;

TEST(StartUpTest, ANewDatabaseWithOneUntitledRecord)
{
    Session session;
    TView& view = session.view;
    EXPECT_EQ(view.Width, 634);
    EXPECT_EQ(view.Height, 482);
    session.Start();

    EXPECT_EQ(view.Caption, "Untitled");
    EXPECT_EQ(view.number.text, "1");
    EXPECT_EQ(view.RecordName.text, "Untitled 1");
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(session.workspace.CurrentIndex, 0);
    EXPECT_TRUE(session.workspace.DatabaseLoaded);
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(view.Actions.NewRecord.enabled);
    EXPECT_TRUE(view.Actions.CopyRecord.enabled);
    EXPECT_EQ(view.RecordBook, TView::DescriptionTab);

    // Captions come from the new database; the unnamed description fields count from 0.
    EXPECT_EQ(view.Description.DescCaptions[1].caption, "Type");
    EXPECT_EQ(view.Description.DescCaptions[7].caption, "Description 6");
    EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Street");
    EXPECT_EQ(view.Description.OtherCaptions[1].caption, "Employment Date");

    // The new record on the pages.
    EXPECT_EQ(view.Skills.ItemList.size(), 100u);
    EXPECT_EQ(view.Skills.ItemList[0].caption, "Skill 1");
    EXPECT_EQ(view.Skills.ItemList[99].caption, "Skill 100");
    EXPECT_FALSE(view.Skills.ItemList[0].checked);
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 0), "Employer");
    EXPECT_EQ(view.Experience.DirGrid.Cell(3, 0), "Notes");
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 1), "");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 1");
    EXPECT_TRUE(view.Picture.PicStatVisible);
    EXPECT_EQ(view.Salary.WorkDaysPerWeekEdit.text, "5");
    EXPECT_TRUE(view.Salary.PeriodButtons[1].checked);
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Please enter hours per week.");
    EXPECT_FALSE(view.ReadonlyBox.checked);
    EXPECT_FALSE(view.Description.Detail[0].readOnly);

    EXPECT_TRUE(session.dialogs.Messages.empty());
    EXPECT_TRUE(session.shell.WindowsShown.empty());
}

TEST_F(WindowTest, ActivationOffersNothingForInsertionAndKeepsTheRecords)
{
    view.NewRecord1Click();
    view.NewRecord1Click();
    GoTo("2");
    view.CopyRecord1Click();
    ASSERT_TRUE(view.Actions.InsertRecord.enabled);
    Leave();

    // Coming back from another window: the copied record is no longer offered.
    view.FormActivate();
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);
    ASSERT_NE(workspace.ClipboardRecord, nullptr);
    EXPECT_NE(workspace.ClipboardRecord.get(), &session.Record(1));
    EXPECT_EQ(workspace.ClipboardRecord->RecordName, "");
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1", "Untitled 2", "Untitled 3"));
    EXPECT_EQ(view.number.text, "2");
    EXPECT_EQ(view.RecordName.text, "Untitled 2");

    // Another window changed the record on show and the list meanwhile; activation shows it.
    Leave();
    session.Record(1).RecordName = "Renamed elsewhere";
    workspace.SpreadsheetIsCaller = true;
    view.FormActivate();
    EXPECT_EQ(view.RecordName.text, "Renamed elsewhere");
    EXPECT_FALSE(workspace.SpreadsheetIsCaller);
}

TEST_F(WindowTest, LeavingTheWindowStoresWhatWasTyped)
{
    view.RecordName.text = "Dana Smith";
    view.Description.Detail[0].text = "12 High Street";
    view.Description.Other[2].text = "Part time";
    view.Description.CheckBox2.checked = true;
    view.Notes.Notes.lines = {"First line", "Second line"};
    view.Salary.HoursPerWeekEdit.text = "37.5";
    Leave();

    const ItemRecord& record = session.Record(0);
    EXPECT_EQ(record.RecordName, "Dana Smith");
    EXPECT_EQ(record.Detail[0], "12 High Street");
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
    EXPECT_EQ(session.shell.ExitRequests, 0);
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillmark::test
