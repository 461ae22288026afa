#pragma once

#include "forms/controls.h"
#include "ui/icons.h"
#include "ui/text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

namespace quillmark {

// How a form's button sits on its window: a dialog's others do not become the default button
// by taking focus, so Enter keeps meaning OK; a hinted one shows its hint as its tooltip.
enum class ButtonKind { Plain, InDialog, Hinted };

// A push button for a form's button control, named as the form names it.
inline QPushButton* FormButton(const char* name, const ButtonControl& control, QWidget* parent,
                               ButtonKind kind = ButtonKind::Plain)
{
    auto* button = new QPushButton(ToQt(control.caption), parent);
    button->setObjectName(QLatin1StringView(name));
    if (kind == ButtonKind::InDialog) {
        button->setAutoDefault(false);
    } else if (kind == ButtonKind::Hinted) {
        button->setToolTip(ToQt(control.hint));
    }
    return button;
}

// A push button that shows an icon, with its caption beside it or none at all: its hint is its
// tooltip and, since an arrow or a sign says nothing aloud, what a screen reader says.
inline QPushButton* FormIconButton(const char* name, const char* icon, const ButtonControl& control,
                                   QWidget* parent, bool withCaption = true)
{
    auto* button = new QPushButton(ToolIcon(QLatin1StringView(icon)),
                                   withCaption ? ToQt(control.caption) : QString(), parent);
    button->setObjectName(QLatin1StringView(name));
    button->setToolTip(ToQt(control.hint));
    button->setAccessibleName(ToQt(control.hint));
    return button;
}

// A form's button in a dialog's button box, where the box's style orders it by its role.
inline QPushButton* AddFormButton(QDialogButtonBox* buttons, const char* name,
                                  const ButtonControl& control, QDialogButtonBox::ButtonRole role)
{
    QPushButton* button = buttons->addButton(ToQt(control.caption), role);
    button->setObjectName(QLatin1StringView(name));
    return button;
}

// OK and Cancel under a dialog's form, each running the form's handler: the dialog ends when
// OK leaves the form closed (else stillOpen runs, to put the user back where the fault is) and
// always on Cancel.
template <typename Form>
QDialogButtonBox* FormButtons(Form& form, QDialog* dialog, std::function<void()> stillOpen = {})
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = AddFormButton(buttons, "OKBtn", form.OKBtn, QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel =
        AddFormButton(buttons, "CancelBtn", form.CancelBtn, QDialogButtonBox::RejectRole);
    QObject::connect(ok, &QPushButton::clicked, dialog, [&form, dialog, stillOpen] {
        form.OKBtnClick();
        if (form.Closed) {
            dialog->accept();
        } else if (stillOpen) {
            stillOpen();
        }
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, [&form, dialog] {
        form.CancelBtnClick();
        dialog->reject();
    });
    return buttons;
}

}  // namespace quillmark
