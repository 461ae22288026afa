#pragma once

#include "forms/controls.h"
#include "server/server_database.h"

#include <string>

namespace quillmark {

// Asked at Save for each record this user changed that another user changed (or deleted)
// since: whose version to keep, or not to save now.
class TServerConflictForm {
public:
    explicit TServerConflictForm(const SaveConflict& conflict);

    enum class Choice { Cancel, KeepTheirs, KeepMine };

    std::string Caption = "Changed By Another User";
    LabelControl Message;
    ButtonControl KeepTheirsBtn;
    ButtonControl KeepMineBtn;
    ButtonControl CancelBtn{"Cancel", "Save nothing now"};

    void KeepTheirsBtnClick() { Close(Choice::KeepTheirs); }
    void KeepMineBtnClick() { Close(Choice::KeepMine); }
    void CancelBtnClick() { Close(Choice::Cancel); }

    bool Closed = false;
    Choice Chosen = Choice::Cancel;

private:
    void Close(Choice choice)
    {
        Chosen = choice;
        Closed = true;
    }
};

}  // namespace quillmark
