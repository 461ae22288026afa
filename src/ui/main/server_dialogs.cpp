#include "ui/main/server_dialogs.h"

#include "forms/main/server_conflict_form.h"
#include "forms/main/server_database_form.h"
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
#include <QVBoxLayout>

namespace quillmark {

namespace {

QLineEdit* NamedEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

}  // namespace

ServerDatabaseDialog::ServerDatabaseDialog(TServerDatabaseForm& form, QWidget* parent)
    : QDialog(parent), form_(form)
{
    setObjectName("ServerDatabaseForm");
    setWindowTitle(ToQt(form.Caption));
    host_ = NamedEdit("Host", this);
    host_->setMinimumWidth(260);
    port_ = NamedEdit("Port", this);
    serverDatabase_ = NamedEdit("ServerDatabase", this);
    user_ = NamedEdit("User", this);
    databaseName_ = new QComboBox(this);
    databaseName_->setObjectName("DatabaseName");
    Render();
    Bind(host_, form.Host);
    Bind(port_, form.Port);
    Bind(serverDatabase_, form.ServerDatabase);
    Bind(user_, form.User);
    Bind(databaseName_, form.DatabaseName);

    auto* boxes = new QFormLayout;
    boxes->addRow(ToQt(form.HostLabel.caption), host_);
    boxes->addRow(ToQt(form.PortLabel.caption), port_);
    boxes->addRow(ToQt(form.ServerDatabaseLabel.caption), serverDatabase_);
    boxes->addRow(ToQt(form.UserLabel.caption), user_);
    QPushButton* list = FormButton("ListBtn", form.ListBtn, this, ButtonKind::Hinted);
    list->setAutoDefault(false);
    connect(list, &QPushButton::clicked, this, [this] {
        form_.ListBtnClick();
        Render();
        databaseName_->setFocus();
    });
    auto* name = new QHBoxLayout;
    name->addWidget(databaseName_, 1);
    name->addWidget(list);
    // The row holds the box and its button, so the label names the box itself.
    auto* nameLabel = new QLabel(ToQt(form.DatabaseNameLabel.caption), this);
    nameLabel->setBuddy(databaseName_);
    boxes->addRow(nameLabel, name);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(FormButtons(form_, this));
}

void ServerDatabaseDialog::Render()
{
    quillmark::Render(host_, form_.Host);
    quillmark::Render(port_, form_.Port);
    quillmark::Render(serverDatabase_, form_.ServerDatabase);
    quillmark::Render(user_, form_.User);
    quillmark::Render(databaseName_, form_.DatabaseName);
}

ServerConflictDialog::ServerConflictDialog(TServerConflictForm& form, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("ServerConflictForm");
    setWindowTitle(ToQt(form.Caption));
    auto* message = new QLabel(ToQt(form.Message.caption), this);
    message->setObjectName("Message");
    message->setWordWrap(true);
    message->setMinimumWidth(380);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* theirs =
        AddFormButton(buttons, "KeepTheirsBtn", form.KeepTheirsBtn, QDialogButtonBox::AcceptRole);
    QPushButton* mine =
        AddFormButton(buttons, "KeepMineBtn", form.KeepMineBtn, QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        AddFormButton(buttons, "CancelBtn", form.CancelBtn, QDialogButtonBox::RejectRole);
    theirs->setToolTip(ToQt(form.KeepTheirsBtn.hint));
    mine->setToolTip(ToQt(form.KeepMineBtn.hint));
    cancel->setToolTip(ToQt(form.CancelBtn.hint));
    // Nothing is chosen for the user: no button is the default.
    for (QPushButton* button : {theirs, mine, cancel}) {
        button->setAutoDefault(false);
    }
    connect(theirs, &QPushButton::clicked, this, [this, &form] {
        form.KeepTheirsBtnClick();
        accept();
    });
    connect(mine, &QPushButton::clicked, this, [this, &form] {
        form.KeepMineBtnClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this, &form] {
        form.CancelBtnClick();
        reject();
    });
    // Escape and the title bar cancel too; the form starts out at Cancel.
    connect(this, &QDialog::rejected, this, [&form] { form.Closed = true; });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(buttons);
}

}  // namespace quillmark
