// Editing one skill of the record on show through the skill dialog, as the user does from the
// "Skills" page: select a row, then "Edit Skill" or a double-click.

#include "app/view_fixture.h"
#include "search/edit_skill_form.h"

#include <gmock/gmock.h>

#include <ostream>

#include <string>
#include <vector>

namespace quillmark {

// So that a failed expectation shows the skill: {checked, "Welding", "Certified", "MIG"}.
void PrintTo(const SkillRow& row, std::ostream* out)
{
    *out << '{' << row.checked << ", \"" << row.caption << "\", \"" << row.proficiency << "\", \""
         << row.notes << "\"}";
}

void PrintTo(const SkillValues& values, std::ostream* out)
{
    PrintTo(SkillRow{values.hasSkill, values.title, values.proficiency, values.notes}, out);
}

namespace test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int Row5 = 4;  // the list's rows count from 0, skills from 1

class SkillEditingTest : public ViewTest {
protected:
    // Three records; the second has its own values for skill 5 and is the one on show.
    void SetUp() override
    {
        ViewTest::SetUp();
        view.NewRecord1Click();
        view.NewRecord1Click();
        ItemRecord& second = session.Record(1);
        second.Skills.SetHasSkill(5, true);
        second.Skills.SetSkillProficiency(5, "Expert");
        second.Skills.SetSkillNotes(5, "Ten years");
        GoTo("2");
    }

    SkillRow Shown(int row) const { return view.Skills.ItemList[static_cast<std::size_t>(row)]; }
    const std::string& SkillName(int skill) { return workspace.database.SkillNames[skill]; }

    // The dialog as the user met it.
    std::vector<SkillValues> opened;
    void NoteOpening(const TEditSkillForm& form)
    {
        opened.push_back({form.SkillTitleCaption.caption, form.HasSkill.checked,
                          form.SkillProficiency.text, form.SkillNotes.text});
    }
};

TEST_F(SkillEditingTest, CancelLeavesTheSkillAsItWasWhateverWasChanged)
{
    // Typed into the list's row but not yet stored: the dialog starts from it all the same.
    view.Skills.ItemList[Row5].notes = "Ten years, two abroad";
    view.Skills.SelectedRow = Row5;
    dialogs.Type("Soldering");
    session.shell.OnEditSkill([&](TEditSkillForm& form) {
        NoteOpening(form);
        form.SkillTitleCaptionDblClick();
        form.HasSkill.checked = false;
        form.SkillProficiency.text = "Novice";
        form.SkillNotes.text = "None";
        EXPECT_EQ(form.SkillTitleCaption.caption, "Soldering");
        form.CancelBtnClick();
    });
    view.EditSkillBtnClick();

    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
    EXPECT_THAT(opened,
                ElementsAre(SkillValues{"Skill 5", true, "Expert", "Ten years, two abroad"}));
    EXPECT_THAT(dialogs.InputsShown, ElementsAre(ScriptedDialogs::InputShown{
                                         "Skill Name:", "Enter New Skill Name", "Skill 5"}));
    EXPECT_EQ(Shown(Row5), (SkillRow{true, "Skill 5", "Expert", "Ten years, two abroad"}));
    EXPECT_EQ(SkillName(5), "Skill 5");
    Leave();
    EXPECT_EQ(session.Record(1).Skills.SkillNotes(5), "Ten years, two abroad");
    EXPECT_TRUE(session.Record(1).Skills.HasSkill(5));
}

TEST_F(SkillEditingTest, OKRenamesTheSkillForEveryRecordAndGivesThisRecordItsValues)
{
    view.Skills.SelectedRow = Row5;
    dialogs.CancelInput().Type("Welding");
    session.shell.OnEditSkill([&](TEditSkillForm& form) {
        NoteOpening(form);
        // A cancelled input box keeps the name shown.
        form.SkillTitleCaptionDblClick();
        EXPECT_EQ(form.SkillTitleCaption.caption, "Skill 5");
        form.SkillTitleCaptionDblClick();
        form.HasSkill.checked = false;
        form.SkillProficiency.text = "Certified";
        form.SkillNotes.text = "MIG and TIG";
        form.OKBtnClick();
    });
    view.EditSkillBtnClick();

    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "Certified", "MIG and TIG"}));
    EXPECT_EQ(SkillName(5), "Welding");
    ASSERT_EQ(dialogs.InputsShown.size(), 2u);
    EXPECT_EQ(dialogs.InputsShown[1].initial, "Skill 5");

    // The other records show the new name with their own values for the skill.
    GoTo("1");
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "", ""}));
    view.NextTBtnClick();
    view.NextTBtnClick();
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "", ""}));
    EXPECT_FALSE(session.Record(2).Skills.HasSkill(5));

    // The edited record keeps what the dialog gave it.
    GoTo("2");
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "Certified", "MIG and TIG"}));
    const SkillSet& skills = session.Record(1).Skills;
    EXPECT_FALSE(skills.HasSkill(5));
    EXPECT_EQ(skills.SkillProficiency(5), "Certified");
    EXPECT_EQ(skills.SkillNotes(5), "MIG and TIG");
    EXPECT_EQ(skills.SkillProficiency(4), "");
}

TEST_F(SkillEditingTest, NothingOpensWithoutASelectedRowNorOnAReadOnlyRecordsDoubleClick)
{
    view.Skills.ItemList[Row5].proficiency = "typed";  // unstored: nothing may store it
    view.Skills.SelectedRow = -1;
    view.EditSkillBtnClick();
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());
    EXPECT_EQ(session.Record(1).Skills.SkillProficiency(5), "Expert");

    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.Skills.SelectedRow = Row5;
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());
    EXPECT_EQ(SkillName(5), "Skill 5");

    // The button is locked with the record.
    EXPECT_FALSE(view.Skills.EditSkillBtn.enabled);
    view.EditSkillBtnClick();
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());

    // Unlocked again, the double-click opens the dialog.
    view.ReadonlyBox.checked = false;
    view.ReadonlyBoxClick();
    session.shell.OnEditSkill([](TEditSkillForm& form) { form.CancelBtnClick(); });
    EXPECT_TRUE(view.Skills.EditSkillBtn.enabled);
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
}

}  // namespace
}  // namespace test
}  // namespace quillmark
