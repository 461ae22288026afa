// The record bar and the "Edit" commands of the main window: moving through the records,
// adding, copying, deleting and inserting them, and the read-only flag.

#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <tuple>

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
    EXPECT_EQ(view.number.text, "2");
    // Renaming the first frees its number; the name typed is stored before the new record.
    view.PreviousTBtnClick();
    view.RecordName.text = "Alice Brown";
    view.NewRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Alice Brown", "Untitled 2", "Untitled 1"));
    EXPECT_NE(session.Record(1).RecordId, session.Record(2).RecordId);
}

TEST_F(RecordCommandsTest, MovesPastTheEndsAreRefusedWithoutStoring)
{
    AddAnnBobCid();
    view.PreviousTBtnClick();
    EXPECT_EQ(view.RecordName.text, "Bob");
    view.NextTBtnClick();
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
    for (const auto& [typed, name, number] : {std::tuple{"2", "Bob", "2"},
                                              {"0", "Ann", "1"},
                                              {"-7", "Ann", "1"},
                                              {"99", "Cid", "3"},
                                              {" 2 ", "Bob", "2"}}) {
        GoTo(typed);
        EXPECT_EQ(view.RecordName.text, name) << typed;
        EXPECT_EQ(view.number.text, number) << typed;
    }

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

TEST_F(RecordCommandsTest, DeletingShowsTheRecordThatTookThePlaceAndInsertBringsItBackWhole)
{
    view.DeleteRecord1Click();  // the only record stays
    EXPECT_EQ(workspace.RecordCount(), 1);
    view.Notes.Keywords.lines = {"welder", "night shift"};
    view.Experience.DirGrid.SetCell(3, 2, "Left on good terms");
    view.Schedule.Days[2] = {{"09:00", "13:00"}, {"12:00", "17:00"}};
    view.Skills.ItemList[4].checked = true;
    view.Skills.ItemList[4].proficiency = "Expert";
    view.ImageBookChange(2);
    view.Picture.ImageTitle.text = "At the bench";
    view.ImageTitleChange();
    view.Description.Detail[1].text = "Springfield";
    AddAnnBobCid();
    workspace.ChangeFlag = false;
    view.DeleteRecord1Click();  // the last: the one before it is shown
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Bob"));
    EXPECT_EQ(view.number.text, "2");
    EXPECT_TRUE(view.Actions.InsertRecord.enabled);
    EXPECT_TRUE(workspace.ChangeFlag);
    GoTo("1");
    const ItemRecord ann = session.Record(0);
    view.DeleteRecord1Click();  // another: the next moves up
    EXPECT_EQ(view.RecordName.text, "Bob");
    EXPECT_EQ(view.number.text, "1");
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);

    // Insert puts it back before the record on show, and shows it.
    view.InsertRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Bob"));
    EXPECT_TRUE(session.Record(0).SameFiledContent(ann));
    EXPECT_TRUE(session.Record(1).Keywords.empty());
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_EQ(view.number.text, "1");
    EXPECT_THAT(view.Notes.Keywords.lines, ElementsAre("welder", "night shift"));
    EXPECT_EQ(view.Picture.ImageTitle.text, "At the bench");
}

TEST_F(RecordCommandsTest, InsertCopiesTheCopiedRecordAsItIsThenAsARecordOfItsOwn)
{
    AddAnnBobCid();
    GoTo("1");
    view.CopyRecord1Click();

    // Edits made to the copied record before inserting are part of the copy.
    view.RecordName.text = "Ann Edited";
    view.Notes.Keywords.lines = {"forklift"};
    GoTo("3");
    view.InsertRecord1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann Edited", "Bob", "Ann Edited", "Cid"));
    EXPECT_THAT(view.Notes.Keywords.lines, ElementsAre("forklift"));
    EXPECT_EQ(view.number.text, "3");

    // Changing the inserted record leaves the original alone.
    view.RecordName.text = "Ann Copy";
    view.Notes.Keywords.lines = {"crane"};
    GoTo("1");
    EXPECT_THAT(session.Names(), ElementsAre("Ann Edited", "Bob", "Ann Copy", "Cid"));
    EXPECT_THAT(session.Record(0).Keywords, ElementsAre("forklift"));
}

TEST_F(RecordCommandsTest, ReadOnlyRecordsCannotBeEditedOrDeletedUntilFreed)
{
    view.NewRecord1Click();
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_TRUE(session.Record(1).ReadOnly);
    const auto allReadOnly = [](const auto& boxes) {
        return std::ranges::all_of(boxes, [](const EditControl& box) { return box.readOnly; });
    };
    EXPECT_TRUE(allReadOnly(view.Description.Detail) && allReadOnly(view.Description.Other) &&
                allReadOnly(view.Description.DescBoxes));
    EXPECT_TRUE(view.Notes.Keywords.readOnly && view.Salary.SalaryEdit.readOnly);
    EXPECT_FALSE(view.Salary.WorkDaysPerWeekEdit.enabled || view.Experience.editable);
    view.DeleteRecord1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre("You may not delete read only records."));
    view.ReadonlyBox.checked = false;
    view.ReadonlyBoxClick();
    EXPECT_FALSE(session.Record(1).ReadOnly);
    EXPECT_FALSE(view.Salary.SalaryEdit.readOnly);
    EXPECT_TRUE(view.Experience.editable);
    view.DeleteRecord1Click();
    EXPECT_EQ(workspace.RecordCount(), 1);
}

}  // namespace
}  // namespace quillmark::test
