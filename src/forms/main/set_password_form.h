#pragma once

#include "forms/controls.h"

#include <string>

namespace quillmark {

class Dialogs;

// The "Set Database Password" dialog: the password needed to open the database and the one
// needed to save it, each typed twice. Every edit shows "*" for each character.
class TSetPasswordForm {
public:
    // The passwords as they are now, in plain text, and whether the file is kept encrypted.
    TSetPasswordForm(Dialogs& dialogs, const std::string& readPassword,
                     const std::string& savePassword, bool encrypted = false);
    ~TSetPasswordForm();  // wipes the passwords typed
    TSetPasswordForm(const TSetPasswordForm&) = delete;
    TSetPasswordForm& operator=(const TSetPasswordForm&) = delete;

    std::string Caption = "Set Database Password";
    LabelControl ReadGroup{"Password to Read"};
    LabelControl SaveGroup{"Password to Save"};
    LabelControl ReadPasswordLabel{"Read Password"};
    LabelControl ReadPassword2Label{"Re-type Read Password"};
    LabelControl SavePasswordLabel{"Save Pasword"};
    LabelControl SavePassword2Label{"Re-type Save Password"};
    EditControl ReadPassword;
    EditControl ReadPassword2;
    EditControl SavePassword;
    EditControl SavePassword2;
    // Encrypting needs a read password: it is the key.
    CheckControl EncryptBox{"Encrypt the file with the read password"};
    ButtonControl OKBtn{"OK", ""};
    ButtonControl CancelBtn{"Cancel", ""};

    // Typing in the first read password box.
    void ReadPasswordChange();
    // Closes only when both pairs match; otherwise says which pair differs.
    void OKBtnClick();
    // What OK leaves: encrypted only with a read password.
    bool Encrypt() const { return EncryptBox.checked && EncryptBox.enabled; }
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    bool Accepted = false;

private:
    Dialogs& dialogs_;
};

}  // namespace quillmark
