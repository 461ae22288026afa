#include "core/database_file.h"

#include "core/category_tree.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/value_reader.h"
#include "core/value_tags.h"
#include "core/value_writer.h"
#include "core/windows1252.h"

#include <algorithm>
#include <cstring>

namespace quillmark {

namespace {

constexpr const char* TreeClassName = "TTreeView";
constexpr const char* TreeObjectName = "DescriptionTree";
// The tree control files its whole tree as one text in the tree text format.
constexpr const char* TreeTextProperty = "TreeText";
// The smallest record a file can hold: every value at its shortest, 140 raw schedule times
// and 100 skills. Used to keep a damaged record count from reserving memory.
constexpr std::uint64_t SmallestRecordBytes = 1752;
constexpr int ExperienceBytesPerCharacter = 3;
// False, then two empty strings: an unchecked skill with no proficiency and no notes.
constexpr char EmptySkill[] = {Tag::False, Tag::String, 0, Tag::String, 0};

// File names are spelt as the system does (UTF-8); the name goes into record text.
std::string DatabaseNameOfFile(const std::string& path)
{
    return Utf8ToWindows1252Lossy(FileNamePart(path));
}

void WriteCategoryTree(ValueWriter& writer, const std::string& treeText, int field)
{
    const TreeTextCheck tree = NormaliseTreeText(treeText);
    if (tree.TooManyCategories) {
        throw WriteError("The category tree of description field " + std::to_string(field) +
                         " has more than " + std::to_string(MaximumCategories) + " categories.");
    }
    if (!tree.Ok()) {
        throw WriteError("The category tree of description field " + std::to_string(field) +
                         " is not valid (line " + std::to_string(*tree.ErrorLine) +
                         " is nested too deep).");
    }
    writer.BeginRootComponent(TreeClassName, TreeObjectName);
    writer.WritePropertyName(TreeTextProperty);
    writer.WriteString(tree.Text);
    writer.EndProperties();
    writer.EndChildren();
}

std::string ReadCategoryTree(ValueReader& reader)
{
    std::string className;
    std::string objectName;
    reader.BeginRootComponent(className, objectName);
    std::string tree;
    while (!reader.EndOfList()) {
        const std::string property = reader.ReadPropertyName();
        if (property != TreeTextProperty) {
            reader.SkipValue();
            continue;
        }
        const std::uint64_t start = reader.Offset();
        TreeTextCheck text = NormaliseTreeText(reader.ReadString());
        if (text.TooManyCategories) {
            throw FormatError("a category tree has more than " + std::to_string(MaximumCategories) +
                                  " categories",
                              start);
        }
        if (!text.Ok()) {
            throw FormatError(
                "a category tree is nested too deep at its line " + std::to_string(*text.ErrorLine),
                start);
        }
        tree = std::move(text.Text);
    }
    reader.ReadListEnd();
    reader.SkipChildren();
    return tree;
}

void WriteRecord(ValueWriter& writer, const ItemRecord& record)
{
    writer.WriteBoolean(record.ReadOnly);
    writer.WriteString(record.RecordName);
    writer.WriteString(record.RecordId);
    for (const std::string& detail : record.Detail) {
        writer.WriteString(detail);
    }
    for (const std::string& desc : record.Desc) {
        writer.WriteString(desc);
    }
    for (const std::string& other : record.Other) {
        writer.WriteString(other);
    }
    writer.WriteString(record.HoursPerWeek);
    writer.WriteString(record.SalaryAmount);
    writer.WriteInteger(record.SalaryType);
    writer.WriteString(record.WorkDaysPerWeek);
    for (const std::string& figure : record.SalaryFigures) {
        writer.WriteString(figure);
    }
    writer.WriteInteger(static_cast<std::int32_t>(record.ExperienceStream.size()));
    for (char c : record.ExperienceStream) {
        writer.WriteCharacter(c);
    }
    writer.WriteStringList(record.Keywords);
    writer.WriteStringList(record.ResumeFile);
    writer.WriteStringList(record.Notes);
    writer.WriteStringList(record.SpareList1);
    writer.WriteStringList(record.SpareList2);
    for (const ImageRecord& image : record.Images) {
        writer.WriteString(image.ImageFile);
        writer.WriteString(image.ImageTitle);
        writer.WriteBoolean(image.ImageFlag);
    }
    writer.WriteString(record.SpareText);
    writer.WriteBoolean(record.Working);
    writer.WriteBoolean(record.Available);
    writer.WriteBoolean(record.NotAvailable);
    for (int day = 1; day <= WeeklySchedule::Days; ++day) {
        for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot) {
            const std::uint64_t times[2] = {record.Schedule.StartBits(day, slot),
                                            record.Schedule.EndBits(day, slot)};
            for (std::uint64_t bits : times) {
                unsigned char bytes[8];
                for (unsigned char& byte : bytes) {
                    byte = static_cast<unsigned char>(bits & 0xFF);
                    bits >>= 8;
                }
                writer.WriteRawBlock(bytes, sizeof bytes);
            }
        }
    }
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        writer.WriteBoolean(record.Skills.HasSkill(skill));
        writer.WriteString(record.Skills.SkillProficiency(skill));
        writer.WriteString(record.Skills.SkillNotes(skill));
    }
}

// The experience table's bytes, each filed as a one-character string.
void ReadExperienceCharacters(ValueReader& reader, std::string& stream)
{
    const std::size_t fileBytes = stream.size() * ExperienceBytesPerCharacter;
    if (const char* bytes = reader.Peek(fileBytes)) {
        bool plain = true;
        for (std::size_t i = 0; i < stream.size() && plain; ++i) {
            plain = bytes[3 * i] == Tag::String && bytes[3 * i + 1] == 1;
            stream[i] = bytes[3 * i + 2];
        }
        if (plain) {
            reader.Advance(fileBytes);
            return;
        }
    }
    for (char& c : stream) {
        c = reader.ReadCharacter();  // reports exactly where the bytes go wrong
    }
}

// The 70 slots of the week as start and end times, all in one block of raw bytes.
void ReadSchedule(ValueReader& reader, WeeklySchedule& schedule)
{
    constexpr std::size_t TimeBytes = 8;
    constexpr std::size_t WeekBytes = WeeklySchedule::Days * WeeklySchedule::Slots * 2 * TimeBytes;
    unsigned char week[WeekBytes];
    reader.ReadRawBlock(week, sizeof week);
    const unsigned char* time = week;
    for (int day = 1; day <= WeeklySchedule::Days; ++day) {
        for (int slot = 1; slot <= WeeklySchedule::Slots; ++slot, time += 2 * TimeBytes) {
            std::uint64_t start = 0;
            std::uint64_t end = 0;
            for (int i = 7; i >= 0; --i) {
                start = (start << 8) | time[i];
                end = (end << 8) | time[TimeBytes + static_cast<std::size_t>(i)];
            }
            // The record is new and its week empty: only filled slots need storing.
            if (start != 0 || end != 0) {
                schedule.SetBits(day, slot, start, end);
            }
        }
    }
}

void ReadRecord(ValueReader& reader, ItemRecord& record)
{
    record.ReadOnly = reader.ReadBoolean();
    reader.ReadStringInto(record.RecordName);
    reader.ReadStringInto(record.RecordId);
    if (record.RecordId.size() > 8) {
        record.RecordId.resize(8);
    }
    for (std::string& detail : record.Detail) {
        reader.ReadStringInto(detail);
    }
    for (std::string& desc : record.Desc) {
        reader.ReadStringInto(desc);
    }
    for (std::string& other : record.Other) {
        reader.ReadStringInto(other);
    }
    reader.ReadStringInto(record.HoursPerWeek);
    reader.ReadStringInto(record.SalaryAmount);
    record.SalaryType = reader.ReadInteger();
    reader.ReadStringInto(record.WorkDaysPerWeek);
    for (std::string& figure : record.SalaryFigures) {
        reader.ReadStringInto(figure);
    }
    const std::int32_t experienceSize = reader.ReadInteger();
    record.ExperienceStream.clear();
    if (experienceSize > 0) {
        if (static_cast<std::uint64_t>(experienceSize) * ExperienceBytesPerCharacter >
            reader.Remaining()) {
            reader.Fail("the experience table of " + std::to_string(experienceSize) +
                        " bytes runs past the end of the file");
        }
        record.ExperienceStream.resize(static_cast<std::size_t>(experienceSize));
        ReadExperienceCharacters(reader, record.ExperienceStream);
    }
    reader.ReadStringListInto(record.Keywords);
    reader.ReadStringListInto(record.ResumeFile);
    reader.ReadStringListInto(record.Notes);
    reader.ReadStringListInto(record.SpareList1);
    reader.ReadStringListInto(record.SpareList2);
    for (ImageRecord& image : record.Images) {
        reader.ReadStringInto(image.ImageFile);
        reader.ReadStringInto(image.ImageTitle);
        image.ImageFlag = reader.ReadBoolean();
    }
    reader.ReadStringInto(record.SpareText);
    record.Working = reader.ReadBoolean();
    record.Available = reader.ReadBoolean();
    record.NotAvailable = reader.ReadBoolean();
    // The record is new: its schedule and skills are empty, so only what the file fills in
    // needs storing, and most of a record's 70 slots and 200 skill texts are empty.
    ReadSchedule(reader, record.Schedule);
    std::string proficiency;
    std::string notes;
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        // An unchecked skill without texts, by far the most common, in one comparison.
        if (const char* bytes = reader.Peek(sizeof EmptySkill);
            bytes != nullptr && std::memcmp(bytes, EmptySkill, sizeof EmptySkill) == 0) {
            reader.Advance(sizeof EmptySkill);
            continue;
        }
        if (reader.ReadBoolean()) {
            record.Skills.SetHasSkill(skill, true);
        }
        reader.ReadStringInto(proficiency);
        reader.ReadStringInto(notes);
        record.Skills.SetSkillTexts(skill, proficiency, notes);
    }
}

void ReadCaptions(ValueReader& reader, Database& database)
{
    for (std::string& caption : database.DescriptionCaptions) {
        reader.ReadStringInto(caption);
    }
    for (std::string& caption : database.DetailCaptions) {
        reader.ReadStringInto(caption);
    }
    for (std::string& caption : database.OtherCaptions) {
        reader.ReadStringInto(caption);
    }
    for (std::string& name : database.SkillNames) {
        reader.ReadStringInto(name);
    }
}

void ReadHeaderAndRecords(ValueReader& reader, Database& database, const std::string& fileName,
                          DatabaseReadResult& result, const ProgressReport& progress)
{
    result.Version = reader.ReadString();
    if (reader.ReadString() != DatabaseIdentification) {
        result.Outcome = ReadOutcome::NotQuillmark;
        return;
    }
    reader.ReadStringInto(database.ReadPassword);
    reader.ReadStringInto(database.SavePassword);
    for (std::string* text : InformationTexts(database.DatabaseInfo)) {
        reader.ReadStringInto(*text);
    }
    reader.ReadStringListInto(database.DatabaseInfo.DatabaseNotes);
    if (database.DatabaseInfo.DatabaseName.empty()) {
        database.DatabaseInfo.DatabaseName = DatabaseNameOfFile(fileName);
    }
    ReadCaptions(reader, database);
    for (std::string& tree : database.DescriptionTrees) {
        tree = ReadCategoryTree(reader);
    }

    const std::int32_t count = reader.ReadInteger();
    if (count > 0) {
        const auto possible = reader.Remaining() / SmallestRecordBytes;
        database.RecordList.reserve(
            database.RecordList.size() +
            static_cast<std::size_t>(std::min<std::uint64_t>(count, possible)));
    }
    for (std::int32_t i = 0; i < count; ++i) {
        auto record = std::make_shared<ItemRecord>();
        ReadRecord(reader, *record);
        database.RecordList.push_back(std::move(record));
        if (progress) {
            progress(static_cast<std::size_t>(i) + 1, static_cast<std::size_t>(count));
        }
    }
    result.DataAfterRecords = reader.Remaining() > 0;
}

}  // namespace

void WriteDatabase(ValueWriter& writer, Database& database, const std::string& fileName,
                   const DatabaseWriteOptions& options)
{
    std::int32_t count = 0;
    for (const auto& record : database.RecordList) {
        if (!options.ExtractMode || record->InSearchList) {
            ++count;
        }
    }
    writer.WriteString(options.Version);
    writer.WriteString(options.Identification);
    writer.WriteString(database.ReadPassword);
    writer.WriteString(database.SavePassword);
    if (database.DatabaseInfo.DatabaseName.empty()) {
        database.DatabaseInfo.DatabaseName = DatabaseNameOfFile(fileName);
    }
    for (const std::string* text : InformationTexts(database.DatabaseInfo)) {
        writer.WriteString(*text);
    }
    writer.WriteStringList(database.DatabaseInfo.DatabaseNotes);
    for (const std::string& caption : database.DescriptionCaptions) {
        writer.WriteString(caption);
    }
    for (const std::string& caption : database.DetailCaptions) {
        writer.WriteString(caption);
    }
    for (const std::string& caption : database.OtherCaptions) {
        writer.WriteString(caption);
    }
    for (const std::string& name : database.SkillNames) {
        writer.WriteString(name);
    }
    for (int field = 1; field <= database.DescriptionTrees.Count; ++field) {
        WriteCategoryTree(writer, database.DescriptionTrees[field], field);
    }
    writer.WriteInteger(count);
    std::size_t done = 0;
    for (const auto& record : database.RecordList) {
        if (!options.ExtractMode || record->InSearchList) {
            WriteRecord(writer, *record);
        }
        if (options.Progress) {
            options.Progress(++done, database.RecordList.size());
        }
    }
    writer.Flush();
}

FileIdentity SaveDatabaseFile(const std::string& path, Database& database,
                              const DatabaseWriteOptions& options, const SaveOptions& saveOptions)
{
    return SaveFileSafely(
        path,
        [&](ByteSink& sink) {
            ValueWriter writer(sink);
            WriteDatabase(writer, database, path, options);
        },
        saveOptions);
}

DatabaseReadResult ReadDatabase(ValueReader& reader, Database& database,
                                const std::string& fileName, ReadMode mode,
                                const ProgressReport& progress)
{
    DatabaseReadResult result;
    if (mode == ReadMode::Replace) {
        database.RecordList.clear();
    }
    try {
        ReadHeaderAndRecords(reader, database, fileName, result, progress);
    } catch (const FormatError& error) {
        result.Outcome = ReadOutcome::Damaged;
        result.Reason = error.what();
        result.Offset = error.Offset();
    } catch (const ReadError& error) {
        result.Outcome = ReadOutcome::CannotOpen;
        result.Reason = error.what();
        result.Offset = reader.Offset();
    }
    return result;
}

DatabaseReadResult ReadDatabaseFile(const std::string& path, Database& database, ReadMode mode,
                                    const ProgressReport& progress)
{
    DatabaseReadResult result;
    try {
        FileSource source(path);
        if (source.Size() == 0) {
            result.Outcome = ReadOutcome::Empty;
            return result;
        }
        if (mode == ReadMode::Merge && !CheckMergeCompatibility(path, database)) {
            result.Outcome = ReadOutcome::Incompatible;
            return result;
        }
        ValueReader reader(source, source.Size());
        return ReadDatabase(reader, database, path, mode, progress);
    } catch (const NotRegularFileError& error) {
        result.Outcome = ReadOutcome::NotRegularFile;
        result.Reason = error.what();
    } catch (const ReadError& error) {
        result.Outcome = ReadOutcome::CannotOpen;
        result.Reason = error.what();
    }
    return result;
}

std::string DataAfterRecordsMessage(const std::string& path)
{
    return FileNameInMessage(path) +
           " holds data after its last record that Quillmark cannot read. Saving the database "
           "will not keep it.";
}

std::optional<FilePasswords> ReadPasswords(const std::string& path)
{
    try {
        FileSource source(path);
        ValueReader reader(source, source.Size());
        reader.ReadString();
        reader.ReadString();
        FilePasswords passwords;
        passwords.ReadPassword = reader.ReadString();
        passwords.SavePassword = reader.ReadString();
        return passwords;
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

bool CheckMergeCompatibility(const std::string& path, const Database& database)
{
    try {
        FileSource source(path);
        ValueReader reader(source, source.Size());
        reader.ReadString();
        reader.ReadString();
        const std::string readPassword = reader.ReadString();
        const std::string savePassword = reader.ReadString();
        for (int i = 0; i < 10; ++i) {
            reader.ReadString();
        }
        reader.SkipValue();  // the notes
        bool compatible = true;
        for (const std::string& caption : database.DescriptionCaptions) {
            compatible = reader.ReadString() == caption && compatible;
        }
        for (const std::string& caption : database.DetailCaptions) {
            compatible = reader.ReadString() == caption && compatible;
        }
        return compatible && readPassword == database.ReadPassword &&
               savePassword == database.SavePassword;
    } catch (const std::runtime_error&) {
        return false;
    }
}

}  // namespace quillmark
