#pragma once

#include "forms/controls.h"

#include <string>

namespace quillmark {

class Dialogs;

// One skill as the skill dialog edits it: its name, which belongs to the database, and the
// record's check mark, proficiency and notes for it.
struct SkillValues {
    std::string title;
    bool hasSkill = false;
    std::string proficiency;
    std::string notes;
    bool operator==(const SkillValues&) const = default;
};

// The "Edit Skill" dialog. It keeps the four values it was opened with until "OK" takes the
// ones shown; the title is changed through an input box, by double-clicking it.
class TEditSkillForm {
public:
    TEditSkillForm(Dialogs& dialogs, SkillValues values);

    std::string Caption = "Edit Skill";
    LabelControl SkillTitleCaption{"Skill Title"};  // shown underlined
    CheckControl HasSkill{"Has Skill"};
    LabelControl ProficiencyLabel{"Proficiency"};
    EditControl SkillProficiency;
    LabelControl NotesLabel{"Notes"};
    EditControl SkillNotes;
    LabelControl HintLabel{
        "To change skill title double-click underlined skill title at the top of this window.."};
    ButtonControl CancelBtn{"Cancel", ""};
    ButtonControl OKBtn{"OK", ""};

    void SkillTitleCaptionDblClick();
    void OKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    // What the dialog hands back: the values it was opened with, or those shown at "OK".
    const SkillValues& Values() const { return values_; }

private:
    Dialogs& dialogs_;
    SkillValues values_;
};

}  // namespace quillmark
