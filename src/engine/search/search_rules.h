#pragma once

#include "core/item_record.h"
#include "core/record_fields.h"
#include "core/record_status.h"
#include "engine/search/search_terms.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillmark {

// What a search needs to know of the database besides its records.
struct SearchContext {
    OneBasedArray<std::string, SkillSet::Count> SkillNames;
    // The captions of the main window's three status boxes, which status terms name.
    std::array<std::string, RecordStatusCount> StatusCaptions = DefaultStatusCaptions();
};

// A schedule term whose times cannot be read cannot be tested; the search stops there.
struct UnreadableScheduleTerm {
    int row = 0;       // the term row, from 1
    std::string text;  // the time that does not read
};

// A term made ready to test many records: its texts folded and its numbers, times and skill
// found once, so that testing a record allocates nothing for the simple rules.
class PreparedTerm {
public:
    PreparedTerm(const SearchRecord& term, const SearchContext& context);

    // Whether the term holds for the record, "Does Not Include" applied. Throws
    // UnreadableScheduleTerm for a schedule term whose times do not read.
    bool Holds(const ItemRecord& record) const;
    // What a term reads of a record: the type of the member, which tells what it points to.
    enum class MemberType : std::uint8_t { Plain, Text, Lines, Schedule, Skills };
    // Where in a record the member testing it reads lies, in bytes from the record's start;
    // negative for a term that reads none.
    std::ptrdiff_t MemberOffset() const { return memberOffset_; }
    MemberType TypeOfMember() const { return memberType_; }

private:
    bool RuleHolds(const ItemRecord& record) const;
    bool RangeHolds(std::string_view value) const;
    bool ListHolds(const StringList& lines) const;
    bool ExperienceHolds(std::string_view stream) const;
    bool ScheduleHolds(const WeeklySchedule& schedule) const;
    bool SkillHolds(const SkillSet& skills) const;
    // Text and category terms: the record's text, read at the member's offset.
    const std::string& Text(const ItemRecord& record) const;
    std::string_view RangeValue(const ItemRecord& record) const;
    const void* Member(const ItemRecord& record) const;
    static MemberType MemberTypeOf(FieldKind kind);

    SearchRecord term_;
    const RecordField* field_ = nullptr;  // the field the tag names; none for an unknown tag
    bool inverted_ = false;
    std::ptrdiff_t memberOffset_ = -1;
    MemberType memberType_ = MemberType::Plain;

    // Range terms: the bounds as numbers when they read as numbers; the bounds folded for
    // the substring test.
    bool fromIsNumber_ = false;
    bool toIsNumber_ = false;
    double fromNumber_ = 0;
    double toNumber_ = 0;
    std::string fromLower_;
    std::string toLower_;
    bool cleanedValue_ = false;    // amounts are compared by their clean numbers
    mutable std::string cleaned_;  // the value cleaned, in a buffer that grows only

    std::string valueUpper_;     // list and experience terms
    bool breaksMatter_ = false;  // experience terms: the value holds a line break byte
    // The record's text, and an experience cell's, folded where the fold cannot search them as
    // they are.
    mutable std::string folded_;
    mutable std::string cellFolded_;

    // Schedule terms: days 1..7 to look at, and the interval.
    int firstDay_ = 0;
    int lastDay_ = -1;
    double low_ = 0;
    double high_ = 0;
    bool timesRead_ = false;
    std::string unreadableTime_;

    int statusBox_ = 0;  // status terms: 1 Working, 2 Available, 3 Not Available, 0 none

    // Skill terms.
    int skill_ = 0;
    double proficiencyLow_ = 0;
    double proficiencyHigh_ = 0;

    // Experience terms: the cells found so far in the stream being read (column, row); a set,
    // as a damaged stream can write many thousands of cells.
    mutable std::set<std::pair<int, int>> matchedCells_;
};

// Every term row's slot number in row order; rows without a term (slot outside 1..50) are
// passed over. The terms combine by "and", in row order, and testing a record stops at the
// first term that fails. A search with no term finds nothing. Rows naming the same slot share
// one prepared term, so a slot's texts are copied and folded once however many rows name it.
class PreparedSearch {
public:
    PreparedSearch(const SearchTermTable& terms, const std::vector<int>& rowSlots,
                   const SearchContext& context);

    // Throws UnreadableScheduleTerm naming the row whose term cannot be tested.
    bool Matches(const ItemRecord& record) const;
    // Records lie all over memory: a search asks for the next ones while it tests this one.
    void Prefetch(const ItemRecord& record, bool pointedTo) const;

private:
    std::vector<PreparedTerm> terms_;                // one per slot some row names
    std::vector<std::pair<int, std::size_t>> rows_;  // row number, its term in terms_
    // The members the terms read, each once: its offset and type.
    std::vector<std::pair<std::ptrdiff_t, PreparedTerm::MemberType>> members_;
};

}  // namespace quillmark
