#pragma once

#include "core/one_based_array.h"
#include "core/skill_set.h"
#include "engine/search/search_terms.h"
#include "forms/controls.h"

#include <string>

namespace quillmark {

class Dialogs;

// The "Select Skill" dialog: a skill by its name, a proficiency range and text sought in the
// skill's notes.
class TSelectSkillsForm {
public:
    TSelectSkillsForm(Dialogs& dialogs, const SearchRecord& term,
                      const OneBasedArray<std::string, SkillSet::Count>& skillNames);

    std::string Caption = "Select Skill";
    LabelControl SkillLabel{"Select Skill:"};
    ChoiceControl Skill;  // all 100 names in order, empty ones too
    LabelControl ProficiencyLabel{"Proficiency"};
    LabelControl FromLabel{"From"};
    EditControl PLowValue;
    LabelControl ToLabel{"To"};
    EditControl pHighValue;
    LabelControl NotesLabel{"Notes:"};
    EditControl Notes;
    CheckControl FullMatch{"Full Match"};
    CheckControl PartialMatch{"Partial Match"};
    ButtonControl CancelBtn{"Cancel", ""};
    ButtonControl OKBtn{"OK", ""};

    void FullMatchClick();
    void OKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    std::string FocusedControl;  // "Skill" after a name that is not in the list

    // At "OK": the term's skill values and the text its value cell shows.
    bool Accepted = false;
    SearchRecord Term;
    std::string ValueText;

private:
    Dialogs& dialogs_;
};

}  // namespace quillmark
