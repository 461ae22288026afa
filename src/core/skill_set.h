#pragma once

#include <array>
#include <bitset>
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

    // Every skill's two texts at once, by skill number from 1 (empty for a skill without):
    // one walk over the texts instead of one for each skill, for writing a whole record.
    struct Texts {
        std::string_view proficiency;
        std::string_view notes;
    };
    void AllTexts(std::array<Texts, Count + 1>& texts) const;

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
