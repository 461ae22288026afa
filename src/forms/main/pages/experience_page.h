#pragma once

#include "core/item_record.h"
#include "engine/experience_table.h"
#include "forms/controls.h"
#include "forms/services.h"

#include <string>
#include <vector>

namespace quillmark {

// The "Experience" page: the record's table of previous employment.
struct ExperiencePage {
    // The entries of PrintMenu, which pops up under the print button.
    enum PrintMenuEntry { PrintSettingsEntry = 1, PrintEntry = 2 };
    static constexpr const char* GridName = "DirGrid";

    ExperienceTable DirGrid;
    bool editable = true;
    ButtonControl PrintDirectoryBtn{"Print Experience", ""};
    std::vector<MenuItemControl> PrintMenu{{"Print Settings", PrintSettingsEntry, true, {}},
                                           {"Print", PrintEntry, true, {}}};

    ExperiencePage() { DirGrid.SetHeader(); }

    void Load(const ItemRecord& record)
    {
        DirGrid.ClearCells();
        ReadExperienceStream(record.ExperienceStream, DirGrid);
        DirGrid.SetHeader();
    }
    void Store(ItemRecord& record) const
    {
        record.ExperienceStream = WriteExperienceStream(DirGrid);
    }
    void SetReadOnly(bool readOnly) { editable = !readOnly; }

    // The table as it goes to the printer, headed by the employee's name: the header row,
    // then the rows down to the last one with any text.
    PrintableTable TableToPrint(const std::string& employeeName) const;
};

}  // namespace quillmark
