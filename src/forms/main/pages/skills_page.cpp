#include "forms/main/pages/skills_page.h"

namespace quillmark {

int SkillsPage::SelectedSkill() const
{
    return SelectedRow >= 0 && SelectedRow < static_cast<int>(ItemList.size()) ? SelectedRow + 1
                                                                               : 0;
}

void SkillsPage::SetRow(int skill, const SkillValues& values)
{
    ItemList.at(static_cast<std::size_t>(skill - 1)) = {values.hasSkill, values.title,
                                                        values.proficiency, values.notes};
}

void SkillsPage::ItemListCheckClick(int row)
{
    if (!checksLocked && row >= 0 && row < static_cast<int>(ItemList.size())) {
        SkillRow& skill = ItemList[static_cast<std::size_t>(row)];
        skill.checked = !skill.checked;
    }
}

void SkillsPage::Load(const ItemRecord& record,
                      const OneBasedArray<std::string, SkillSet::Count>& skillNames)
{
    ItemList.assign(SkillSet::Count, SkillRow{});
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        SkillRow& row = ItemList[static_cast<std::size_t>(skill - 1)];
        row.caption = skillNames[skill];
        row.checked = record.Skills.HasSkill(skill);
        row.proficiency = record.Skills.SkillProficiency(skill);
        row.notes = record.Skills.SkillNotes(skill);
    }
}

void SkillsPage::Store(ItemRecord& record) const
{
    for (int skill = 1; skill <= SkillSet::Count && skill <= static_cast<int>(ItemList.size());
         ++skill) {
        const SkillRow& row = ItemList[static_cast<std::size_t>(skill - 1)];
        record.Skills.SetHasSkill(skill, row.checked);
        record.Skills.SetSkillProficiency(skill, row.proficiency);
        record.Skills.SetSkillNotes(skill, row.notes);
    }
}

}  // namespace quillmark
