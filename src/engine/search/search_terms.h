#pragma once

#include "core/one_based_array.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

// One search term: a field, "Includes" or "Does Not Include", and a value or range.
struct SearchRecord {
    std::int32_t FieldTag = -1;  // the field searched (SearchFieldTag); -1: the slot is free
    std::int32_t Inclusion = 0;  // 1 "Includes", 2 "Does Not Include"; 0 never used
    std::string FromValue;       // the value, or the lower bound of a range
    std::string ToValue;         // the upper bound; the same as FromValue for a single value
    std::string DayName;         // schedule terms: the weekday, or "Any Day"
    std::string NotesValue;      // skill terms: text sought in the skill's notes
    std::string SkillName;       // skill terms: the skill's name
    std::uint8_t MatchMode = 0;  // skill terms: 1 the notes match in full, 2 in part

    bool IsFree() const { return FieldTag == -1; }
    bool operator==(const SearchRecord&) const = default;
};

inline constexpr int SearchSlotCount = 50;

// The one search of the program: 50 slots, numbered 1..50.
using SearchTermTable = OneBasedArray<SearchRecord, SearchSlotCount>;

// Frees every slot and empties its values. The day, notes, skill and match mode stay: the term
// dialogs show them as the defaults of the slot's next use.
void FreeAllSlots(SearchTermTable& terms);

// The lowest free slot; 0 when every slot holds a term.
int LowestFreeSlot(const SearchTermTable& terms);

// One row of the term grid as the user sees it: the field's caption, the inclusion text and the
// value as shown, and the slot holding the row's term. The order of the rows is the order in
// which the terms are tested; slot numbers need not follow it.
struct SearchTermRow {
    std::string Field;
    std::string Type;
    std::string Value;
    int Slot = -1;

    bool operator==(const SearchTermRow&) const = default;
};

// A row's slot number: 1..50 for the slot holding its term; these two mark rows without one.
inline constexpr int RowNeverUsed = -1;
inline constexpr int RowAwaitingField = 0;
inline bool HoldsTerm(int slot)
{
    return slot >= 1 && slot <= SearchSlotCount;
}

inline constexpr int IncludesInclusion = 1;
inline constexpr int DoesNotIncludeInclusion = 2;
inline constexpr const char* IncludesText = "Includes";
inline constexpr const char* DoesNotIncludeText = "Does Not Include";

// The searchable fields, by the tags kept in the terms and in saved search files.
namespace SearchFieldTag {
inline constexpr int RemoveTerm = 1000;  // the field menu's "REMOVE SEARCH TERM"
inline constexpr int Status = 200;
inline constexpr int Name = 210;
inline constexpr int Keywords = 220;
inline constexpr int ResumeFile = 230;
inline constexpr int Notes = 240;
inline constexpr int Experience = 250;
inline constexpr int Schedule = 195;
inline constexpr int Skills = 197;
inline constexpr int HoursPerWeek = 320;
inline constexpr int HourlySalary = 330;  // .. 335 yearly salary
inline constexpr int YearlySalary = 335;
inline constexpr int SalaryType = 340;

// Description field 1..10, detail field 0..9, other field 1..6.
inline constexpr int Description(int field)
{
    return 10 * (field - 1);
}
inline constexpr int Detail(int detail)
{
    return 100 + 10 * detail;
}
inline constexpr int Other(int field)
{
    return 250 + 10 * field;
}
inline bool IsDescription(int tag)
{
    return tag >= 0 && tag <= 90 && tag % 10 == 0;
}
inline bool IsDetail(int tag)
{
    return tag >= 100 && tag <= 190 && tag % 10 == 0;
}
inline bool IsOther(int tag)
{
    return tag >= 260 && tag <= 310 && tag % 10 == 0;
}
// Whether a term may hold the tag: one of the searchable fields, not the menu's "REMOVE SEARCH
// TERM".
inline bool IsField(int tag)
{
    return IsDescription(tag) || IsDetail(tag) || IsOther(tag) || tag == Schedule ||
           tag == Skills || (tag >= Status && tag <= Experience && tag % 10 == 0) ||
           tag == HoursPerWeek || (tag >= HourlySalary && tag <= YearlySalary) || tag == SalaryType;
}
// Fields that may appear in several terms of one search.
inline bool MayRepeat(int tag)
{
    return tag == Schedule || tag == Skills || tag == Experience;
}
}  // namespace SearchFieldTag

}  // namespace quillmark
