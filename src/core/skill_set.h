#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// A record's values for the database's 100 skills: the check mark, the proficiency and the
// notes of each skill number 1..100. Most records fill only a handful of skills, so the texts
// are kept only for the skills that have one; an untouched record costs a few bytes here
// instead of two hundred empty strings.
class SkillSet {
public:
    static constexpr int Count = 100;

    bool HasSkill(int skill) const;
    const std::string& SkillProficiency(int skill) const;
    const std::string& SkillNotes(int skill) const;

    void SetHasSkill(int skill, bool has);
    void SetSkillProficiency(int skill, std::string text);
    void SetSkillNotes(int skill, std::string text);

    bool operator==(const SkillSet&) const = default;

private:
    struct SkillTexts {
        std::uint8_t skill = 0;
        std::string proficiency;
        std::string notes;
        bool operator==(const SkillTexts&) const = default;
    };

    const SkillTexts* Find(int skill) const;
    SkillTexts& FindOrAdd(int skill);
    void DropIfEmpty(int skill);

    std::bitset<Count> has_;
    std::vector<SkillTexts> texts_;  // ordered by skill number
};

}  // namespace quillmark
