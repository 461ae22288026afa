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
#include <optional>

namespace quillmark {

namespace {

// A way of ignoring case. ASCII letters fold by arithmetic, which the compiler does many bytes
// at a time; a text with other bytes is folded again through a table of all 256. Each folded
// byte also knows the bytes that fold to it, so that a text can be searched without folding it.
class Fold {
public:
    Fold(unsigned char (*fold)(unsigned char), char asciiFrom) : asciiFrom_(asciiFrom)
    {
        for (std::size_t c = 0; c < map_.size(); ++c) {
            const unsigned char folded = fold(static_cast<unsigned char>(c));
            map_[c] = static_cast<char>(folded);
            Sources& sources = sources_[folded];
            if (sources.count < sources.bytes.size()) {
                sources.bytes[sources.count] = static_cast<char>(c);
            }
            ++sources.count;
        }
    }
    char operator()(char c) const { return map_[static_cast<unsigned char>(c)]; }

    // Whether the text holds the folded needle, searched for in the text as it is: candidates
    // are the places of the bytes that fold to the needle's first, each found by memchr, and
    // the rest of the needle is compared through the table. Empty when that cannot tell fast (a
    // first byte that many bytes fold to, or candidates that keep failing): the caller then
    // folds the text and searches it in linear time.
    std::optional<bool> Finds(std::string_view text, std::string_view needle) const
    {
        const Sources& sources = sources_[static_cast<unsigned char>(needle.front())];
        if (sources.count > sources.bytes.size()) {
            return std::nullopt;
        }
        // Where each byte that folds to the needle's first next lies among the candidates.
        const char* const end = text.data() + (text.size() - needle.size()) + 1;
        std::array<const char*, 2> next{};
        const auto find = [end](const char* from, char byte) {
            return static_cast<const char*>(
                std::memchr(from, byte, static_cast<std::size_t>(end - from)));
        };
        for (std::size_t k = 0; k < sources.count; ++k) {
            next[k] = find(text.data(), sources.bytes[k]);
        }
        std::size_t compared = 0;
        for (;;) {
            const char* at = nullptr;
            for (std::size_t k = 0; k < sources.count; ++k) {
                if (next[k] != nullptr && (at == nullptr || next[k] < at)) {
                    at = next[k];
                }
            }
            if (at == nullptr) {
                return false;
            }
            std::size_t i = 1;
            while (i < needle.size() && (*this)(at[i]) == needle[i]) {
                ++i;
            }
            if (i == needle.size()) {
                return true;
            }
            compared += needle.size();
            if (compared > 2 * text.size()) {
                return std::nullopt;
            }
            for (std::size_t k = 0; k < sources.count; ++k) {
                if (next[k] == at) {
                    next[k] = at + 1 < end ? find(at + 1, sources.bytes[k]) : nullptr;
                }
            }
        }
    }

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
    // The bytes folding to one byte: at most two are kept, the count says when there are more.
    struct Sources {
        std::array<char, 2> bytes{};
        std::size_t count = 0;
    };

    std::array<char, 256> map_{};
    std::array<Sources, 256> sources_{};
    unsigned char asciiFrom_;  // the first of the 26 ASCII letters that change
};

unsigned char AsciiUpper(unsigned char c)
{
    return static_cast<unsigned char>(AsciiUpperCase(static_cast<char>(c)));
}

// Made as the program starts, so that testing a record does not ask whether they are made yet.
const Fold AsciiUpperFold(AsciiUpper, 'a');
const Fold UpperFold(Windows1252UpperCase, 'a');
const Fold LowerFold(Windows1252LowerCase, 'A');

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
// folded already. Where the fold cannot search the text as it is, the text is folded into the
// scratch buffer, which allocates only while it grows. The experience table's stored line
// breaks (bytes 9 and 8) are taken as the CR and LF they stand for when `breaksMatter`: only a
// needle holding one of those four bytes can tell them apart, and no fold makes or changes them.
bool ContainsFolded(std::string_view text, std::string_view foldedNeedle, const Fold& fold,
                    std::string& scratch, bool breaksMatter = false)
{
    if (foldedNeedle.empty()) {
        return true;
    }
    if (foldedNeedle.size() > text.size()) {
        return false;
    }
    if (!breaksMatter) {
        if (const std::optional<bool> found = fold.Finds(text, foldedNeedle)) {
            return *found;
        }
    }
    scratch.resize(text.size());
    fold.Into(text, scratch.data());
    if (breaksMatter) {
        for (char& c : scratch) {
            c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
        }
    }
    return Contains(scratch, foldedNeedle);
}

// Here rather than in the readers: a table local to a function is copied onto the stack at
// every call.
constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Digits with at most one point and at most 15 digits in all, the common case of a search over
// amounts and hours: the digits as a whole number divided by a power of ten. Both are exact in a
// double, so the one rounding of the division gives what from_chars gives.
bool ReadShortDecimal(std::string_view text, double& value)
{
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

// What ReadNumber gives for the amount CleanNumber makes of the text, read straight from the
// text for an amount of at most 15 digits: its digits over the power of ten of those after its
// last point, as ReadShortDecimal reads them. None where that does not tell (more digits, or a
// point and no digit: "." is no number); the caller then cleans the text and reads that.
std::optional<double> ReadShortAmount(std::string_view text)
{
    std::uint64_t digits = 0;  // wraps past 19 digits, but then the count rules it out
    std::size_t count = 0;
    std::size_t afterPoint = 0;  // digits after the last point so far
    bool point = false;
    for (const char c : text) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit <= 9) {
            digits = digits * 10 + digit;
            ++count;
            ++afterPoint;
        } else if (c == '.') {
            point = true;
            afterPoint = 0;
        }
    }
    if (count > 15 || (count == 0 && point)) {
        return std::nullopt;
    }
    return static_cast<double>(digits) / PowersOfTen[point ? afterPoint : 0];
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
    // Every record keeps the member at the same place: found once in a record made for it.
    static const ItemRecord probe;
    // Compared as numbers: a field without a stored text reads a text outside every record.
    const auto offset =
        reinterpret_cast<std::uintptr_t>(Member(probe)) - reinterpret_cast<std::uintptr_t>(&probe);
    if (offset < sizeof(ItemRecord)) {
        memberOffset_ = static_cast<std::ptrdiff_t>(offset);
        memberType_ = MemberTypeOf(field_->kind);
    }
    switch (field_->kind) {
    case FieldKind::Text:
        cleanedValue_ = field_->Has(Amount);
        fromIsNumber_ = ReadNumber(term.FromValue, fromNumber_);
        toIsNumber_ = ReadNumber(term.ToValue, toNumber_);
        fromLower_ = FoldedText(term.FromValue, LowerFold);
        toLower_ = FoldedText(term.ToValue, LowerFold);
        break;
    case FieldKind::Lines:
        valueUpper_ = FoldedText(term.FromValue, AsciiUpperFold);
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
        valueUpper_ = FoldedText(term.FromValue, UpperFold);
        breaksMatter_ = valueUpper_.find_first_of("\t\b\r\n") != std::string::npos;
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
        valueUpper_ = FoldedText(term.NotesValue, AsciiUpperFold);
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

PreparedTerm::MemberType PreparedTerm::MemberTypeOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Category:
    case FieldKind::Experience:
        return MemberType::Text;
    case FieldKind::Lines:
        return MemberType::Lines;
    case FieldKind::Schedule:
        return MemberType::Schedule;
    case FieldKind::Skills:
        return MemberType::Skills;
    case FieldKind::Status:
    case FieldKind::PayPeriod:
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;
    }
    return MemberType::Plain;
}

const void* PreparedTerm::Member(const ItemRecord& record) const
{
    if (field_ == nullptr) {
        return nullptr;
    }
    switch (field_->kind) {
    case FieldKind::Text:
    case FieldKind::Category:
        return &FieldText(*field_, record);
    case FieldKind::Lines:
        return &FieldLines(*field_, record);
    case FieldKind::Experience:
        return &record.ExperienceStream;
    case FieldKind::Status:
        return &record.Working;
    case FieldKind::PayPeriod:
        return &record.SalaryType;
    case FieldKind::Schedule:
        return &record.Schedule;
    case FieldKind::Skills:
        return &record.Skills;
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;
    }
    return nullptr;
}

bool PreparedTerm::RuleHolds(const ItemRecord& record) const
{
    if (field_ == nullptr) {
        return false;
    }
    switch (field_->kind) {
    case FieldKind::Text:
        if (cleanedValue_ && fromIsNumber_ && toIsNumber_) {
            if (const std::optional<double> number = ReadShortAmount(Text(record))) {
                return fromNumber_ <= *number && *number <= toNumber_;
            }
        }
        return RangeHolds(RangeValue(record));
    case FieldKind::Category:
        return Contains(Text(record), term_.FromValue);
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

const std::string& PreparedTerm::Text(const ItemRecord& record) const
{
    if (memberOffset_ < 0) {
        return FieldText(*field_, record);  // no text of the record: an empty one
    }
    // The offset was taken from a record of the same type, at a std::string of it.
    return *reinterpret_cast<const std::string*>(reinterpret_cast<const char*>(&record) +
                                                 memberOffset_);
}

std::string_view PreparedTerm::RangeValue(const ItemRecord& record) const
{
    const std::string& value = Text(record);
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
    return (!from.empty() && ContainsFolded(value, fromLower_, LowerFold, folded_)) ||
           (!to.empty() && ContainsFolded(value, toLower_, LowerFold, folded_));
}

bool PreparedTerm::ListHolds(const StringList& lines) const
{
    return std::any_of(lines.begin(), lines.end(), [this](std::string_view line) {
        return ContainsFolded(line, valueUpper_, AsciiUpperFold, folded_);
    });
}

bool PreparedTerm::ExperienceHolds(std::string_view stream) const
{
    // Every cell's text is a piece of the stream: when the stream holds the value nowhere, no
    // cell does, and most streams need not be taken apart.
    if (!ContainsFolded(stream, valueUpper_, UpperFold, folded_, breaksMatter_)) {
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
            if (row > 0 &&
                ContainsFolded(text, valueUpper_, UpperFold, cellFolded_, breaksMatter_)) {
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
        const std::string_view text = skills.SkillProficiency(skill_);
        const std::optional<double> read = ReadShortAmount(text);
        const double proficiency = read ? *read : CleanNumberValue(text);
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
        return ContainsFolded(notes, valueUpper_, AsciiUpperFold, folded_);
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
    for (const PreparedTerm& term : terms_) {
        const std::pair member{term.MemberOffset(), term.TypeOfMember()};
        if (member.first >= 0 &&
            std::find(members_.begin(), members_.end(), member) == members_.end()) {
            members_.push_back(member);
        }
    }
}

void PreparedSearch::Prefetch(const ItemRecord& record, bool pointedTo) const
{
    // The offsets were taken from a record of the same type: they point into this one.
    const char* const start = reinterpret_cast<const char*>(&record);
    for (const auto& [offset, type] : members_) {
        const char* const member = start + offset;
        if (!pointedTo) {
            __builtin_prefetch(member);
            continue;
        }
        using Type = PreparedTerm::MemberType;
        switch (type) {
        case Type::Plain:
            break;
        case Type::Text:
            __builtin_prefetch(reinterpret_cast<const std::string*>(member)->data());
            break;
        case Type::Lines:
            __builtin_prefetch(reinterpret_cast<const StringList*>(member)->Storage());
            break;
        case Type::Schedule:
            __builtin_prefetch(reinterpret_cast<const WeeklySchedule*>(member)->Storage());
            break;
        case Type::Skills:
            __builtin_prefetch(reinterpret_cast<const SkillSet*>(member)->Storage());
            break;
        }
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
