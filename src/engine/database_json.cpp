#include "engine/database_json.h"

#include "core/category_tree.h"
#include "core/filed_fields.h"
#include "core/random_source.h"
#include "core/windows1252.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string_view>

namespace quillmark {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

// ---- to JSON ----

ordered_json Time(std::uint64_t bits)
{
    const double value = std::bit_cast<double>(bits);
    if (std::isfinite(value)) {
        return value;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(bits));
    return std::string(hex);
}

// Writes JSON laid out exactly as nlohmann's dump(2) lays it out, straight into a string: a
// record is a few hundred values, and the dump of a large database spends its time here.
class PrettyJson {
public:
    // What is written so far goes on to sink whenever it grows past a few pages, so that even a
    // list of millions of empty lines takes only its own bytes.
    PrettyJson(std::string& out, std::size_t indent, std::ostream* sink = nullptr)
        : out_(out), indent_(indent), sink_(sink)
    {
    }

    void Begin(char bracket)
    {
        BeforeValue();
        out_ += bracket;
        empty_.push_back(true);
        indent_ += 2;
    }
    void End(char bracket)
    {
        indent_ -= 2;
        if (!empty_.back()) {
            NewLine();
        }
        empty_.pop_back();
        out_ += bracket;
    }
    void Key(std::string_view key)
    {
        Separate();
        Quoted(key);
        out_ += ": ";
        afterKey_ = true;
    }
    void Text(std::string_view bytes)
    {
        BeforeValue();
        Quoted(Windows1252ToUtf8(bytes));
    }
    template <typename Texts>
    void TextArray(const Texts& texts)
    {
        Begin('[');
        for (std::string_view text : texts) {
            Text(text);
        }
        End(']');
    }
    void Boolean(bool value)
    {
        BeforeValue();
        out_ += value ? "true" : "false";
    }
    void Integer(std::int64_t value)
    {
        BeforeValue();
        out_ += std::to_string(value);
    }
    void Time(std::uint64_t bits)
    {
        if (bits == 0) {
            BeforeValue();
            out_ += "0.0";  // an empty slot, by far the most common
        } else {
            const ordered_json value = quillmark::Time(bits);
            BeforeValue();
            out_ += value.dump();
        }
    }

private:
    void BeforeValue()
    {
        if (sink_ != nullptr && out_.size() >= 64 * 1024) {
            *sink_ << out_;
            out_.clear();
        }
        if (afterKey_) {
            afterKey_ = false;
        } else if (!empty_.empty()) {
            Separate();
        }
    }
    void Separate()
    {
        if (empty_.back()) {
            empty_.back() = false;
        } else {
            out_ += ',';
        }
        NewLine();
    }
    void NewLine()
    {
        out_ += '\n';
        out_.append(indent_, ' ');
    }
    void Quoted(std::string_view utf8)
    {
        static constexpr char Digits[] = "0123456789abcdef";
        out_ += '"';
        for (const char c : utf8) {
            switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\b':
                out_ += "\\b";
                break;
            case '\t':
                out_ += "\\t";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\f':
                out_ += "\\f";
                break;
            case '\r':
                out_ += "\\r";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out_ += "\\u00";
                    out_ += Digits[static_cast<unsigned char>(c) >> 4];
                    out_ += Digits[static_cast<unsigned char>(c) & 0x0F];
                } else {
                    out_ += c;
                }
            }
        }
        out_ += '"';
    }

    std::string& out_;
    std::size_t indent_;
    std::ostream* sink_;
    std::vector<bool> empty_;  // per open bracket: nothing written in it yet
    bool afterKey_ = false;
};

// Writes each member of a record under its key.
class RecordJsonWriter {
public:
    explicit RecordJsonWriter(PrettyJson& json) : json_(json) {}

    void operator()(const char* key, bool value)
    {
        json_.Key(key);
        json_.Boolean(value);
    }
    void operator()(const char* key, std::int32_t value)
    {
        json_.Key(key);
        json_.Integer(value);
    }
    void operator()(const char* key, const std::string& text)
    {
        json_.Key(key);
        json_.Text(text);
    }
    void operator()(const char* key, CharacterText<const std::string> experience)
    {
        (*this)(key, experience.Bytes);
    }
    template <TextSequence Texts>
    void operator()(const char* key, const Texts& texts)
    {
        json_.Key(key);
        json_.TextArray(texts);
    }
    template <std::size_t Count>
    void operator()(const char* key, const OneBasedArray<ImageRecord, Count>& images)
    {
        json_.Key(key);
        json_.Begin('[');
        for (const ImageRecord& image : images) {
            json_.Begin('{');
            VisitImageFields(*this, image);
            json_.End('}');
        }
        json_.End(']');
    }
    // The start times of the week, day by day, then its end times.
    void operator()(const char*, const WeeklySchedule& schedule)
    {
        for (const bool starts : {true, false}) {
            json_.Key(starts ? "ScheduleStart" : "ScheduleEnd");
            json_.Begin('[');
            for (int day = 1; day <= WeeklySchedule::Days; ++day) {
                json_.Begin('[');
                for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot) {
                    json_.Time(starts ? schedule.StartBits(day, slot)
                                      : schedule.EndBits(day, slot));
                }
                json_.End(']');
            }
            json_.End(']');
        }
    }
    // Three arrays of a hundred: the checks, the proficiencies and the notes.
    void operator()(const char*, const SkillSet& skills)
    {
        json_.Key("HasSkill");
        json_.Begin('[');
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            json_.Boolean(skills.HasSkill(skill));
        }
        json_.End(']');
        json_.Key("SkillProficiency");
        json_.Begin('[');
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            json_.Text(skills.SkillProficiency(skill));
        }
        json_.End(']');
        json_.Key("SkillNotes");
        json_.Begin('[');
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            json_.Text(skills.SkillNotes(skill));
        }
        json_.End(']');
    }

private:
    PrettyJson& json_;
};

void WriteRecordJson(PrettyJson& json, const ItemRecord& record)
{
    json.Begin('{');
    VisitFiledFields(RecordJsonWriter(json), record);
    json.End('}');
}

// ---- from JSON ----

// Reads one JSON value, knowing its path for messages such as
// 'records[3].Detail[2] must be a string'.
class Field {
public:
    Field(const json* value, std::string path) : value_(value), path_(std::move(path)) {}

    bool Present() const { return value_ != nullptr && !value_->is_null(); }
    const std::string& Path() const { return path_; }

    Field operator[](const char* key) const
    {
        const json* child = nullptr;
        if (Present()) {
            if (!value_->is_object()) {
                Fail("must be an object");
            }
            auto found = value_->find(key);
            child = found != value_->end() ? &*found : nullptr;
        }
        return Field(child, path_.empty() ? key : path_ + "." + key);
    }

    Field At(std::size_t index) const
    {
        return Field(&(*value_)[index], path_ + "[" + std::to_string(index) + "]");
    }

    // The array's length, after checking it is an array of exactly that many items if
    // expected is given.
    std::size_t ArraySize(std::optional<std::size_t> expected = std::nullopt) const
    {
        if (!value_->is_array()) {
            Fail("must be an array");
        }
        if (expected && value_->size() != *expected) {
            Fail("must hold " + std::to_string(*expected) + " items");
        }
        return value_->size();
    }

    std::string Text() const
    {
        if (!value_->is_string()) {
            Fail("must be a string");
        }
        std::optional<std::string> bytes = Utf8ToWindows1252(value_->get_ref<const std::string&>());
        if (!bytes) {
            Fail("holds a character that a Quillmark file cannot store (Windows-1252)");
        }
        return *bytes;
    }

    bool Boolean() const
    {
        if (!value_->is_boolean()) {
            Fail("must be true or false");
        }
        return value_->get<bool>();
    }

    std::int32_t Integer() const
    {
        if (!value_->is_number_integer()) {
            Fail("must be a whole number");
        }
        const auto number = value_->get<std::int64_t>();
        if (number < INT32_MIN || number > INT32_MAX ||
            (value_->is_number_unsigned() && value_->get<std::uint64_t>() > INT32_MAX)) {
            Fail("is out of range");
        }
        return static_cast<std::int32_t>(number);
    }

    std::uint64_t TimeBits() const
    {
        if (value_->is_number()) {
            return std::bit_cast<std::uint64_t>(value_->get<double>());
        }
        if (value_->is_string()) {
            const std::string& hex = value_->get_ref<const std::string&>();
            std::optional<std::string> bytes = FromHex(hex);
            if (bytes && bytes->size() == 8) {
                std::uint64_t bits = 0;
                for (char c : *bytes) {
                    bits = (bits << 8) | static_cast<unsigned char>(c);
                }
                return bits;
            }
        }
        Fail("must be a number or 16 hex digits");
    }

    [[noreturn]] void Fail(const std::string& problem) const
    {
        throw JsonInputError(path_ + " " + problem);
    }

private:
    const json* value_;
    std::string path_;
};

void ReadText(const Field& field, std::string& into)
{
    if (field.Present()) {
        into = field.Text();
    }
}

void ReadBoolean(const Field& field, bool& into)
{
    if (field.Present()) {
        into = field.Boolean();
    }
}

// Fixed-size text arrays (captions, details, ...): the JSON must hold exactly as many.
template <typename Texts>
void ReadTextArray(const Field& field, Texts& into)
{
    if (!field.Present()) {
        return;
    }
    field.ArraySize(static_cast<std::size_t>(std::size(into)));
    std::size_t i = 0;
    for (std::string& text : into) {
        text = field.At(i++).Text();
    }
}

void ReadLines(const Field& field, StringList& into)
{
    if (!field.Present()) {
        return;
    }
    const std::size_t count = field.ArraySize();
    into.clear();
    for (std::size_t i = 0; i < count; ++i) {
        into.push_back(field.At(i).Text());
    }
}

void ReadSchedule(const Field& starts, const Field& ends, WeeklySchedule& schedule)
{
    for (const Field* field : {&starts, &ends}) {
        if (!field->Present()) {
            continue;
        }
        field->ArraySize(WeeklySchedule::Days);
        for (int day = 1; day <= WeeklySchedule::Days; ++day) {
            const Field dayField = field->At(static_cast<std::size_t>(day - 1));
            dayField.ArraySize(WeeklySchedule::Slots);
            for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot) {
                const std::uint64_t bits =
                    dayField.At(static_cast<std::size_t>(slot - 1)).TimeBits();
                if (field == &starts) {
                    schedule.SetBits(day, slot, bits, schedule.EndBits(day, slot));
                } else {
                    schedule.SetBits(day, slot, schedule.StartBits(day, slot), bits);
                }
            }
        }
    }
}

void ReadSkills(const Field& record, SkillSet& skills)
{
    const Field has = record["HasSkill"];
    if (has.Present()) {
        has.ArraySize(SkillSet::Count);
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            skills.SetHasSkill(skill, has.At(static_cast<std::size_t>(skill - 1)).Boolean());
        }
    }
    const Field proficiency = record["SkillProficiency"];
    if (proficiency.Present()) {
        proficiency.ArraySize(SkillSet::Count);
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            skills.SetSkillProficiency(skill,
                                       proficiency.At(static_cast<std::size_t>(skill - 1)).Text());
        }
    }
    const Field notes = record["SkillNotes"];
    if (notes.Present()) {
        notes.ArraySize(SkillSet::Count);
        for (int skill = 1; skill <= SkillSet::Count; ++skill) {
            skills.SetSkillNotes(skill, notes.At(static_cast<std::size_t>(skill - 1)).Text());
        }
    }
}

// Reads each member of a record from its key; a missing key leaves the member as it is.
class RecordJsonReader {
public:
    explicit RecordJsonReader(const Field& record) : record_(record) {}

    void operator()(const char* key, bool& value) { ReadBoolean(record_[key], value); }
    void operator()(const char* key, std::int32_t& value)
    {
        if (const Field field = record_[key]; field.Present()) {
            value = field.Integer();
        }
    }
    void operator()(const char* key, std::string& text) { ReadText(record_[key], text); }
    void operator()(const char* key, CharacterText<std::string> experience)
    {
        ReadText(record_[key], experience.Bytes);
    }
    void operator()(const char* key, StringList& lines) { ReadLines(record_[key], lines); }
    template <TextSequence Texts>
    void operator()(const char* key, Texts& texts)
    {
        ReadTextArray(record_[key], texts);
    }
    template <std::size_t Count>
    void operator()(const char* key, OneBasedArray<ImageRecord, Count>& images)
    {
        const Field field = record_[key];
        if (!field.Present()) {
            return;
        }
        field.ArraySize(Count);
        for (int slot = 1; slot <= images.Count; ++slot) {
            const Field image = field.At(static_cast<std::size_t>(slot - 1));
            VisitImageFields(RecordJsonReader(image), images[slot]);
        }
    }
    void operator()(const char*, WeeklySchedule& schedule)
    {
        ReadSchedule(record_["ScheduleStart"], record_["ScheduleEnd"], schedule);
    }
    void operator()(const char*, SkillSet& skills) { ReadSkills(record_, skills); }

private:
    const Field& record_;
};

std::shared_ptr<ItemRecord> RecordFromJson(const Field& f, const ItemRecordList& before,
                                           RandomSource& random)
{
    auto record = std::make_shared<ItemRecord>();
    VisitFiledFields(RecordJsonReader(f), *record);
    // A missing name or identifier is made as for a new record; only then is the list searched.
    if (!f["RecordName"].Present()) {
        record->RecordName = NewRecordName(before);
    }
    if (!f["RecordId"].Present()) {
        record->RecordId = MakeRecordId(random);
    }
    return record;
}

void ReadPassword(const Field& field, SecretText& into)
{
    if (!field.Present()) {
        return;
    }
    std::optional<std::string> bytes = FromHex(field.Text());
    if (!bytes) {
        field.Fail("must be hex digits of the enciphered password");
    }
    into = *bytes;
    WipeText(*bytes);
}

}  // namespace

std::string ToHex(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex.push_back(Digits[byte >> 4]);
        hex.push_back(Digits[byte & 0x0F]);
    }
    return hex;
}

std::optional<std::string> FromHex(std::string_view hex)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = value(hex[i]);
        const int low = value(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

void WriteDatabaseJson(std::ostream& out, const Database& database, const std::string& version)
{
    // Written a record at a time, so that the JSON of a large database is never held whole.
    std::string text;
    PrettyJson j(text, 0, &out);
    j.Begin('{');
    j.Key("version");
    j.Text(version);
    j.Key("identification");
    j.Text(DatabaseIdentification);
    j.Key("ReadPassword");
    j.Text(ToHex(database.ReadPassword));
    j.Key("SavePassword");
    j.Text(ToHex(database.SavePassword));
    j.Key("DatabaseInfo");
    j.Begin('{');
    const auto texts = InformationTexts(database.DatabaseInfo);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        j.Key(InformationTextNames[i]);
        j.Text(*texts[i]);
    }
    j.Key("DatabaseNotes");
    j.TextArray(database.DatabaseInfo.DatabaseNotes);
    j.End('}');
    j.Key("DescriptionCaptions");
    j.TextArray(database.DescriptionCaptions);
    j.Key("DetailCaptions");
    j.TextArray(database.DetailCaptions);
    j.Key("OtherCaptions");
    j.TextArray(database.OtherCaptions);
    j.Key("SkillNames");
    j.TextArray(database.SkillNames);
    j.Key("DescriptionTrees");
    j.TextArray(database.DescriptionTrees);
    j.Key("records");
    j.Begin('[');
    for (const auto& record : database.RecordList) {
        WriteRecordJson(j, *record);
    }
    j.End(']');
    j.End('}');
    out << text << '\n';
}

DatabaseFromJsonResult DatabaseFromJson(const json& input,
                                        const OneBasedArray<std::string, 10>& defaultTrees)
{
    DatabaseFromJsonResult result;
    Database& database = result.database;
    database.DescriptionTrees = defaultTrees;
    const Field root(&input, "");
    if (!input.is_object()) {
        throw JsonInputError("the JSON must be an object");
    }
    ReadText(root["version"], result.options.Version);
    ReadText(root["identification"], result.options.Identification);
    ReadPassword(root["ReadPassword"], database.ReadPassword);
    ReadPassword(root["SavePassword"], database.SavePassword);

    const Field info = root["DatabaseInfo"];
    DatabaseRecord& d = database.DatabaseInfo;
    const auto texts = InformationTexts(d);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ReadText(info[InformationTextNames[i]], *texts[i]);
    }
    ReadLines(info["DatabaseNotes"], d.DatabaseNotes);

    ReadTextArray(root["DescriptionCaptions"], database.DescriptionCaptions);
    ReadTextArray(root["DetailCaptions"], database.DetailCaptions);
    ReadTextArray(root["OtherCaptions"], database.OtherCaptions);
    ReadTextArray(root["SkillNames"], database.SkillNames);
    const Field trees = root["DescriptionTrees"];
    ReadTextArray(trees, database.DescriptionTrees);
    for (int field = 1; field <= database.DescriptionTrees.Count; ++field) {
        const TreeTextResult tree = ReadTreeText(database.DescriptionTrees[field]);
        if (!tree.Ok()) {
            throw JsonInputError(trees.Path() + "[" + std::to_string(field - 1) + "] line " +
                                 std::to_string(*tree.ErrorLine) +
                                 " is more than one level deeper than the line before it");
        }
    }

    const Field records = root["records"];
    if (records.Present()) {
        SystemRandom random;
        const std::size_t count = records.ArraySize();
        for (std::size_t i = 0; i < count; ++i) {
            database.RecordList.push_back(
                RecordFromJson(records.At(i), database.RecordList, random));
        }
    }
    return result;
}

}  // namespace quillmark
