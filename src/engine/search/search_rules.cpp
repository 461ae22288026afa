#include "engine/search/search_rules.h"

#include "core/case_folding.h"
#include "core/field_catalogue.h"
#include "core/pay_period.h"
#include "core/record_fields.h"
#include "engine/experience_table.h"
#include "engine/time_of_day.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace quillmark {

namespace {

// A way of ignoring case. ASCII letters fold by arithmetic, which the compiler does many bytes
// at a time; a text with other bytes is folded again through a table of all 256.
class Fold {
public:
    Fold(unsigned char (*fold)(unsigned char), char asciiFrom) : asciiFrom_(asciiFrom)
    {
        for (std::size_t c = 0; c < map_.size(); ++c) {
            map_[c] = static_cast<char>(fold(static_cast<unsigned char>(c)));
        }
    }
    char operator()(char c) const { return map_[static_cast<unsigned char>(c)]; }

    // The text folded into `out`, which holds as many bytes.
    void Into(std::string_view text, char* out) const
    {
        unsigned char all = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            all |= c;
            const auto offset = static_cast<unsigned char>(c - asciiFrom_);
            out[i] = static_cast<char>(offset < 26 ? c ^ 0x20 : c);
        }
        if ((all & 0x80) != 0) {
            for (std::size_t i = 0; i < text.size(); ++i) {
                out[i] = (*this)(text[i]);
            }
        }
    }

private:
    std::array<char, 256> map_{};
    unsigned char asciiFrom_;  // the first of the 26 ASCII letters that change
};

unsigned char AsciiUpper(unsigned char c)
{
    return static_cast<unsigned char>(AsciiUpperCase(static_cast<char>(c)));
}

const Fold& AsciiUpperFold()
{
    static const Fold fold(AsciiUpper, 'a');
    return fold;
}

const Fold& UpperFold()
{
    static const Fold fold(Windows1252UpperCase, 'a');
    return fold;
}

const Fold& LowerFold()
{
    static const Fold fold(Windows1252LowerCase, 'A');
    return fold;
}

std::string FoldedText(std::string_view text, const Fold& fold)
{
    std::string folded(text.size(), '\0');
    fold.Into(text, folded.data());
    return folded;
}

// Whether the text holds the needle, byte for byte. Candidates for its first byte are found
// with memchr, which is fast over the short texts of a record. Where they keep failing (a
// needle that almost matches everywhere) memmem takes over: its two-way search takes time
// linear in the two lengths, where a plain scan takes their product, and a long term over a
// long note would take minutes.
bool Contains(std::string_view text, std::string_view needle)
{
    if (needle.empty()) {
        return true;
    }
    if (needle.size() > text.size()) {
        return false;
    }
    const char* at = text.data();
    const char* const lastStart = text.data() + (text.size() - needle.size());
    std::size_t compared = 0;
    while (at <= lastStart) {
        at = static_cast<const char*>(
            std::memchr(at, needle.front(), static_cast<std::size_t>(lastStart - at) + 1));
        if (at == nullptr) {
            return false;
        }
        if (std::memcmp(at + 1, needle.data() + 1, needle.size() - 1) == 0) {
            return true;
        }
        compared += needle.size();
        if (compared > 2 * text.size()) {
            const auto rest = static_cast<std::size_t>(text.data() + text.size() - at);
            return ::memmem(at, rest, needle.data(), needle.size()) != nullptr;
        }
        ++at;
    }
    return false;
}

// Whether the text holds the needle, letters compared through the fold; the needle comes
// folded already. The text is folded into the scratch buffer, which allocates only while it
// grows. The experience table's stored line breaks (bytes 9 and 8) can be taken as the CR and
// LF they stand for; no fold makes or changes those bytes.
bool ContainsFolded(std::string_view text, std::string_view foldedNeedle, const Fold& fold,
                    std::string& scratch, bool storedLineBreaks = false)
{
    if (foldedNeedle.empty()) {
        return true;
    }
    if (foldedNeedle.size() > text.size()) {
        return false;
    }
    scratch.resize(text.size());
    fold.Into(text, scratch.data());
    // Only a needle holding one of those bytes can tell the stored breaks from what they stand
    // for.
    if (storedLineBreaks && foldedNeedle.find_first_of("\t\b\r\n") != std::string_view::npos) {
        for (char& c : scratch) {
            c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
        }
    }
    return Contains(scratch, foldedNeedle);
}

// Digits with at most one point and at most 15 digits in all, the common case of a search over
// amounts and hours: the digits as a whole number divided by a power of ten. Both are exact in a
// double, so the one rounding of the division gives what from_chars gives.
bool ReadShortDecimal(std::string_view text, double& value)
{
    constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    int count = 0;
    int afterPoint = -1;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (++count > 15) {
                return false;
            }
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            afterPoint += afterPoint >= 0 ? 1 : 0;
        } else if (c == '.' && afterPoint < 0) {
            afterPoint = 0;
        } else {
            return false;
        }
    }
    if (count == 0) {
        return false;
    }
    value = static_cast<double>(digits) / PowersOfTen[std::max(afterPoint, 0)];
    return true;
}

// An optionally signed decimal number with "." as its point and an optional exponent, leading
// blanks allowed, nothing after it; an empty text is no number.
bool ReadNumber(std::string_view text, double& value)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(first);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan", which are no numbers here.
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
        return false;
    }
    if (ReadShortDecimal(text, value)) {
        value = negative ? -value : value;
        return true;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = negative ? -value : value;
    return true;
}

// The first `length` characters of a text, or all of it when it is shorter.
std::string_view Head(std::string_view text, std::size_t length)
{
    return text.substr(0, std::min(length, text.size()));
}

// The bounds of a schedule term: a time of day, blanks around it allowed (the time boxes'
// masks leave a blank for a one-digit hour). "24:00", the dialog's default end, is the end of
// the day: 23:59, the latest a slot of the schedule page can end.
bool ReadScheduleTime(std::string_view text, double& time)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    text =
        first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
    if (text == "24:00") {
        text = "23:59";
    }
    const std::optional<double> read = ReadTimeOfDay(text);
    time = read.value_or(0);
    return read.has_value();
}

constexpr const char* DayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
constexpr const char* AnyDay = "Any Day";

}  // namespace

PreparedTerm::PreparedTerm(const SearchRecord& term, const SearchContext& context)
    : term_(term),
      field_(FieldBySearchTag(term.FieldTag)),
      inverted_(term.Inclusion == DoesNotIncludeInclusion)
{
    if (field_ == nullptr) {
        return;  // a tag no field has: the term holds for no record
    }
    switch (field_->kind) {
    case FieldKind::Text:
        cleanedValue_ = field_->Has(Amount);
        fromIsNumber_ = ReadNumber(term.FromValue, fromNumber_);
        toIsNumber_ = ReadNumber(term.ToValue, toNumber_);
        fromLower_ = FoldedText(term.FromValue, LowerFold());
        toLower_ = FoldedText(term.ToValue, LowerFold());
        break;
    case FieldKind::Lines:
        valueUpper_ = FoldedText(term.FromValue, AsciiUpperFold());
        break;
    case FieldKind::Status:
        for (int box = 3; box >= 1; --box) {
            if (term.FromValue == context.StatusCaptions[static_cast<std::size_t>(box - 1)]) {
                statusBox_ = box;
            }
        }
        break;
    case FieldKind::Category:
    case FieldKind::PayPeriod:
        break;
    case FieldKind::Experience:
        valueUpper_ = FoldedText(term.FromValue, UpperFold());
        break;
    case FieldKind::Schedule:
        if (term.DayName == AnyDay) {
            firstDay_ = 1;
            lastDay_ = WeeklySchedule::Days;
        }
        for (int day = 1; day <= WeeklySchedule::Days; ++day) {
            if (term.DayName == DayNames[day - 1]) {
                firstDay_ = lastDay_ = day;
            }
        }
        if (!ReadScheduleTime(term.FromValue, low_)) {
            unreadableTime_ = term.FromValue;
        } else if (!ReadScheduleTime(term.ToValue, high_)) {
            unreadableTime_ = term.ToValue;
        } else {
            timesRead_ = true;
        }
        break;
    case FieldKind::Skills:
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            if (context.SkillNames[skill] == term.SkillName) {
                skill_ = skill;
            }
        }
        proficiencyLow_ = CleanNumberValue(term.FromValue);
        proficiencyHigh_ = CleanNumberValue(term.ToValue);
        valueUpper_ = FoldedText(term.NotesValue, AsciiUpperFold());
        break;
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;  // no search tag names them
    }
}

bool PreparedTerm::Holds(const ItemRecord& record) const
{
    return RuleHolds(record) != inverted_;
}

void PreparedTerm::Prefetch(const ItemRecord& record, bool pointedTo) const
{
    if (field_ == nullptr) {
        return;
    }
    const void* address = nullptr;
    switch (field_->kind) {
    case FieldKind::Text:
    case FieldKind::Category: {
        const std::string& text = FieldText(*field_, record);
        address = pointedTo ? static_cast<const void*>(text.data()) : &text;
        break;
    }
    case FieldKind::Lines:
        address = &FieldLines(*field_, record);
        break;
    case FieldKind::Experience:
        address = pointedTo ? static_cast<const void*>(record.ExperienceStream.data())
                            : &record.ExperienceStream;
        break;
    case FieldKind::Status:
        address = &record.Working;
        break;
    case FieldKind::PayPeriod:
        address = &record.SalaryType;
        break;
    case FieldKind::Schedule:
        address = &record.Schedule;
        break;
    case FieldKind::Skills:
        address = &record.Skills;
        break;
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;
    }
    if (address != nullptr) {
        __builtin_prefetch(address);
    }
}

bool PreparedTerm::RuleHolds(const ItemRecord& record) const
{
    if (field_ == nullptr) {
        return false;
    }
    switch (field_->kind) {
    case FieldKind::Text:
        return RangeHolds(RangeValue(record));
    case FieldKind::Category:
        return Contains(FieldText(*field_, record), term_.FromValue);
    case FieldKind::Lines:
        return !term_.FromValue.empty() && ListHolds(FieldLines(*field_, record));
    case FieldKind::Status:
        return (statusBox_ == 1 && record.Working) || (statusBox_ == 2 && record.Available) ||
               (statusBox_ == 3 && record.NotAvailable);
    case FieldKind::PayPeriod:
        return record.SalaryType >= 1 && record.SalaryType <= PayPeriodCount &&
               term_.FromValue == PayPeriodName(static_cast<PayPeriod>(record.SalaryType));
    case FieldKind::Experience:
        return !term_.FromValue.empty() && ExperienceHolds(record.ExperienceStream);
    case FieldKind::Schedule:
        if (!timesRead_) {
            throw UnreadableScheduleTerm{0, unreadableTime_};
        }
        return ScheduleHolds(record.Schedule);
    case FieldKind::Skills:
        return SkillHolds(record.Skills);
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;
    }
    return false;
}

std::string_view PreparedTerm::RangeValue(const ItemRecord& record) const
{
    const std::string& value = FieldText(*field_, record);
    if (!cleanedValue_) {
        return value;
    }
    CleanNumberInto(value, cleaned_);
    return cleaned_;
}

bool PreparedTerm::RangeHolds(std::string_view value) const
{
    const std::string& from = term_.FromValue;
    const std::string& to = term_.ToValue;
    double number = 0;
    if (fromIsNumber_ && toIsNumber_ && ReadNumber(value, number)) {
        return fromNumber_ <= number && number <= toNumber_;
    }
    if (!from.empty() && !to.empty()) {
        // The value's beginning, as long as each bound, lies between the bounds.
        return CompareTextsIgnoringAsciiCase(Head(value, from.size()), from) >= 0 &&
               CompareTextsIgnoringAsciiCase(Head(value, to.size()), to) <= 0;
    }
    return (!from.empty() && ContainsFolded(value, fromLower_, LowerFold(), folded_)) ||
           (!to.empty() && ContainsFolded(value, toLower_, LowerFold(), folded_));
}

bool PreparedTerm::ListHolds(const StringList& lines) const
{
    return std::any_of(lines.begin(), lines.end(), [this](std::string_view line) {
        return ContainsFolded(line, valueUpper_, AsciiUpperFold(), folded_);
    });
}

bool PreparedTerm::ExperienceHolds(std::string_view stream) const
{
    // Every cell's text is a piece of the stream: when the stream holds the value nowhere, no
    // cell does, and most streams need not be taken apart.
    if (!ContainsFolded(stream, valueUpper_, UpperFold(), folded_, true)) {
        return false;
    }
    // The table a stream fills is 4 by 100 unless its first line says otherwise; cells outside
    // it and the header row do not count, and a cell written twice holds its last text.
    int columns = ExperienceTable::DefaultColumns;
    int rows = ExperienceTable::DefaultRows;
    matchedCells_.clear();
    VisitExperienceStream(
        stream,
        [&](int streamColumns, int streamRows) {
            columns = streamColumns;
            rows = streamRows;
        },
        [&](int column, int row, std::string_view text) {
            if (column < 0 || column >= columns || row < 0 || row >= rows) {
                return;
            }
            const std::pair<int, int> cell{column, row};
            if (row > 0 && ContainsFolded(text, valueUpper_, UpperFold(), cellFolded_, true)) {
                matchedCells_.insert(cell);
            } else {
                matchedCells_.erase(cell);
            }
        });
    return !matchedCells_.empty();
}

bool PreparedTerm::ScheduleHolds(const WeeklySchedule& schedule) const
{
    bool holds = false;
    schedule.VisitFilledSlots([&](int day, int, std::uint64_t startBits, std::uint64_t endBits) {
        const double start = std::bit_cast<double>(startBits);
        holds = holds || (day >= firstDay_ && day <= lastDay_ && start > 0 && start <= low_ &&
                          high_ <= std::bit_cast<double>(endBits));
    });
    return holds;
}

bool PreparedTerm::SkillHolds(const SkillSet& skills) const
{
    if (skill_ == 0 || !skills.HasSkill(skill_)) {
        return false;
    }
    if (!term_.FromValue.empty() || !term_.ToValue.empty()) {
        const double proficiency = CleanNumberValue(skills.SkillProficiency(skill_));
        if ((!term_.FromValue.empty() && proficiency < proficiencyLow_) ||
            (!term_.ToValue.empty() && proficiency > proficiencyHigh_)) {
            return false;
        }
    }
    if (!term_.NotesValue.empty()) {
        const std::string_view notes = skills.SkillNotes(skill_);
        if (term_.MatchMode == 1) {
            return SameTextIgnoringAsciiCase(notes, term_.NotesValue);
        }
        return ContainsFolded(notes, valueUpper_, AsciiUpperFold(), folded_);
    }
    return true;
}

PreparedSearch::PreparedSearch(const SearchTermTable& terms, const std::vector<int>& rowSlots,
                               const SearchContext& context)
{
    constexpr std::size_t NotPrepared = SIZE_MAX;
    OneBasedArray<std::size_t, SearchSlotCount> prepared;
    std::fill(prepared.begin(), prepared.end(), NotPrepared);
    for (std::size_t row = 0; row < rowSlots.size(); ++row) {
        const int slot = rowSlots[row];
        if (!HoldsTerm(slot)) {
            continue;
        }
        if (prepared[slot] == NotPrepared) {
            prepared[slot] = terms_.size();
            terms_.emplace_back(terms[slot], context);
        }
        rows_.emplace_back(static_cast<int>(row + 1), prepared[slot]);
    }
}

void PreparedSearch::Prefetch(const ItemRecord& record, bool pointedTo) const
{
    for (const PreparedTerm& term : terms_) {
        term.Prefetch(record, pointedTo);
    }
}

bool PreparedSearch::Matches(const ItemRecord& record) const
{
    bool result = false;
    for (const auto& [row, term] : rows_) {
        try {
            result = terms_[term].Holds(record);
        } catch (UnreadableScheduleTerm& unreadable) {
            unreadable.row = row;
            throw;
        }
        if (!result) {
            break;
        }
    }
    return result;
}

}  // namespace quillmark
