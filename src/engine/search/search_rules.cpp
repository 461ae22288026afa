#include "engine/search/search_rules.h"

#include "core/case_folding.h"
#include "core/field_catalogue.h"
#include "core/pay_period.h"
#include "core/record_fields.h"
#include "engine/experience_table.h"
#include "engine/time_of_day.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace quillmark {

namespace {

using Fold = unsigned char (*)(unsigned char);

unsigned char AsciiUpper(unsigned char c)
{
    return static_cast<unsigned char>(AsciiUpperCase(static_cast<char>(c)));
}

std::string FoldedText(std::string_view text, Fold fold)
{
    std::string folded(text);
    for (char& c : folded) {
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    }
    return folded;
}

// Whether the text holds the needle, byte for byte. memmem's two-way search takes time linear
// in the two lengths even for needles that almost match everywhere, where a plain scan (and a
// Horspool search) takes their product: a long term over a long note would take minutes.
bool Contains(std::string_view text, std::string_view needle)
{
    return needle.empty() ||
           ::memmem(text.data(), text.size(), needle.data(), needle.size()) != nullptr;
}

// Whether the text holds the needle, letters compared through the fold; the needle comes
// folded already. The text is folded into the scratch buffer, which allocates only while it
// grows. The experience table's stored line breaks (bytes 9 and 8) can be taken as the CR and
// LF they stand for.
bool ContainsFolded(std::string_view text, std::string_view foldedNeedle, Fold fold,
                    std::string& scratch, bool storedLineBreaks = false)
{
    if (foldedNeedle.empty()) {
        return true;
    }
    if (foldedNeedle.size() > text.size()) {
        return false;
    }
    scratch.assign(text);
    for (char& c : scratch) {
        if (storedLineBreaks) {
            c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
        }
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    }
    return Contains(scratch, foldedNeedle);
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
        fromLower_ = FoldedText(term.FromValue, Windows1252LowerCase);
        toLower_ = FoldedText(term.ToValue, Windows1252LowerCase);
        break;
    case FieldKind::Lines:
        valueUpper_ = FoldedText(term.FromValue, AsciiUpper);
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
        valueUpper_ = FoldedText(term.FromValue, Windows1252UpperCase);
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
        valueUpper_ = FoldedText(term.NotesValue, AsciiUpper);
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
    return (!from.empty() && ContainsFolded(value, fromLower_, Windows1252LowerCase, folded_)) ||
           (!to.empty() && ContainsFolded(value, toLower_, Windows1252LowerCase, folded_));
}

bool PreparedTerm::ListHolds(const StringList& lines) const
{
    return std::any_of(lines.begin(), lines.end(), [this](std::string_view line) {
        return ContainsFolded(line, valueUpper_, AsciiUpper, folded_);
    });
}

bool PreparedTerm::ExperienceHolds(std::string_view stream) const
{
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
            if (row > 0 && ContainsFolded(text, valueUpper_, Windows1252UpperCase, folded_, true)) {
                matchedCells_.insert(cell);
            } else {
                matchedCells_.erase(cell);
            }
        });
    return !matchedCells_.empty();
}

bool PreparedTerm::ScheduleHolds(const WeeklySchedule& schedule) const
{
    for (int day = firstDay_; day <= lastDay_; ++day) {
        for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot) {
            const double start = schedule.ScheduleStart(day, slot);
            if (start > 0 && start <= low_ && high_ <= schedule.ScheduleEnd(day, slot)) {
                return true;
            }
        }
    }
    return false;
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
        return ContainsFolded(notes, valueUpper_, AsciiUpper, folded_);
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
