// Editing one skill of the record on show through the skill dialog, as the user does from the
// "Skills" page: select a row, then "Edit Skill" or a double-click.

#include "forms/main/edit_skill_form.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <ostream>
#include <string>
#include <tuple>

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

    // "Edit Skill": the user double-clicks the skill's title for the name box, gives the skill
    // the values of `edited`, and clicks OK or Cancel. Returns what the dialog opened with.
    SkillRow EditSkill(const SkillRow& edited, bool ok)
    {
        SkillRow opened;
        session.shell.OnDialog([&](TEditSkillForm& form) {
            opened = {form.HasSkill.checked, form.SkillTitleCaption.caption,
                      form.SkillProficiency.text, form.SkillNotes.text};
            form.SkillTitleCaptionDblClick();
            form.HasSkill.checked = edited.checked;
            form.SkillProficiency.text = edited.proficiency;
            form.SkillNotes.text = edited.notes;
            ok ? form.OKBtnClick() : form.CancelBtnClick();
        });
        view.EditSkillBtnClick();
        return opened;
    }

    SkillRow Shown(int row) const { return view.Skills.ItemList[static_cast<std::size_t>(row)]; }
    const std::string& SkillName(int skill) { return workspace.database.SkillNames[skill]; }
};

TEST_F(SkillEditingTest, CancelChangesNothingAndOKRenamesTheSkillForEveryRecord)
{
    // Typed into the list's row but not yet stored: the dialog starts from it all the same.
    view.Skills.ItemList[Row5].notes = "Ten years, two abroad";
    dialogs.Type("Soldering");
    const SkillRow typed{true, "Skill 5", "Expert", "Ten years, two abroad"};
    EXPECT_EQ(EditSkill({false, "", "Novice", "None"}, false), typed);
    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
    EXPECT_THAT(dialogs.InputsShown, ElementsAre(ScriptedDialogs::InputShown{
                                         "Skill Name:", "Enter New Skill Name", "Skill 5"}));
    EXPECT_EQ(Shown(Row5), typed);
    EXPECT_EQ(SkillName(5), "Skill 5");

    // OK renames the skill for every record and gives this record its values.
    // A cancelled name box keeps the name.
    dialogs.CancelInput().Type("Welding");
    EditSkill({false, "", "Certified", "MIG and TIG"}, true);
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Skill 5", "Certified", "MIG and TIG"}));
    EditSkill({false, "", "Certified", "MIG and TIG"}, true);
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "Certified", "MIG and TIG"}));

    // The other records show the new name with their own values for the skill.
    GoTo("3");
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Welding", "", ""}));
    const SkillSet& skills = session.Record(1).Skills;
    EXPECT_EQ(std::tuple(skills.HasSkill(5), skills.SkillProficiency(5), skills.SkillNotes(5)),
              std::tuple(false, "Certified", "MIG and TIG"));
}

TEST_F(SkillEditingTest, ReadOnlyRecordsLockTheCheckMarksAndTheDialog)
{
    view.Skills.ItemListCheckClick(Row5);
    view.Skills.ItemListCheckClick(0);
    EXPECT_EQ(Shown(Row5), (SkillRow{false, "Skill 5", "Expert", "Ten years"}));
    Leave();
    EXPECT_FALSE(session.Record(1).Skills.HasSkill(5));
    EXPECT_TRUE(session.Record(1).Skills.HasSkill(1));

    // Without a selected row nothing opens either.
    view.Skills.SelectedRow = -1;
    view.EditSkillBtnClick();
    view.ItemListDblClick();
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.Skills.SelectedRow = Row5;
    view.ItemListDblClick();
    view.EditSkillBtnClick();
    view.Skills.ItemListCheckClick(0);
    EXPECT_TRUE(Shown(0).checked);
    EXPECT_THAT(session.shell.DialogsShown, IsEmpty());
    view.ReadonlyBox.checked = false;
    view.ReadonlyBoxClick();
    session.shell.OnDialog([](TEditSkillForm& form) { form.CancelBtnClick(); });
    view.ItemListDblClick();
    EXPECT_THAT(session.shell.DialogsShown, ElementsAre("Edit Skill"));
}

}  // namespace
}  // namespace test
}  // namespace quillmark
