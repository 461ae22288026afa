#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace quillmark {

class TSelectSkillsForm;

// The "Select Skill" dialog over its form; Escape or the title bar leave the term as it was.
class SelectSkillsDialog : public QDialog {
public:
    SelectSkillsDialog(TSelectSkillsForm& form, QWidget* parent);

private:
    TSelectSkillsForm& form_;
    QComboBox* skill_ = nullptr;
};

}  // namespace quillmark
