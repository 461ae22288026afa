#pragma once

#include "app/controls.h"
#include "core/item_record.h"
#include "search/experience_table.h"

namespace quillmark {

// The "Experience" page: the record's table of previous employment.
struct ExperiencePage {
    ExperienceTable DirGrid;
    bool editable = true;
    ButtonControl PrintDirectoryBtn{"Print Experience", "", false};  // printing is not built yet

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
};

}  // namespace quillmark
