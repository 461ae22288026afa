#include "core/skill_set.h"

#include <algorithm>
#include <stdexcept>

namespace quillmark {

namespace {

const std::string EmptyText;

void CheckSkillNumber(int skill)
{
    if (skill < 1 || skill > SkillSet::Count) {
        throw std::out_of_range("skill number out of range");
    }
}

}  // namespace

bool SkillSet::HasSkill(int skill) const
{
    CheckSkillNumber(skill);
    return has_.test(static_cast<std::size_t>(skill - 1));
}

const std::string& SkillSet::SkillProficiency(int skill) const
{
    const SkillTexts* texts = Find(skill);
    return texts ? texts->proficiency : EmptyText;
}

const std::string& SkillSet::SkillNotes(int skill) const
{
    const SkillTexts* texts = Find(skill);
    return texts ? texts->notes : EmptyText;
}

void SkillSet::SetHasSkill(int skill, bool has)
{
    CheckSkillNumber(skill);
    has_.set(static_cast<std::size_t>(skill - 1), has);
}

void SkillSet::SetSkillProficiency(int skill, std::string text)
{
    CheckSkillNumber(skill);
    if (text.empty() && !Find(skill)) {
        return;
    }
    FindOrAdd(skill).proficiency = std::move(text);
    DropIfEmpty(skill);
}

void SkillSet::SetSkillNotes(int skill, std::string text)
{
    CheckSkillNumber(skill);
    if (text.empty() && !Find(skill)) {
        return;
    }
    FindOrAdd(skill).notes = std::move(text);
    DropIfEmpty(skill);
}

const SkillSet::SkillTexts* SkillSet::Find(int skill) const
{
    CheckSkillNumber(skill);
    auto found = std::lower_bound(texts_.begin(), texts_.end(), skill,
                                  [](const SkillTexts& t, int n) { return t.skill < n; });
    return found != texts_.end() && found->skill == skill ? &*found : nullptr;
}

SkillSet::SkillTexts& SkillSet::FindOrAdd(int skill)
{
    auto found = std::lower_bound(texts_.begin(), texts_.end(), skill,
                                  [](const SkillTexts& t, int n) { return t.skill < n; });
    if (found != texts_.end() && found->skill == skill) {
        return *found;
    }
    SkillTexts added;
    added.skill = static_cast<std::uint8_t>(skill);
    return *texts_.insert(found, std::move(added));
}

void SkillSet::DropIfEmpty(int skill)
{
    std::erase_if(texts_, [skill](const SkillTexts& t) {
        return t.skill == skill && t.proficiency.empty() && t.notes.empty();
    });
}

}  // namespace quillmark
