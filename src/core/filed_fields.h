#pragma once

// The one list of what a record files. The database file's writer and reader, the tool's JSON
// and the comparison of filed content all walk it, so a member added here reaches all of them.

#include "core/item_record.h"

#include <concepts>
#include <ranges>
#include <string_view>

namespace quillmark {

// The experience table's text. The file holds it as its length and then each byte as a
// one-character string, not as one string; this wrapper lets a visitor tell it apart.
template <typename Text>
struct CharacterText {
    Text& Bytes;

    bool operator==(const CharacterText& other) const { return Bytes == other.Bytes; }
};

template <typename Text>
CharacterText<Text> AsCharacterText(Text& bytes)
{
    return {bytes};
}

// A member that is a row of texts: the fixed arrays (Detail, Desc, ...) and the line lists.
template <typename Member>
concept TextSequence = std::ranges::range<Member> &&
    std::convertible_to<std::ranges::range_reference_t<Member>, std::string_view>;

// Calls visit(name, member...) once for each member a record files, in file order, with that
// member of each of the records (one to write or read, two to compare). The name is the
// member's key in the tool's JSON; the schedule and the skills are several keys there, which
// their visitors know. Members go whole (all of Detail, all pictures, the week): how they are
// laid out is the visitor's business, since the file and the JSON lay some of them out
// differently.
template <typename Visitor, typename... Records>
void VisitFiledFields(Visitor&& visit, Records&... records)
{
    visit("ReadOnly", records.ReadOnly...);
    visit("RecordName", records.RecordName...);
    visit("RecordId", records.RecordId...);
    visit("Detail", records.Detail...);
    visit("Desc", records.Desc...);
    visit("Other", records.Other...);
    visit("HoursPerWeek", records.HoursPerWeek...);
    visit("SalaryAmount", records.SalaryAmount...);
    visit("SalaryType", records.SalaryType...);
    visit("WorkDaysPerWeek", records.WorkDaysPerWeek...);
    visit("SalaryFigures", records.SalaryFigures...);
    visit("ExperienceStream", AsCharacterText(records.ExperienceStream)...);
    visit("Keywords", records.Keywords...);
    visit("ResumeFile", records.ResumeFile...);
    visit("Notes", records.Notes...);
    visit("SpareList1", records.SpareList1...);
    visit("SpareList2", records.SpareList2...);
    visit("Images", records.Images...);
    visit("SpareText", records.SpareText...);
    visit("Working", records.Working...);
    visit("Available", records.Available...);
    visit("NotAvailable", records.NotAvailable...);
    visit("Schedule", records.Schedule...);
    visit("Skills", records.Skills...);
}

// The same for one picture slot, which visitors of "Images" walk for each slot.
template <typename Visitor, typename... Images>
void VisitImageFields(Visitor&& visit, Images&... images)
{
    visit("ImageFile", images.ImageFile...);
    visit("ImageTitle", images.ImageTitle...);
    visit("ImageFlag", images.ImageFlag...);
}

}  // namespace quillmark
