#pragma once

#include "core/one_based_array.h"
#include "core/record_fields.h"

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

// The searchable fields, by the tags kept in the terms and in saved search files: each field's
// searchTag in the record's field table.
namespace SearchFieldTag {
inline constexpr int RemoveTerm = 1000;  // the field menu's "REMOVE SEARCH TERM"

inline const int Status = FieldByKey("Status").searchTag;
inline const int Name = FieldByKey("Name").searchTag;
inline const int Keywords = FieldByKey("Keywords").searchTag;
inline const int ResumeFile = FieldByKey("ResumeFile").searchTag;
inline const int Notes = FieldByKey("Notes").searchTag;
inline const int Experience = FieldByKey("Experience").searchTag;
inline const int Schedule = FieldByKey("Schedule").searchTag;
inline const int Skills = FieldByKey("Skills").searchTag;
inline const int HoursPerWeek = FieldByKey("HoursPerWeek").searchTag;
inline const int HourlySalary = FieldByKey("HourlySalary").searchTag;  // .. yearly, in steps of 1
inline const int YearlySalary = FieldByKey("YearlySalary").searchTag;
inline const int SalaryType = FieldByKey("SalaryType").searchTag;

// Description field 1..10, detail field 0..9, other field 1..6.
inline int Description(int field)
{
    return FieldByCaption(CaptionList::Description, field - 1).searchTag;
}
inline int Detail(int detail)
{
    return FieldByCaption(CaptionList::Detail, detail).searchTag;
}
inline int Other(int field)
{
    return FieldByCaption(CaptionList::Other, field - 1).searchTag;
}
// Whether the tag names a field of the caption list.
inline bool Names(int tag, CaptionList captions)
{
    const RecordField* field = FieldBySearchTag(tag);
    return field != nullptr && field->captions == captions;
}
inline bool IsDescription(int tag)
{
    return Names(tag, CaptionList::Description);
}
inline bool IsDetail(int tag)
{
    return Names(tag, CaptionList::Detail);
}
inline bool IsOther(int tag)
{
    return Names(tag, CaptionList::Other);
}
// Whether a term may hold the tag: one of the searchable fields, not the menu's "REMOVE SEARCH
// TERM".
inline bool IsField(int tag)
{
    return FieldBySearchTag(tag) != nullptr;
}
// Fields that may appear in several terms of one search.
inline bool MayRepeat(int tag)
{
    const RecordField* field = FieldBySearchTag(tag);
    return field != nullptr && field->Has(RepeatsInSearch);
}
}  // namespace SearchFieldTag

}  // namespace quillmark
