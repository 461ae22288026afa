// Editing one skill of the record on show through the skill dialog, as the user does from the
// "Skills" page: select a row, then "Edit Skill" or a double-click.

#include "forms/main/edit_skill_form.h"
#include "support/view_fixture.h"

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
        view.Skills.SelectedRow = Row5;
    }

    SkillRow Shown(int row) const { return view.Skills.ItemList[static_cast<std::size_t>(row)]; }
    const std::string& SkillName(int skill) { return workspace.database.SkillNames[skill]; }
};

TEST_F(SkillEditingTest, CancelLeavesTheSkillAsItWasWhateverWasChanged)
{
    // Typed into the list's row but not yet stored: the dialog starts from it all the same.
    view.Skills.ItemList[Row5].notes = "Ten years, two abroad";
    dialogs.Type("Soldering");
    SkillRow opened;
    session.shell.OnEditSkill([&](TEditSkillForm& form) {
        opened = {form.HasSkill.checked, form.SkillTitleCaption.caption, form.SkillProficiency.text,
                  form.SkillNotes.text};
        form.SkillTitleCaptionDblClick();
        form.HasSkill.checked = false;
        form.SkillProficiency.text = "Novice";
        form.SkillNotes.text = "None";
        form.CancelBtnClick();
    });
    view.EditSkillBtnClick();

    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
    EXPECT_EQ(opened, (SkillRow{true, "Skill 5", "Expert", "Ten years, two abroad"}));
    EXPECT_THAT(dialogs.InputsShown, ElementsAre(ScriptedDialogs::InputShown{
                                         "Skill Name:", "Enter New Skill Name", "Skill 5"}));
    EXPECT_EQ(Shown(Row5), (SkillRow{true, "Skill 5", "Expert", "Ten years, two abroad"}));
    EXPECT_EQ(SkillName(5), "Skill 5");
}

TEST_F(SkillEditingTest, OKRenamesTheSkillForEveryRecordAndGivesThisRecordItsValues)
{
    dialogs.CancelInput().Type("Welding");
    session.shell.OnEditSkill([&](TEditSkillForm& form) {
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

    // The other records show the new name with their own values for the skill.
    GoTo("3");
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "", ""}));
    const SkillSet& skills = session.Record(1).Skills;
    EXPECT_FALSE(skills.HasSkill(5));
    EXPECT_EQ(skills.SkillProficiency(5), "Certified");
    EXPECT_EQ(skills.SkillNotes(5), "MIG and TIG");
}

TEST_F(SkillEditingTest, TickingACheckMarkGivesOrTakesTheSkillUnlessReadOnly)
{
    view.Skills.ItemListCheckClick(Row5);
    view.Skills.ItemListCheckClick(0);
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Skill 5", "Expert", "Ten years"}));
    Leave();
    EXPECT_FALSE(session.Record(1).Skills.HasSkill(5));
    EXPECT_TRUE(session.Record(1).Skills.HasSkill(1));

    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.Skills.ItemListCheckClick(0);
    EXPECT_TRUE(Shown(0).checked);
}

TEST_F(SkillEditingTest, NothingOpensWithoutASelectedRowNorOnAReadOnlyRecord)
{
    view.Skills.SelectedRow = -1;
    view.EditSkillBtnClick();
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());

    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.Skills.SelectedRow = Row5;
    view.ItemListDblClick();
    view.EditSkillBtnClick();
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());

    view.ReadonlyBox.checked = false;
    view.ReadonlyBoxClick();
    session.shell.OnEditSkill([](TEditSkillForm& form) { form.CancelBtnClick(); });
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
}

}  // namespace
}  // namespace test
}  // namespace quillmark
