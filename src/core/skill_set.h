#pragma once

#include "core/string_list.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// A record's values for the database's 100 skills: the check mark, the proficiency and the
// notes of each skill number 1..100. Most records fill only a handful of skills, so the texts
// are kept only for the skills that have one, all in one block of bytes: an untouched record
// costs a few bytes here instead of two hundred empty strings, and a full one little more than
// its texts.
class SkillSet {
public:
    static constexpr int Count = 100;

    bool HasSkill(int skill) const;
    std::string_view SkillProficiency(int skill) const;
    std::string_view SkillNotes(int skill) const;

    void SetHasSkill(int skill, bool has);
    void SetSkillProficiency(int skill, std::string_view text);
    void SetSkillNotes(int skill, std::string_view text);
    void SetSkillTexts(int skill, std::string_view proficiency, std::string_view notes);
    // Where the texts are kept: for asking the processor for them before they are read.
    const void* Storage() const { return texts_.data(); }
    // Unchecks every skill and drops every text, keeping the memory for filling the set again.
    void Clear();

    // Calls visit(skill, has, proficiency, notes) for each skill that is checked or has a text,
    // in the order of their numbers: for writing a whole record, one walk over what is there
    // instead of a look-up for each of the 100.
    template <typename Visitor>
    void VisitFilledSkills(Visitor&& visit) const
    {
        // The check marks as two words, skill 1 in the lowest bit.
        const std::uint64_t checked[2] = {
            (has_ & std::bitset<Count>(~std::uint64_t{0})).to_ullong(), (has_ >> 64).to_ullong()};
        const auto nextChecked = [&checked](int after) {
            for (int index = after; index < Count; index = (index / 64 + 1) * 64) {
                if (const std::uint64_t bits = checked[index / 64] >> (index % 64); bits != 0) {
                    return index + std::countr_zero(bits) + 1;
                }
            }
            return Count + 1;
        };
        const char* at = texts_.data();
        const char* const end = texts_.data() + texts_.size();
        for (int checkedSkill = nextChecked(0);;) {
            // Entries are kept in the order of their skills.
            const int textSkill = at != end ? static_cast<unsigned char>(*at) : Count + 1;
            const int skill = std::min(checkedSkill, textSkill);
            if (skill > Count) {
                return;
            }
            std::string_view proficiency;
            std::string_view notes;
            if (textSkill == skill) {
                ++at;
                proficiency = packed::NextText(at);
                notes = packed::NextText(at);
            }
            visit(skill, checkedSkill == skill, proficiency, notes);
            if (checkedSkill == skill) {
                checkedSkill = nextChecked(skill);
            }
        }
    }

    bool operator==(const SkillSet&) const = default;

private:
    struct Entry {
        std::size_t start = 0;  // where the entry begins in texts_
        std::size_t end = 0;
        std::string_view proficiency;
        std::string_view notes;
    };
    // The entry of the skill, or where it would go (start == end) when it has no texts.
    Entry Find(int skill) const;
    void Replace(int skill, std::string_view proficiency, std::string_view notes);

    std::bitset<Count> has_;
    // For each skill with a text, by skill number: the number, the proficiency, the notes.
    std::string texts_;
    int lastSkill_ = 0;  // the number of the last entry: a file's skills come in order
};

}  // namespace quillmark
