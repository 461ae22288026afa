#include "ui/search/select_skills_dialog.h"

#include "forms/search/select_skills_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QLineEdit* Box(const char* name, EditControl& control, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    Render(box, control);
    Bind(box, control);
    return box;
}

QRadioButton* Choice(const char* name, CheckControl& control, QWidget* parent)
{
    auto* button = new QRadioButton(ToQt(control.caption), parent);
    button->setObjectName(name);
    Render(button, control);
    Bind(button, control);
    return button;
}

}  // namespace

SelectSkillsDialog::SelectSkillsDialog(TSelectSkillsForm& form, QWidget* parent)
    : QDialog(parent), form_(form)
{
    setObjectName("SelectSkillsForm");
    setWindowTitle(ToQt(form.Caption));

    skill_ = new QComboBox(this);
    skill_->setObjectName("Skill");
    skill_->setMinimumWidth(220);
    Render(skill_, form.Skill);
    Bind(skill_, form.Skill);
    QLineEdit* low = Box("PLowValue", form.PLowValue, this);
    QLineEdit* high = Box("pHighValue", form.pHighValue, this);
    QLineEdit* notes = Box("Notes", form.Notes, this);
    notes->setMinimumWidth(260);

    auto* proficiency = new QHBoxLayout;
    auto* from = new QLabel(ToQt(form.FromLabel.caption), this);
    LabelFor(from, low);
    auto* to = new QLabel(ToQt(form.ToLabel.caption), this);
    LabelFor(to, high);
    proficiency->addWidget(from);
    proficiency->addWidget(low);
    proficiency->addWidget(to);
    proficiency->addWidget(high);
    auto* match = new QHBoxLayout;
    match->addWidget(Choice("FullMatch", form.FullMatch, this));
    match->addWidget(Choice("PartialMatch", form.PartialMatch, this));

    auto* boxes = new QFormLayout;
    boxes->addRow(ToQt(form.SkillLabel.caption), skill_);
    boxes->addRow(ToQt(form.ProficiencyLabel.caption), proficiency);
    boxes->addRow(ToQt(form.NotesLabel.caption), notes);
    boxes->addRow(QString(), match);

    QDialogButtonBox* buttons = FormButtons(form_, this, [this] { skill_->setFocus(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(buttons);
}

}  // namespace quillmark
