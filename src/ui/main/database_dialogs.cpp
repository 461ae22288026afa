#include "ui/main/database_dialogs.h"

#include "forms/main/database_information_form.h"
#include "forms/main/set_password_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QLineEdit* BoundEdit(EditControl& control, const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    Render(edit, control);
    Bind(edit, control);
    return edit;
}

}  // namespace

DatabaseInformationDialog::DatabaseInformationDialog(TDatabaseInformationForm& form,
                                                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName("DatabaseInformationForm");
    setWindowTitle(ToQt(form.Caption));
    auto* top = new QFormLayout;
    auto* address = new QGroupBox(ToQt(form.AddressGroup.caption), this);
    auto* addressLayout = new QFormLayout(address);
    for (std::size_t i : TDatabaseInformationForm::DisplayOrder) {
        QLineEdit* edit = BoundEdit(
            form.Fields[i], QLatin1StringView(TDatabaseInformationForm::FieldName(i)), this);
        // Name and owner above; the owner's address and contacts grouped below.
        (i < 2 ? top : addressLayout)->addRow(ToQt(form.FieldLabels[i].caption), edit);
    }
    auto* notes = new QPlainTextEdit(this);
    notes->setObjectName("DatabaseNotes");
    Render(notes, form.DatabaseNotes);
    Bind(notes, form.DatabaseNotes);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(address);
    auto* notesLabel = new QLabel(ToQt(form.NotesLabel.caption), this);
    LabelFor(notesLabel, notes);
    layout->addWidget(notesLabel);
    layout->addWidget(notes, 1);
    layout->addWidget(FormButtons(form, this));
    resize(420, 560);
}

SetPasswordDialog::SetPasswordDialog(TSetPasswordForm& form, QWidget* parent) : QDialog(parent)
{
    setObjectName("SetPasswordForm");
    setWindowTitle(ToQt(form.Caption));
    auto group = [&](const LabelControl& caption, EditControl& first,
                     const LabelControl& firstLabel, const QString& firstName, EditControl& second,
                     const LabelControl& secondLabel, const QString& secondName) {
        auto* box = new QGroupBox(ToQt(caption.caption), this);
        auto* rows = new QFormLayout(box);
        for (auto [control, label, name] : {std::tuple{&first, &firstLabel, firstName},
                                            std::tuple{&second, &secondLabel, secondName}}) {
            QLineEdit* edit = BoundEdit(*control, name, box);
            edit->setEchoMode(QLineEdit::Password);
            rows->addRow(ToQt(label->caption), edit);
        }
        return box;
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(form.ReadGroup, form.ReadPassword, form.ReadPasswordLabel,
                            QStringLiteral("ReadPassword"), form.ReadPassword2,
                            form.ReadPassword2Label, QStringLiteral("ReadPassword2")));
    auto* encrypt = new QCheckBox(ToQt(form.EncryptBox.caption), this);
    encrypt->setObjectName("EncryptBox");
    Render(encrypt, form.EncryptBox);
    Bind(encrypt, form.EncryptBox);
    if (auto* read = findChild<QLineEdit*>(QStringLiteral("ReadPassword"))) {
        // Bound first, so the form reads what was typed.
        connect(read, &QLineEdit::textChanged, encrypt, [&form, encrypt] {
            form.ReadPasswordChange();
            Render(encrypt, form.EncryptBox);
        });
    }
    layout->addWidget(encrypt);
    layout->addWidget(group(form.SaveGroup, form.SavePassword, form.SavePasswordLabel,
                            QStringLiteral("SavePassword"), form.SavePassword2,
                            form.SavePassword2Label, QStringLiteral("SavePassword2")));
    layout->addWidget(FormButtons(form, this));
}

}  // namespace quillmark
