#include "forms/search/select_skills_form.h"

#include "forms/services.h"

#include <algorithm>

namespace quillmark {

TSelectSkillsForm::TSelectSkillsForm(Dialogs& dialogs, const SearchRecord& term,
                                     const OneBasedArray<std::string, SkillSet::Count>& skillNames)
    : Term(term), dialogs_(dialogs)
{
    Skill.items.assign(skillNames.begin(), skillNames.end());
    Skill.editable = true;
    Skill.text = term.SkillName;
    PLowValue.text = term.FromValue;
    pHighValue.text = term.ToValue;
    Notes.text = term.NotesValue;
    FullMatch.checked = term.MatchMode == 1;
    PartialMatch.checked = !FullMatch.checked;
}

void TSelectSkillsForm::FullMatchClick()
{
    FullMatch.checked = true;
    PartialMatch.checked = false;
}

void TSelectSkillsForm::OKBtnClick()
{
    if (std::find(Skill.items.begin(), Skill.items.end(), Skill.text) == Skill.items.end()) {
        dialogs_.ShowInformation("Please select a valid skill.");
        FocusedControl = "Skill";
        return;
    }
    Term.FromValue = PLowValue.text;
    Term.ToValue = pHighValue.text;
    Term.NotesValue = Notes.text;
    Term.SkillName = Skill.text;
    Term.MatchMode = PartialMatch.checked ? 2 : 1;

    ValueText = Term.SkillName;
    if (!Term.FromValue.empty() && !Term.ToValue.empty()) {
        ValueText += " with proficiency " + Term.FromValue + " < " + Term.ToValue;
    } else if (!Term.FromValue.empty()) {
        ValueText += " with proficiency >" + Term.FromValue;
    } else if (!Term.ToValue.empty()) {
        ValueText += " with proficiency < " + Term.ToValue;
    }
    if (!Term.NotesValue.empty()) {
        ValueText += " Notes " + Term.NotesValue;
    }
    Accepted = true;
    Closed = true;
}

}  // namespace quillmark
