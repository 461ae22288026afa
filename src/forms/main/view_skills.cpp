#include "forms/main/edit_skill_form.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

void TView::EditSkillBtnClick()
{
    const int skill = Skills.SelectedSkill();
    if (skill == 0 || !Skills.EditSkillBtn.enabled) {
        return;
    }
    // The dialog starts from the record, so it must hold what the list shows.
    SaveRecord(workspace_.CurrentIndex);
    const ItemRecord* record = workspace_.RecordOnShow();
    if (record == nullptr) {
        return;
    }
    OneBasedArray<std::string, SkillSet::Count>& names = workspace_.database.SkillNames;
    TEditSkillForm editor(workspace_.services.dialogs,
                          {names[skill], record->Skills.HasSkill(skill),
                           std::string(record->Skills.SkillProficiency(skill)),
                           std::string(record->Skills.SkillNotes(skill))});
    workspace_.services.shell.RunDialog(editor);

    // One step takes back the name, which belongs to the database so that every record shows it
    // from now on, and the record's own row.
    CommandStep step(workspace_, CommandStep::Settings);
    step.WillChange(workspace_.CurrentIndex);
    const bool renamed = names[skill] != editor.Values().title;
    names[skill] = editor.Values().title;
    Skills.SetRow(skill, editor.Values());
    // Coming back from the dialog shows the record on show again; store the row first so that
    // the edit survives it.
    SaveRecordInStep(workspace_.CurrentIndex);
    step.Done(renamed ? "Rename of Skill " + Quoted(names[skill])
                      : "Changes to " + record->RecordName);
}

void TView::ItemListDblClick()
{
    if (Skills.editorOpensOnDoubleClick) {
        EditSkillBtnClick();
    }
}

}  // namespace quillmark
