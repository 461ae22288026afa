#pragma once

#include "forms/controls.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// The modal list of record names the user picks one from: one selection at most, the names
// in the order they were added, "Display" and "Close".
class TPickListForm {
public:
    struct Entry {
        std::string name;
        int position;  // the record's position in the record list
    };

    std::string Caption = "Display Record";
    std::vector<Entry> Items;
    std::string ItemsName = "Records";  // what a screen reader calls the list
    int ItemIndex = -1;                 // the selected entry; -1 for none
    ButtonControl DisplayBtn{"Display", ""};
    ButtonControl CloseBtn{"Close", ""};

    // Empties the list for a new showing.
    void Clear();
    void Add(std::string name, int position);

    // Both close the list; only "Display" with an entry selected picks a record.
    void DisplayBtnClick();
    void CloseBtnClick() { Closed = true; }

    bool Closed = false;
    // The position of the picked record, once "Display" was pressed on an entry.
    std::optional<int> Picked;
};

}  // namespace quillmark
