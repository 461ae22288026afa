#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quillmark {

class TEditSkillForm;

// The "Edit Skill" dialog over its form; it closes when the form says so. Closing it any other
// way (Escape, the title bar) keeps the values it was opened with, as "Cancel" does.
class EditSkillDialog : public QDialog {
public:
    EditSkillDialog(TEditSkillForm& form, QWidget* parent);

private:
    void Render();

    TEditSkillForm& form_;
    QLabel* title_ = nullptr;
    QCheckBox* hasSkill_ = nullptr;
    QLineEdit* proficiency_ = nullptr;
    QLineEdit* notes_ = nullptr;
};

}  // namespace quillmark
