#include "core/skill_set.h"

#include "core/string_list.h"

#include <stdexcept>

namespace quillmark {

namespace {

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

std::string_view SkillSet::SkillProficiency(int skill) const
{
    return Find(skill).proficiency;
}

std::string_view SkillSet::SkillNotes(int skill) const
{
    return Find(skill).notes;
}

void SkillSet::SetHasSkill(int skill, bool has)
{
    CheckSkillNumber(skill);
    has_.set(static_cast<std::size_t>(skill - 1), has);
}

void SkillSet::SetSkillProficiency(int skill, std::string_view text)
{
    const Entry entry = Find(skill);
    if (text != entry.proficiency) {
        Replace(skill, text, entry.notes);
    }
}

void SkillSet::SetSkillNotes(int skill, std::string_view text)
{
    const Entry entry = Find(skill);
    if (text != entry.notes) {
        Replace(skill, entry.proficiency, text);
    }
}

void SkillSet::SetSkillTexts(int skill, std::string_view proficiency, std::string_view notes)
{
    const Entry entry = Find(skill);
    if (proficiency != entry.proficiency || notes != entry.notes) {
        Replace(skill, proficiency, notes);
    }
}

void SkillSet::Clear()
{
    has_.reset();
    texts_.clear();
    lastSkill_ = 0;
}

SkillSet::Entry SkillSet::Find(int skill) const
{
    CheckSkillNumber(skill);
    Entry entry;
    if (skill > lastSkill_) {
        entry.start = entry.end = texts_.size();
        return entry;
    }
    const char* at = texts_.data();
    const char* const end = texts_.data() + texts_.size();
    while (at != end) {
        const char* const start = at;
        const int number = static_cast<unsigned char>(*at++);
        const std::string_view proficiency = packed::NextText(at);
        const std::string_view notes = packed::NextText(at);
        if (number >= skill) {
            entry.start = static_cast<std::size_t>(start - texts_.data());
            if (number == skill) {
                entry.end = static_cast<std::size_t>(at - texts_.data());
                entry.proficiency = proficiency;
                entry.notes = notes;
            } else {
                entry.end = entry.start;
            }
            return entry;
        }
    }
    entry.start = entry.end = texts_.size();
    return entry;
}

void SkillSet::Replace(int skill, std::string_view proficiency, std::string_view notes)
{
    // A set filled from a file comes in order: each new entry goes at the end.
    if (skill > lastSkill_ && (!proficiency.empty() || !notes.empty())) {
        CheckSkillNumber(skill);
        texts_.push_back(static_cast<char>(skill));
        packed::AppendText(texts_, proficiency);
        packed::AppendText(texts_, notes);
        lastSkill_ = skill;
        return;
    }
    const Entry old = Find(skill);
    std::string entry;
    if (!proficiency.empty() || !notes.empty()) {
        entry.push_back(static_cast<char>(skill));
        packed::AppendText(entry, proficiency);
        packed::AppendText(entry, notes);
    }
    // The views may point into texts_: the new entry is complete before texts_ changes.
    texts_.replace(old.start, old.end - old.start, entry);
    if (!entry.empty() && skill > lastSkill_) {
        lastSkill_ = skill;
    } else if (entry.empty() && skill == lastSkill_) {
        lastSkill_ = 0;
        for (const char* at = texts_.data(); at != texts_.data() + texts_.size();) {
            lastSkill_ = static_cast<unsigned char>(*at++);
            packed::NextText(at);
            packed::NextText(at);
        }
    }
}

}  // namespace quillmark
