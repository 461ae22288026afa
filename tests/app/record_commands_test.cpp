// The record bar and the "Edit" commands of the main window: moving through the records,
// adding, copying, deleting and inserting them, and the read-only flag.

#include "app/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* LastRecord = "You are already on the last record in the database.";
constexpr const char* FirstRecord = "You are already on the first item in the database.";

class RecordCommandsTest : public ViewTest {
protected:
    // Three records named Ann, Bob and Cid, with Cid on show and its name not stored yet.
    void AddAnnBobCid()
    {
        view.RecordName.text = "Ann";
        view.NewRecord1Click();
        view.RecordName.text = "Bob";
        view.NewRecord1Click();
        view.RecordName.text = "Cid";
    }
};

TEST_F(RecordCommandsTest, NewRecordsTakeTheFirstFreeUntitledNumber)
{
    view.NewRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1", "Untitled 2"));
    EXPECT_EQ(view.RecordName.text, "Untitled 2");
    EXPECT_EQ(view.number.text, "2");
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);

    // Renaming the first frees its number for the next new record; the name typed is stored
    // before the new record is made.
    view.PreviousTBtnClick();
    view.RecordName.text = "Alice Brown";
    view.NewRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Alice Brown", "Untitled 2", "Untitled 1"));
    EXPECT_EQ(view.number.text, "3");

    // A name differing only in case does not take the number.
    view.RecordName.text = "untitled 1";
    view.NewRecord1Click();
    EXPECT_EQ(view.RecordName.text, "Untitled 1");

    // Every new record has an identifier of its own.
    EXPECT_NE(session.Record(1).RecordId, session.Record(2).RecordId);
    EXPECT_EQ(session.Record(3).RecordId.size(), 8u);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RecordCommandsTest, NextAndPreviousStopAtTheEndsWithoutStoring)
{
    // With one record both directions are refused.
    view.NextTBtnClick();
    view.PreviousTBtnClick();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(LastRecord, FirstRecord));
    EXPECT_EQ(dialogs.Messages[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(workspace.CurrentIndex, 0);
    dialogs.Forget();

    AddAnnBobCid();
    view.PreviousTBtnClick();
    EXPECT_EQ(view.RecordName.text, "Bob");
    EXPECT_EQ(view.number.text, "2");
    view.PreviousTBtnClick();
    EXPECT_EQ(view.RecordName.text, "Ann");
    view.NextTBtnClick();
    view.NextTBtnClick();
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_EQ(view.number.text, "3");
    EXPECT_EQ(view.Caption, "Untitled");
    EXPECT_TRUE(dialogs.Messages.empty());

    // A refused move stores nothing: what was typed stays in the window only.
    view.RecordName.text = "Cid typed";
    view.NextTBtnClick();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(LastRecord));
    EXPECT_EQ(session.Record(2).RecordName, "Cid");
    EXPECT_EQ(view.RecordName.text, "Cid typed");

    GoTo("1");
    view.RecordName.text = "Ann typed";
    view.PreviousTBtnClick();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(LastRecord, FirstRecord));
    EXPECT_EQ(session.Record(0).RecordName, "Ann");
}

TEST_F(RecordCommandsTest, RecordNumbersAreHeldToTheRecordsThatExist)
{
    AddAnnBobCid();
    GoTo("2");
    EXPECT_EQ(view.RecordName.text, "Bob");
    GoTo("0");
    EXPECT_EQ(view.RecordName.text, "Ann");
    EXPECT_EQ(view.number.text, "1");
    GoTo("-7");
    EXPECT_EQ(workspace.CurrentIndex, 0);
    GoTo("99");
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_EQ(view.number.text, "3");
    GoTo(" 2 ");
    EXPECT_EQ(view.RecordName.text, "Bob");
    EXPECT_TRUE(dialogs.Messages.empty());

    // Text that is not a whole number is refused, after the window has been stored.
    for (const char* typed : {"two", "", "1.5", "2x"}) {
        view.RecordName.text = std::string("Bob ") + typed;
        GoTo(typed);
        EXPECT_EQ(workspace.CurrentIndex, 1) << typed;
        EXPECT_EQ(session.Record(1).RecordName, std::string("Bob ") + typed);
    }
    EXPECT_EQ(dialogs.Texts(),
              std::vector<std::string>(4, "You have entered an invalid number, please try again"));
}

TEST_F(RecordCommandsTest, OnlyMovingByNumberForgetsTheSpreadsheetCalledUs)
{
    AddAnnBobCid();
    workspace.SpreadsheetIsCaller = true;
    view.PreviousTBtnClick();
    view.NextTBtnClick();
    EXPECT_TRUE(workspace.SpreadsheetIsCaller);
    GoTo("1");
    EXPECT_FALSE(workspace.SpreadsheetIsCaller);
}

TEST_F(RecordCommandsTest, DeletingShowsTheRecordThatTookThePlace)
{
    // The only record cannot be deleted: the command just turns itself off.
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
    view.DeleteRecord1Click();
    EXPECT_EQ(workspace.RecordCount(), 1);
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);

    AddAnnBobCid();
    view.NewRecord1Click();
    view.RecordName.text = "Dee";
    view.NewRecord1Click();
    view.RecordName.text = "Eve";
    Leave();
    workspace.ChangeFlag = false;

    // The last record: the one before it is now the last and is shown.
    view.DeleteRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Bob", "Cid", "Dee"));
    EXPECT_EQ(view.RecordName.text, "Dee");
    EXPECT_EQ(view.number.text, "4");
    EXPECT_TRUE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(workspace.ChangeFlag);

    // One in the middle: the record after it moves up into its place.
    GoTo("2");
    view.DeleteRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Cid", "Dee"));
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_EQ(view.number.text, "2");
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);

    view.DeleteRecord1Click();
    view.DeleteRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    EXPECT_EQ(view.RecordName.text, "Ann");
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
    view.DeleteRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RecordCommandsTest, DeleteThenInsertMovesTheRecordWithEverythingItHolds)
{
    // Ann gets something on every page that keeps a list or a table.
    view.RecordName.text = "Ann";
    view.Notes.Keywords.lines = {"welder", "night shift"};
    view.Notes.Notes.lines = {"Started in May.", "", "Asked for a transfer."};
    view.Experience.DirGrid.SetCell(0, 1, "Acme");
    view.Experience.DirGrid.SetCell(3, 2, "Left on good terms");
    view.Schedule.Days[2] = {{"09:00", "13:00"}, {"12:00", "17:00"}};
    view.Skills.ItemList[4].checked = true;
    view.Skills.ItemList[4].proficiency = "Expert";
    view.ImageBookChange(2);
    view.Picture.ImageTitle.text = "At the bench";
    view.ImageTitleChange();
    view.Picture.PictureFileName = "/photos/ann-bench.jpg";
    view.Description.Detail[1].text = "Springfield";
    view.NewRecord1Click();
    view.RecordName.text = "Bob";
    view.NewRecord1Click();
    view.RecordName.text = "Cid";
    GoTo("1");
    const ItemRecord ann = session.Record(0);
    ASSERT_EQ(ann.Keywords.size(), 2u);

    view.DeleteRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Bob", "Cid"));
    EXPECT_EQ(view.RecordName.text, "Bob");
    EXPECT_TRUE(view.Notes.Keywords.lines.empty());
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 1), "");

    view.NextTBtnClick();
    view.InsertRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Bob", "Ann", "Cid"));
    EXPECT_TRUE(session.Record(1).SameFiledContent(ann));
    EXPECT_EQ(session.Record(1).RecordId, ann.RecordId);
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);

    // The window shows the moved record with all its pages.
    EXPECT_EQ(view.number.text, "2");
    EXPECT_EQ(view.RecordName.text, "Ann");
    EXPECT_THAT(view.Notes.Keywords.lines, ElementsAre("welder", "night shift"));
    EXPECT_EQ(view.Notes.Notes.lines.size(), 3u);
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 1), "Acme");
    EXPECT_EQ(view.Experience.DirGrid.Cell(3, 2), "Left on good terms");
    EXPECT_THAT(view.Schedule.Days[2].Start, ElementsAre("09:00", "13:00"));
    EXPECT_THAT(view.Schedule.Days[2].End, ElementsAre("12:00", "17:00"));
    EXPECT_TRUE(view.Skills.ItemList[4].checked);
    EXPECT_EQ(view.Skills.ItemList[4].proficiency, "Expert");
    EXPECT_EQ(view.Picture.ImageBook, 2);
    EXPECT_EQ(view.Picture.ImageTitle.text, "At the bench");
    EXPECT_EQ(view.Picture.PictureFileName, "/photos/ann-bench.jpg");
    EXPECT_EQ(view.Description.Detail[1].text, "Springfield");

    // Bob and Cid kept what they had.
    EXPECT_TRUE(session.Record(0).Keywords.empty());
    EXPECT_EQ(session.Record(2).Images[2].ImageTitle, "Untitled 2");
}

TEST_F(RecordCommandsTest, InsertCopiesTheCopiedRecordAsItIsThen)
{
    AddAnnBobCid();
    GoTo("1");
    view.CopyRecord1Click();
    EXPECT_TRUE(view.Actions.InsertRecord.enabled);
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Bob", "Cid"));

    // Edits made to the copied record before inserting are part of the copy.
    view.RecordName.text = "Ann Edited";
    view.Notes.Keywords.lines = {"forklift"};
    view.NextTBtnClick();
    view.NextTBtnClick();
    view.InsertRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann Edited", "Bob", "Ann Edited", "Cid"));
    EXPECT_EQ(view.RecordName.text, "Ann Edited");
    EXPECT_THAT(view.Notes.Keywords.lines, ElementsAre("forklift"));
    EXPECT_EQ(view.number.text, "3");
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_EQ(session.Record(2).RecordId, session.Record(0).RecordId);

    // The inserted record is a record of its own: changing it leaves the original alone.
    view.RecordName.text = "Ann Copy";
    view.Notes.Keywords.lines = {"crane"};
    view.Experience.DirGrid.SetCell(1, 1, "Foreman");
    GoTo("1");
    EXPECT_THAT(session.Names(), ElementsAre("Ann Edited", "Bob", "Ann Copy", "Cid"));
    EXPECT_THAT(session.Record(0).Keywords, ElementsAre("forklift"));
    EXPECT_EQ(view.Experience.DirGrid.Cell(1, 1), "");
}

TEST_F(RecordCommandsTest, ReadOnlyRecordsCannotBeEditedOrDeleted)
{
    view.NewRecord1Click();
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_TRUE(session.Record(1).ReadOnly);

    const DescriptionPage& description = view.Description;
    for (const EditControl& box : description.Detail) {
        EXPECT_TRUE(box.readOnly);
    }
    for (const EditControl& box : description.Other) {
        EXPECT_TRUE(box.readOnly);
    }
    for (const EditControl& box : description.DescBoxes) {
        EXPECT_TRUE(box.readOnly);
    }
    EXPECT_FALSE(description.CheckBox1.enabled);
    EXPECT_FALSE(description.CheckBox3.enabled);
    EXPECT_TRUE(view.Notes.Keywords.readOnly);
    EXPECT_TRUE(view.Notes.Notes.readOnly);
    EXPECT_TRUE(view.Salary.HoursPerWeekEdit.readOnly);
    EXPECT_TRUE(view.Salary.SalaryEdit.readOnly);
    EXPECT_FALSE(view.Salary.WorkDaysPerWeekEdit.enabled);
    for (const CheckControl& period : view.Salary.PeriodButtons) {
        EXPECT_FALSE(period.enabled);
    }
    EXPECT_FALSE(view.Schedule.TimeBar1.enabled);
    EXPECT_FALSE(view.Experience.editable);
    EXPECT_FALSE(view.Skills.editorOpensOnDoubleClick);
    EXPECT_TRUE(view.ReadonlyBox.enabled);

    view.DeleteRecord1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre("You may not delete read only records."));
    EXPECT_EQ(workspace.RecordCount(), 2);
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);

    // The flag goes with the record: the editable record before it is editable, and coming
    // back locks the window again.
    view.PreviousTBtnClick();
    EXPECT_FALSE(view.ReadonlyBox.checked);
    EXPECT_FALSE(view.Description.Detail[0].readOnly);
    EXPECT_FALSE(view.Notes.Notes.readOnly);
    EXPECT_TRUE(view.Salary.WorkDaysPerWeekEdit.enabled);
    EXPECT_TRUE(view.Schedule.TimeBar1.enabled);
    EXPECT_TRUE(view.Experience.editable);
    view.NextTBtnClick();
    EXPECT_TRUE(view.ReadonlyBox.checked);
    EXPECT_TRUE(view.Description.Detail[0].readOnly);

    // Clearing the box frees the record again.
    view.ReadonlyBox.checked = false;
    view.ReadonlyBoxClick();
    EXPECT_FALSE(session.Record(1).ReadOnly);
    EXPECT_FALSE(view.Salary.SalaryEdit.readOnly);
    EXPECT_TRUE(view.Description.CheckBox2.enabled);
    view.DeleteRecord1Click();
    EXPECT_EQ(workspace.RecordCount(), 1);
}

}  // namespace
}  // namespace quillmark::test
