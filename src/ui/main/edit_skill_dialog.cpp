#include "ui/main/edit_skill_dialog.h"

#include "forms/main/edit_skill_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace quillmark {

namespace {

// The skill's name, underlined to show that a double-click changes it.
class SkillTitleLabel : public QLabel {
public:
    SkillTitleLabel(std::function<void()> doubleClicked, QWidget* parent)
        : QLabel(parent), doubleClicked_(std::move(doubleClicked))
    {
        QFont underlined = font();
        underlined.setUnderline(true);
        underlined.setBold(true);
        setFont(underlined);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { doubleClicked_(); }

private:
    std::function<void()> doubleClicked_;
};

}  // namespace

EditSkillDialog::EditSkillDialog(TEditSkillForm& form, QWidget* parent)
    : QDialog(parent), form_(form)
{
    setObjectName("EditSkillForm");
    setWindowTitle(ToQt(form.Caption));

    title_ = new SkillTitleLabel(
        [this] {
            form_.SkillTitleCaptionDblClick();
            Render();
        },
        this);
    title_->setObjectName("SkillTitleCaption");
    hasSkill_ = new QCheckBox(this);
    hasSkill_->setObjectName("HasSkill");
    proficiency_ = new QLineEdit(this);
    proficiency_->setObjectName("SkillProficiency");
    notes_ = new QLineEdit(this);
    notes_->setObjectName("SkillNotes");
    notes_->setMinimumWidth(280);
    Render();
    Bind(hasSkill_, form.HasSkill);
    Bind(proficiency_, form.SkillProficiency);
    Bind(notes_, form.SkillNotes);

    auto* boxes = new QFormLayout;
    boxes->addRow(hasSkill_);
    boxes->addRow(ToQt(form.ProficiencyLabel.caption), proficiency_);
    boxes->addRow(ToQt(form.NotesLabel.caption), notes_);
    auto* hint = new QLabel(ToQt(form.HintLabel.caption), this);
    hint->setWordWrap(true);

    QDialogButtonBox* buttons = FormButtons(form_, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addLayout(boxes);
    layout->addWidget(hint);
    layout->addWidget(buttons);
}

void EditSkillDialog::Render()
{
    quillmark::Render(title_, form_.SkillTitleCaption);
    quillmark::Render(hasSkill_, form_.HasSkill);
    quillmark::Render(proficiency_, form_.SkillProficiency);
    quillmark::Render(notes_, form_.SkillNotes);
}

}  // namespace quillmark
