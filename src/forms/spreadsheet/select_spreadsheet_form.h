#pragma once

#include "core/program_settings.h"
#include "forms/controls.h"

#include <array>
#include <string>
#include <vector>

namespace quillmark {

// The spreadsheet's column chooser: the columns shown, in order, picked from a menu of every
// field. Made when opened and dropped when closed.
class TSelectSpreadsheetForm {
public:
    using Columns = std::array<int, SpreadsheetColumnCount>;

    // The menu has an entry for each field a column may show, in the order of their column codes,
    // and carries the codes. titles: what the entries read, in menu order; columns: the codes
    // shown.
    TSelectSpreadsheetForm(const std::vector<std::string>& titles, const Columns& columns);

    struct FieldLine {
        std::string title;
        int code = 0;
        bool operator==(const FieldLine&) const = default;
    };

    std::string Caption = "Select Spreadsheet Fields";
    LabelControl FieldsLabel{"Spreadsheet Items"};
    std::vector<FieldLine> Fields;
    int ItemIndex = -1;                      // the selected line of Fields; -1 for none
    std::vector<MenuItemControl> FieldMenu;  // what "Add" pops up
    ButtonControl AddBtn{"Add", ""};
    ButtonControl RemoveBtn{"Remove", ""};
    ButtonControl UpBtn{"Move Up", ""};
    ButtonControl DownBtn{"Move Down", ""};
    ButtonControl OKBtn{"OK", ""};
    ButtonControl CancelBtn{"Cancel", ""};

    void FieldMenuClick(int entry);  // an entry of FieldMenu, by its index
    void RemoveBtnClick();
    void UpBtnClick();
    void DownBtnClick();
    void OKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    // At "OK": the codes of Fields from the first column on, -1 after them.
    bool Accepted = false;
    Columns Chosen{};

private:
    int EntryOfCode(int code) const;  // -1 for a code no entry carries
    void AddField(int entry);
    void SetMenuEntry(int code, bool enabled);
};

}  // namespace quillmark
