#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"
#include "forms/controls.h"
#include "forms/main/edit_skill_form.h"

#include <string>
#include <vector>

namespace quillmark {

// One row of the skill list: check mark, the skill's name, proficiency and notes.
struct SkillRow {
    bool checked = false;
    std::string caption;
    std::string proficiency;
    std::string notes;
    bool operator==(const SkillRow&) const = default;
};

// The "Skills" page: the database's 100 skills with this record's values.
struct SkillsPage {
    static constexpr const char* Columns[3] = {"Skill", "Proficiency", "Notes"};
    static constexpr int ColumnWidths[3] = {150, 100, 285};
    std::vector<SkillRow> ItemList = std::vector<SkillRow>(SkillSet::Count);
    int SelectedRow = -1;  // 0-based, the last row selected; -1 when no row is selected
    ButtonControl EditSkillBtn{"Edit Skill", ""};
    bool editorOpensOnDoubleClick = true;
    bool checksLocked = false;  // the check marks cannot be clicked while the record is read-only

    // The skill of the selected row, 1..100; 0 when no row is selected.
    int SelectedSkill() const;
    void SetRow(int skill, const SkillValues& values);
    // The check mark of a row (0-based) was clicked: the person has the skill or not.
    void ItemListCheckClick(int row);

    void Load(const ItemRecord& record,
              const OneBasedArray<std::string, SkillSet::Count>& skillNames);
    void Store(ItemRecord& record) const;
    // A read-only record's skills cannot be edited from the button either.
    void SetReadOnly(bool readOnly)
    {
        editorOpensOnDoubleClick = !readOnly;
        checksLocked = readOnly;
        EditSkillBtn.enabled = !readOnly;
    }
};

}  // namespace quillmark
