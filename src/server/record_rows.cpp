#include "server/record_rows.h"

#include "core/filed_fields.h"
#include "core/whole_number.h"
#include "server/postgres.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <unordered_map>

namespace quillmark {

namespace {

// ---- names ----

// A member's column (or list) name: its name in lower case with words joined by "_", except
// where the plain word reads better in SQL.
std::string ColumnName(std::string_view member)
{
    if (member == "RecordName") {
        return "name";
    }
    if (member == "RecordId") {
        return "identifier";
    }
    std::string name;
    for (std::size_t i = 0; i < member.size(); ++i) {
        const char c = member[i];
        const bool upper = c >= 'A' && c <= 'Z';
        const bool digit = c >= '0' && c <= '9';
        const bool afterLetter = i > 0 && !(member[i - 1] >= '0' && member[i - 1] <= '9');
        if (i > 0 && (upper || (digit && afterLetter))) {
            name += '_';
        }
        name += upper ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name;
}

// The columns of a fixed row of texts, numbered as users count them.
std::vector<std::string> SequenceColumns(std::string_view member, std::size_t count)
{
    static constexpr std::array<const char*, 6> Salaries = {"hourly_salary",  "daily_salary",
                                                            "weekly_salary",  "bi_monthly_salary",
                                                            "monthly_salary", "yearly_salary"};
    std::string base = member == "Desc" ? "description" : ColumnName(member);
    if (member == "SalaryFigures") {
        base = "salary_figure";
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(member == "SalaryFigures" && i < Salaries.size()
                            ? std::string(Salaries[i])
                            : base + "_" + std::to_string(i + 1));
    }
    return names;
}

constexpr std::array<const char*, 3> ExperienceColumns = {"experience_columns", "experience_rows",
                                                          "experience_stream"};

// Lists the record table's columns by walking a record's members.
class ColumnLister {
public:
    explicit ColumnLister(std::vector<RecordColumn>& columns) : columns_(columns) {}

    void operator()(const char* name, const bool&) { Add(ColumnName(name), "boolean NOT NULL"); }
    void operator()(const char* name, const std::int32_t&)
    {
        Add(ColumnName(name), "integer NOT NULL");
    }
    void operator()(const char* name, const std::string&)
    {
        Add(ColumnName(name), "text NOT NULL");
    }
    template <TextSequence Texts>
    void operator()(const char* name, const Texts& texts)
    {
        for (std::string& column : SequenceColumns(name, texts.size())) {
            Add(std::move(column), "text NOT NULL");
        }
    }
    void operator()(const char*, CharacterText<const std::string>)
    {
        Add(ExperienceColumns[0], "integer");
        Add(ExperienceColumns[1], "integer");
        Add(ExperienceColumns[2], "text");
    }
    // Kept in the child tables.
    void operator()(const char*, const StringList&) {}
    template <typename Other>
    void operator()(const char*, const Other&)
    {
    }

private:
    void Add(std::string name, std::string type) { columns_.push_back({name, type}); }
    std::vector<RecordColumn>& columns_;
};

// ---- the experience table's text as rows ----

// A number written exactly as the text has it, so that it can be written back the same.
std::optional<int> ExactNumber(std::string_view text)
{
    const std::optional<int> value = ReadWholeNumber(text);
    if (!value || std::to_string(*value) != text) {
        return std::nullopt;
    }
    return value;
}

struct ExperienceCell {
    int column;
    int row;
    std::string_view text;
};

// The table's size and cells when the text is laid out as the record window writes it (every
// line ended by CR LF, numbers without leading zeros); nothing otherwise, when the text is kept
// whole so that it comes back byte for byte.
struct ExperienceRows {
    int columns = 0;
    int rows = 0;
    std::vector<ExperienceCell> cells;
};

std::optional<ExperienceRows> SplitExperience(std::string_view stream)
{
    if (!stream.ends_with("\r\n")) {
        return std::nullopt;
    }
    ExperienceRows split;
    bool first = true;
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t end = stream.find("\r\n", at);
        const std::string_view line = stream.substr(at, end - at);
        at = end + 2;
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<int> a = ExactNumber(line.substr(0, comma));
        if (first) {
            const std::optional<int> b = ExactNumber(line.substr(comma + 1));
            if (!a || !b) {
                return std::nullopt;
            }
            split.columns = *a;
            split.rows = *b;
            first = false;
            continue;
        }
        const std::size_t second = line.find(',', comma + 1);
        if (second == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<int> b = ExactNumber(line.substr(comma + 1, second - comma - 1));
        if (!a || !b) {
            return std::nullopt;
        }
        split.cells.push_back({*a, *b, line.substr(second + 1)});
    }
    return split;
}

// ---- writing ----

void AppendDouble(std::string& out, std::uint64_t bits)
{
    const double value = std::bit_cast<double>(bits);
    if (std::isnan(value)) {
        out += "NaN";
    } else if (std::isinf(value)) {
        out += value > 0 ? "Infinity" : "-Infinity";
    } else {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        out.append(text, end);
    }
}

class RowWriter {
public:
    // `id` begins each child row: the database's id and the record's, with their tabs.
    RowWriter(RecordRows& rows, std::string id) : rows_(rows), id_(std::move(id)) {}

    void operator()(const char*, bool value) { Cell(value ? "t" : "f"); }
    void operator()(const char*, std::int32_t value) { Cell(std::to_string(value)); }
    void operator()(const char*, const std::string& text)
    {
        rows_.records += '\t';
        AppendCopyText(rows_.records, text);
    }
    template <TextSequence Texts>
    void operator()(const char*, const Texts& texts)
    {
        for (std::string_view text : texts) {
            rows_.records += '\t';
            AppendCopyText(rows_.records, text);
        }
    }
    void operator()(const char* name, const StringList& lines)
    {
        const std::string list = ColumnName(name);
        int number = 0;
        for (std::string_view line : lines) {
            std::string& out = rows_.lines;
            out += id_ + list + '\t' + std::to_string(++number) + '\t';
            AppendCopyText(out, line);
            out += '\n';
        }
    }
    void operator()(const char*, CharacterText<const std::string> experience)
    {
        const std::string_view stream = experience.Bytes;
        const std::optional<ExperienceRows> split =
            stream.empty() ? std::nullopt : SplitExperience(stream);
        if (stream.empty()) {
            rows_.records += "\t\\N\t\\N\t\\N";
        } else if (!split) {
            rows_.records += "\t\\N\t\\N\t";
            AppendCopyText(rows_.records, stream);
        } else {
            rows_.records += '\t' + std::to_string(split->columns) + '\t' +
                             std::to_string(split->rows) + "\t\\N";
            int line = 0;
            for (const ExperienceCell& cell : split->cells) {
                std::string& out = rows_.experience;
                out += id_ + std::to_string(++line) + '\t' + std::to_string(cell.column) + '\t' +
                       std::to_string(cell.row) + '\t';
                AppendCopyText(out, cell.text);
                out += '\n';
            }
        }
    }
    template <std::size_t Count>
    void operator()(const char*, const OneBasedArray<ImageRecord, Count>& images)
    {
        for (int slot = 1; slot <= static_cast<int>(Count); ++slot) {
            const ImageRecord& image = images[slot];
            if (image.ImageFile.empty() && image.ImageTitle.empty() && !image.ImageFlag) {
                continue;
            }
            std::string& out = rows_.pictures;
            out += id_ + std::to_string(slot) + '\t';
            AppendCopyText(out, image.ImageFile);
            out += '\t';
            AppendCopyText(out, image.ImageTitle);
            out += image.ImageFlag ? "\tt\n" : "\tf\n";
        }
    }
    void operator()(const char*, const WeeklySchedule& schedule)
    {
        schedule.VisitFilledSlots(
            [this](int day, int slot, std::uint64_t start, std::uint64_t end) {
                if (start == 0 && end == 0) {
                    return;
                }
                std::string& out = rows_.slots;
                out += id_ + std::to_string(day) + '\t' + std::to_string(slot) + '\t';
                AppendDouble(out, start);
                out += '\t';
                AppendDouble(out, end);
                // A NaN's own bits, which its number does not keep.
                for (const std::uint64_t bits : {start, end}) {
                    out += '\t';
                    if (std::isnan(std::bit_cast<double>(bits))) {
                        out += std::to_string(static_cast<std::int64_t>(bits));
                    } else {
                        AppendCopyNull(out);
                    }
                }
                out += '\n';
            });
    }
    void operator()(const char*, const SkillSet& skills)
    {
        skills.VisitFilledSkills(
            [this](int skill, bool has, std::string_view proficiency, std::string_view notes) {
                if (!has && proficiency.empty() && notes.empty()) {
                    return;
                }
                std::string& out = rows_.skills;
                out += id_ + std::to_string(skill) + (has ? "\tt\t" : "\tf\t");
                AppendCopyText(out, proficiency);
                out += '\t';
                AppendCopyText(out, notes);
                out += '\n';
            });
    }

private:
    void Cell(std::string_view text)
    {
        rows_.records += '\t';
        rows_.records += text;
    }

    RecordRows& rows_;
    std::string id_;
};

// ---- reading ----

// The rows of a child table for one record, in their order: row numbers of its result.
struct ChildRows {
    const QueryResult* result = nullptr;
    const int* begin = nullptr;
    const int* end = nullptr;
};

enum Child { Lines, Skills, Slots, Experience, Pictures, ChildCount };

std::uint64_t TimeBits(const QueryResult& result, int row, int column, int bitsColumn)
{
    if (!result.IsNull(row, bitsColumn)) {
        return static_cast<std::uint64_t>(result.Integer(row, bitsColumn));
    }
    const std::string_view text = result.Text(row, column);
    double value = 0;
    if (text == "Infinity") {
        value = HUGE_VAL;
    } else if (text == "-Infinity") {
        value = -HUGE_VAL;
    } else if (text == "NaN") {
        value = std::nan("");
    } else {
        std::from_chars(text.data(), text.data() + text.size(), value);
    }
    return std::bit_cast<std::uint64_t>(value);
}

class RowReader {
public:
    RowReader(const QueryResult& record, int row, const std::array<ChildRows, ChildCount>& children)
        : record_(record), row_(row), column_(3), children_(children)
    {
    }

    void operator()(const char*, bool& value) { value = record_.Boolean(row_, column_++); }
    void operator()(const char*, std::int32_t& value)
    {
        value = static_cast<std::int32_t>(record_.Integer(row_, column_++));
    }
    void operator()(const char*, std::string& text) { text = Next(); }
    template <TextSequence Texts>
    void operator()(const char*, Texts& texts)
    {
        for (std::string& text : texts) {
            text = Next();
        }
    }
    void operator()(const char* name, StringList& lines)
    {
        const std::string list = ColumnName(name);
        const ChildRows& rows = children_[Lines];
        lines.clear();
        for (const int* at = rows.begin; at != rows.end; ++at) {
            const int row = *at;
            if (rows.result->Text(row, 1) == list) {
                lines.push_back(FromServerText(rows.result->Text(row, 2)));
            }
        }
    }
    void operator()(const char*, CharacterText<std::string> experience)
    {
        const int columns = column_;
        column_ += 3;
        std::string& stream = experience.Bytes;
        stream.clear();
        if (!record_.IsNull(row_, columns + 2)) {
            stream = FromServerText(record_.Text(row_, columns + 2));
            return;
        }
        if (record_.IsNull(row_, columns)) {
            return;
        }
        stream.append(record_.Text(row_, columns)).append(",");
        stream.append(record_.Text(row_, columns + 1)).append("\r\n");
        const ChildRows& rows = children_[Experience];
        for (const int* at = rows.begin; at != rows.end; ++at) {
            const int row = *at;
            stream.append(rows.result->Text(row, 1)).append(",");
            stream.append(rows.result->Text(row, 2)).append(",");
            stream.append(FromServerText(rows.result->Text(row, 3))).append("\r\n");
        }
    }
    template <std::size_t Count>
    void operator()(const char*, OneBasedArray<ImageRecord, Count>& images)
    {
        const ChildRows& rows = children_[Pictures];
        for (const int* at = rows.begin; at != rows.end; ++at) {
            const int row = *at;
            const auto slot = static_cast<int>(rows.result->Integer(row, 1));
            if (slot < 1 || slot > static_cast<int>(Count)) {
                continue;
            }
            ImageRecord& image = images[slot];
            image.ImageFile = FromServerText(rows.result->Text(row, 2));
            image.ImageTitle = FromServerText(rows.result->Text(row, 3));
            image.ImageFlag = rows.result->Boolean(row, 4);
        }
    }
    void operator()(const char*, WeeklySchedule& schedule)
    {
        const ChildRows& rows = children_[Slots];
        for (const int* at = rows.begin; at != rows.end; ++at) {
            const int row = *at;
            const auto day = static_cast<int>(rows.result->Integer(row, 1));
            const auto slot = static_cast<int>(rows.result->Integer(row, 2));
            if (day < 1 || day > WeeklySchedule::Days || slot < 1 || slot > WeeklySchedule::Slots) {
                continue;
            }
            schedule.SetBits(day, slot, TimeBits(*rows.result, row, 3, 5),
                             TimeBits(*rows.result, row, 4, 6));
        }
    }
    void operator()(const char*, SkillSet& skills)
    {
        const ChildRows& rows = children_[Skills];
        for (const int* at = rows.begin; at != rows.end; ++at) {
            const int row = *at;
            const auto skill = static_cast<int>(rows.result->Integer(row, 1));
            if (skill < 1 || skill > SkillSet::Count) {
                continue;
            }
            skills.SetHasSkill(skill, rows.result->Boolean(row, 2));
            skills.SetSkillTexts(skill, FromServerText(rows.result->Text(row, 3)),
                                 FromServerText(rows.result->Text(row, 4)));
        }
    }

private:
    std::string Next() { return FromServerText(record_.Text(row_, column_++)); }

    const QueryResult& record_;
    int row_;
    int column_;
    const std::array<ChildRows, ChildCount>& children_;
};

// ---- the digest ----

// Every byte the record files, each text after its length, folded eight bytes at a time. Each
// step of the fold is a bijection of the state, so two records differing in one word of eight
// bytes never have the same digest; others do with a chance of one in 2^64.
class DigestVisitor {
public:
    void operator()(const char*, bool value) { Mix(value ? 1 : 2); }
    void operator()(const char*, std::int32_t value) { Mix(static_cast<std::uint32_t>(value)); }
    template <typename Texts>
    requires TextSequence<Texts> || std::convertible_to<Texts, std::string_view>
    void operator()(const char*, const Texts& texts)
    {
        if constexpr (std::convertible_to<Texts, std::string_view>) {
            Add(texts);
        } else {
            Mix(texts.size());
            for (std::string_view text : texts) {
                Add(text);
            }
        }
    }
    void operator()(const char*, CharacterText<const std::string> experience)
    {
        Add(experience.Bytes);
    }
    template <std::size_t Count>
    void operator()(const char*, const OneBasedArray<ImageRecord, Count>& images)
    {
        for (const ImageRecord& image : images) {
            Add(image.ImageFile);
            Add(image.ImageTitle);
            Mix(image.ImageFlag ? 1 : 2);
        }
    }
    void operator()(const char*, const WeeklySchedule& schedule)
    {
        schedule.VisitFilledSlots(
            [this](int day, int slot, std::uint64_t start, std::uint64_t end) {
                Mix(static_cast<std::uint64_t>(day * 16 + slot));
                Mix(start);
                Mix(end);
            });
        Mix(0);  // the end of the week
    }
    void operator()(const char*, const SkillSet& skills)
    {
        skills.VisitFilledSkills(
            [this](int skill, bool has, std::string_view proficiency, std::string_view notes) {
                if (has || !proficiency.empty() || !notes.empty()) {
                    Mix(static_cast<std::uint64_t>(skill) | (has ? 256 : 0));
                    Add(proficiency);
                    Add(notes);
                }
            });
    }

    std::uint64_t Value() const { return hash_; }

private:
    void Add(std::string_view bytes)
    {
        Mix(bytes.size());
        const char* at = bytes.data();
        std::size_t left = bytes.size();
        for (; left >= 8; at += 8, left -= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, at, 8);
            Mix(word);
        }
        if (left > 0) {
            std::uint64_t word = 0;
            std::memcpy(&word, at, left);
            Mix(word);
        }
    }
    void Mix(std::uint64_t value)
    {
        hash_ = (hash_ ^ value) * 0x9E3779B97F4A7C15ULL;
        hash_ ^= hash_ >> 29;
    }

    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

std::string CopyStatement(const std::string& table, const std::string& columns)
{
    return "COPY " + table + " (" + columns + ") FROM STDIN";
}

}  // namespace

const std::vector<RecordColumn>& RecordValueColumns()
{
    static const std::vector<RecordColumn> columns = [] {
        std::vector<RecordColumn> listed;
        const ItemRecord record;
        VisitFiledFields(ColumnLister(listed), record);
        return listed;
    }();
    return columns;
}

void AppendRecordRows(RecordRows& rows, const ItemRecord& record, std::int64_t id,
                      std::int32_t databaseId, std::int32_t position, std::int64_t revision,
                      std::int64_t savedIn)
{
    const std::string idText = std::to_string(id);
    rows.records += idText + '\t' + std::to_string(databaseId) + '\t' + std::to_string(position) +
                    '\t' + std::to_string(revision) + '\t' + std::to_string(savedIn);
    VisitFiledFields(RowWriter(rows, std::to_string(databaseId) + '\t' + idText + '\t'), record);
    rows.records += '\n';
}

void CopyRecordRows(ServerConnection& connection, const RecordRows& rows)
{
    std::string columns = "id, database_id, position, revision, saved_in";
    for (const RecordColumn& column : RecordValueColumns()) {
        columns += ", " + column.name;
    }
    const std::array<std::pair<std::string, const std::string*>, 6> tables = {{
        {CopyStatement("record", columns), &rows.records},
        {CopyStatement("record_line", "database_id, record_id, list, number, text"), &rows.lines},
        {CopyStatement("skill", "database_id, record_id, skill, has_skill, proficiency, notes"),
         &rows.skills},
        {CopyStatement("schedule_slot",
                       "database_id, record_id, day, slot, starts, ends, start_bits, end_bits"),
         &rows.slots},
        {CopyStatement("experience", "database_id, record_id, line, table_column, table_row, text"),
         &rows.experience},
        {CopyStatement("picture", "database_id, record_id, slot, file, title, flag"),
         &rows.pictures},
    }};
    for (const auto& [statement, text] : tables) {
        if (!text->empty()) {
            connection.CopyIn(statement, *text);
        }
    }
}

RecordSelection RecordSelection::OfDatabase(std::int32_t databaseId)
{
    return {"database_id = $1", "database_id = $1", std::to_string(databaseId)};
}

RecordSelection RecordSelection::OfRows(const std::vector<std::int64_t>& ids)
{
    std::string array = "{";
    for (const std::int64_t id : ids) {
        array += (array.size() > 1 ? "," : "") + std::to_string(id);
    }
    return {"id = ANY($1::bigint[])", "record_id = ANY($1::bigint[])", array + "}"};
}

std::vector<LoadedRecord> LoadRecords(ServerConnection& connection,
                                      const RecordSelection& selection,
                                      const ProgressReport& progress)
{
    std::string columns = "id, position, revision";
    for (const RecordColumn& column : RecordValueColumns()) {
        columns += ", " + column.name;
    }
    // No ORDER BY: the server would sort hundreds of thousands of wide rows on disk, where here
    // they are put in order by their numbers alone.
    const std::vector<std::optional<std::string>> parameter = {selection.parameter};
    const QueryResult records = connection.Run(
        "SELECT " + columns + " FROM record WHERE " + selection.recordCondition, parameter);
    const std::string where = " WHERE " + selection.childCondition;
    // Each child's last column orders its rows within a record.
    const std::array<QueryResult, ChildCount> children = {
        connection.Run("SELECT record_id, list, text, number FROM record_line" + where, parameter),
        connection.Run(
            "SELECT record_id, skill, has_skill, proficiency, notes, skill FROM skill" + where,
            parameter),
        connection.Run("SELECT record_id, day, slot, starts, ends, start_bits, end_bits, 0 "
                       "FROM schedule_slot" +
                           where,
                       parameter),
        connection.Run(
            "SELECT record_id, table_column, table_row, text, line FROM experience" + where,
            parameter),
        connection.Run("SELECT record_id, slot, file, title, flag, 0 FROM picture" + where,
                       parameter),
    };
    static constexpr std::array<int, ChildCount> OrderColumn = {3, 5, 7, 4, 5};

    // The records in list order: by position, then by id.
    const int count = records.Rows();
    std::vector<LoadedRecord> loaded(static_cast<std::size_t>(count));
    std::vector<int> rowOf(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        LoadedRecord& record = loaded[static_cast<std::size_t>(row)];
        record.id = records.Integer(row, 0);
        record.position = static_cast<std::int32_t>(records.Integer(row, 1));
        record.revision = records.Integer(row, 2);
        rowOf[static_cast<std::size_t>(row)] = row;
    }
    std::sort(rowOf.begin(), rowOf.end(), [&loaded](int a, int b) {
        const LoadedRecord& one = loaded[static_cast<std::size_t>(a)];
        const LoadedRecord& other = loaded[static_cast<std::size_t>(b)];
        return one.position != other.position ? one.position < other.position : one.id < other.id;
    });
    std::unordered_map<std::int64_t, int> indexOf;
    indexOf.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        indexOf.emplace(loaded[static_cast<std::size_t>(rowOf[static_cast<std::size_t>(index)])].id,
                        index);
    }

    // Each child's rows grouped by record (a counting sort), then ordered within each record.
    std::array<std::vector<int>, ChildCount> starts;
    std::array<std::vector<int>, ChildCount> grouped;
    for (int child = 0; child < ChildCount; ++child) {
        const QueryResult& result = children[static_cast<std::size_t>(child)];
        std::vector<int>& start = starts[static_cast<std::size_t>(child)];
        std::vector<int>& rows = grouped[static_cast<std::size_t>(child)];
        start.assign(static_cast<std::size_t>(count) + 1, 0);
        std::vector<int> owner(static_cast<std::size_t>(result.Rows()));
        for (int row = 0; row < result.Rows(); ++row) {
            const auto found = indexOf.find(result.Integer(row, 0));
            owner[static_cast<std::size_t>(row)] = found == indexOf.end() ? -1 : found->second;
            if (found != indexOf.end()) {
                ++start[static_cast<std::size_t>(found->second) + 1];
            }
        }
        for (std::size_t index = 0; index < static_cast<std::size_t>(count); ++index) {
            start[index + 1] += start[index];
        }
        rows.assign(static_cast<std::size_t>(start.back()), 0);
        std::vector<int> next(start.begin(), start.end() - 1);
        for (int row = 0; row < result.Rows(); ++row) {
            if (const int index = owner[static_cast<std::size_t>(row)]; index >= 0) {
                rows[static_cast<std::size_t>(next[static_cast<std::size_t>(index)]++)] = row;
            }
        }
        // The rows come mostly in order already: each record's are sorted only when not.
        const int order = OrderColumn[static_cast<std::size_t>(child)];
        std::vector<std::int64_t> key(static_cast<std::size_t>(result.Rows()));
        for (const int row : rows) {
            key[static_cast<std::size_t>(row)] = result.Integer(row, order);
        }
        auto before = [&key](int a, int b) {
            return key[static_cast<std::size_t>(a)] < key[static_cast<std::size_t>(b)];
        };
        for (std::size_t index = 0; index < static_cast<std::size_t>(count); ++index) {
            const auto first = rows.begin() + start[index];
            const auto last = rows.begin() + start[index + 1];
            if (!std::is_sorted(first, last, before)) {
                std::sort(first, last, before);
            }
        }
    }

    // Each record made, and its digest taken while its bytes are at hand; a long list on two
    // threads.
    std::vector<LoadedRecord> ordered(static_cast<std::size_t>(count));
    auto make = [&](int from, int to, bool report) {
        for (int index = from; index < to; ++index) {
            const int row = rowOf[static_cast<std::size_t>(index)];
            LoadedRecord& record = ordered[static_cast<std::size_t>(index)];
            record = loaded[static_cast<std::size_t>(row)];
            std::array<ChildRows, ChildCount> rows;
            for (std::size_t child = 0; child < ChildCount; ++child) {
                const int* base = grouped[child].data();
                rows[child] = {&children[child],
                               base + starts[child][static_cast<std::size_t>(index)],
                               base + starts[child][static_cast<std::size_t>(index) + 1]};
            }
            record.record = std::make_shared<ItemRecord>();
            VisitFiledFields(RowReader(records, row, rows), *record.record);
            record.digest = FiledContentDigest(*record.record);
            if (report && progress) {
                progress(static_cast<std::size_t>(index - from) + 1,
                         static_cast<std::size_t>(to - from));
            }
        }
    };
    constexpr int WorthAThread = 5000;
    if (count < WorthAThread) {
        make(0, count, true);
    } else {
        std::thread other(make, count / 2, count, false);
        make(0, count / 2, true);
        other.join();
    }
    return ordered;
}

std::uint64_t FiledContentDigest(const ItemRecord& record)
{
    DigestVisitor digest;
    VisitFiledFields(digest, record);
    return digest.Value();
}

std::vector<std::uint64_t> FiledContentDigests(const ItemRecordList& records)
{
    std::vector<std::uint64_t> digests(records.size());
    auto digestRange = [&records, &digests](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            digests[i] = FiledContentDigest(*records[i]);
        }
    };
    // Every save digests every record: on a large database that is worth a second core.
    constexpr std::size_t WorthAThread = 5000;
    if (records.size() < WorthAThread) {
        digestRange(0, records.size());
        return digests;
    }
    const std::size_t half = records.size() / 2;
    std::thread other(digestRange, half, records.size());
    digestRange(0, half);
    other.join();
    return digests;
}

}  // namespace quillmark
