#include "forms/main/server_conflict_form.h"

namespace quillmark {

TServerConflictForm::TServerConflictForm(const SaveConflict& conflict)
{
    const std::string name = conflict.record->RecordName.empty() ? "A record without a name"
                                                                 : conflict.record->RecordName;
    switch (conflict.kind) {
    case SaveConflict::ChangedByOther:
        Message.caption = name + " was changed by another user since you opened the database.";
        KeepTheirsBtn = {"Keep Theirs", "Show the record as the other user saved it"};
        KeepMineBtn = {"Keep Mine", "Save your changes over theirs"};
        break;
    case SaveConflict::DeletedByOther:
        Caption = "Deleted By Another User";
        Message.caption = name +
                          " was deleted by another user since you opened the database.  You "
                          "changed it meanwhile.";
        KeepTheirsBtn = {"Keep Theirs", "Delete the record here too"};
        KeepMineBtn = {"Keep Mine", "Save your record as a new one"};
        break;
    case SaveConflict::RemovedHere:
        Message.caption = name +
                          " was changed by another user since you opened the database.  You "
                          "deleted it meanwhile.";
        KeepTheirsBtn = {"Keep Theirs", "Bring the record back as the other user saved it"};
        KeepMineBtn = {"Keep Mine", "Delete the record"};
        break;
    }
}

}  // namespace quillmark
