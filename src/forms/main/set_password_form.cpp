#include "forms/main/set_password_form.h"

#include "core/secret_text.h"
#include "forms/services.h"

namespace quillmark {

TSetPasswordForm::TSetPasswordForm(Dialogs& dialogs, const std::string& readPassword,
                                   const std::string& savePassword, bool encrypted)
    : dialogs_(dialogs)
{
    ReadPassword.text = readPassword;
    ReadPassword2.text = readPassword;
    SavePassword.text = savePassword;
    SavePassword2.text = savePassword;
    EncryptBox.checked = encrypted;
    ReadPasswordChange();
}

TSetPasswordForm::~TSetPasswordForm()
{
    for (EditControl* edit : {&ReadPassword, &ReadPassword2, &SavePassword, &SavePassword2}) {
        WipeText(edit->text);
    }
}

void TSetPasswordForm::ReadPasswordChange()
{
    EncryptBox.enabled = !ReadPassword.text.empty();
}

void TSetPasswordForm::OKBtnClick()
{
    if (ReadPassword.text != ReadPassword2.text) {
        dialogs_.ShowInformation("The read passwords do not match.");
        return;
    }
    if (SavePassword.text != SavePassword2.text) {
        dialogs_.ShowInformation("The save passwords do not match.");
        return;
    }
    Accepted = true;
    Closed = true;
}

}  // namespace quillmark
