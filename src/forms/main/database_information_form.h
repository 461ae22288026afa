#pragma once

#include "core/database.h"
#include "forms/controls.h"

#include <array>
#include <string>

namespace quillmark {

// The "Database Information" dialog: who keeps the database, and notes about it.
class TDatabaseInformationForm {
public:
    explicit TDatabaseInformationForm(const DatabaseRecord& information);

    std::string Caption = "Database Information";
    // In the order of the information block: DatabaseName, DatabaseOwner, OwnerStreet,
    // OwnerCity, OwnerCountry, OwnerZipCode, OwnerHomePhone, OwnerWorkPhone,
    // OwnerEmailAddress, OwnerWebPage.
    std::array<EditControl, 10> Fields;
    std::array<LabelControl, 10> FieldLabels;
    LabelControl AddressGroup{"Owner Address"};
    LabelControl NotesLabel{"Notes"};
    MemoControl DatabaseNotes;
    ButtonControl OKBtn{"OK", ""};
    ButtonControl CancelBtn{"Cancel", ""};

    static const char* FieldName(std::size_t index);  // the edit's name, "OwnerCity"
    // The dialog lists the zip code before the country, as addresses are written.
    static constexpr std::array<std::size_t, 10> DisplayOrder = {0, 1, 2, 3, 5, 4, 6, 7, 8, 9};

    void OKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    bool Accepted = false;
    // The edited block, once OK was pressed.
    DatabaseRecord Result() const;
};

}  // namespace quillmark
