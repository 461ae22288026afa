#include "forms/main/edit_skill_form.h"

#include "forms/services.h"

namespace quillmark {

TEditSkillForm::TEditSkillForm(Dialogs& dialogs, SkillValues values)
    : dialogs_(dialogs), values_(std::move(values))
{
    SkillTitleCaption.caption = values_.title;
    HasSkill.checked = values_.hasSkill;
    SkillProficiency.text = values_.proficiency;
    SkillNotes.text = values_.notes;
}

void TEditSkillForm::SkillTitleCaptionDblClick()
{
    const std::string& current = SkillTitleCaption.caption;
    SkillTitleCaption.caption =
        dialogs_.InputBox("Skill Name:", "Enter New Skill Name", current).value_or(current);
}

void TEditSkillForm::OKBtnClick()
{
    values_ = {SkillTitleCaption.caption, HasSkill.checked, SkillProficiency.text, SkillNotes.text};
    Closed = true;
}

}  // namespace quillmark
