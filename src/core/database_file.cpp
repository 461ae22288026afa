#include "core/database_file.h"

#include "core/category_tree.h"
#include "core/encrypted_file.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/filed_fields.h"
#include "core/password_cipher.h"
#include "core/value_reader.h"
#include "core/value_tags.h"
#include "core/value_writer.h"
#include "core/windows1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>

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

// Files each member of a record as the database file holds it.
class RecordFileWriter {
public:
    explicit RecordFileWriter(ValueWriter& writer) : writer_(writer) {}

    void operator()(const char*, bool value) { writer_.WriteBoolean(value); }
    void operator()(const char*, std::int32_t value) { writer_.WriteInteger(value); }
    void operator()(const char*, const std::string& text) { writer_.WriteString(text); }
    void operator()(const char*, const StringList& lines) { writer_.WriteStringList(lines); }
    // A fixed array: its texts one after another, without a count.
    template <TextSequence Texts>
    void operator()(const char*, const Texts& texts)
    {
        for (const std::string& text : texts) {
            writer_.WriteString(text);
        }
    }
    void operator()(const char*, CharacterText<const std::string> experience)
    {
        writer_.WriteInteger(static_cast<std::int32_t>(experience.Bytes.size()));
        writer_.WriteCharacters(experience.Bytes);
    }
    template <std::size_t Count>
    void operator()(const char*, const OneBasedArray<ImageRecord, Count>& images)
    {
        for (const ImageRecord& image : images) {
            VisitImageFields(*this, image);
        }
    }
    // Each slot's start and end time as the eight bytes of their bits, lowest first. Empty slots
    // are zeros, so the week goes out as one block.
    void operator()(const char*, const WeeklySchedule& schedule)
    {
        constexpr std::size_t TimeBytes = 8;
        unsigned char week[WeeklySchedule::Days * WeeklySchedule::Slots * 2 * TimeBytes] = {};
        schedule.VisitFilledSlots(
            [&week](int day, int slot, std::uint64_t startBits, std::uint64_t endBits) {
                unsigned char* bytes =
                    week + static_cast<std::size_t>((day - 1) * WeeklySchedule::Slots + slot - 1) *
                               2 * TimeBytes;
                for (std::uint64_t bits : {startBits, endBits}) {
                    for (std::size_t i = 0; i < TimeBytes; ++i) {
                        *bytes++ = static_cast<unsigned char>(bits & 0xFF);
                        bits >>= 8;
                    }
                }
            });
        writer_.WriteRawBlock(week, sizeof week);
    }
    void operator()(const char*, const SkillSet& skills)
    {
        // Most of a record's skills are unchecked and without texts: each run of those goes out
        // as one block.
        static constexpr auto EmptySkills = [] {
            std::array<char, sizeof EmptySkill * SkillSet::Count> run{};
            for (std::size_t at = 0; at < run.size(); ++at) {
                run[at] = EmptySkill[at % sizeof EmptySkill];
            }
            return run;
        }();
        int written = 0;
        skills.VisitFilledSkills(
            [&](int skill, bool has, std::string_view proficiency, std::string_view notes) {
                writer_.WriteRawBlock(
                    EmptySkills.data(),
                    static_cast<std::size_t>(skill - 1 - written) * sizeof EmptySkill);
                writer_.WriteBoolean(has);
                writer_.WriteString(proficiency);
                writer_.WriteString(notes);
                written = skill;
            });
        writer_.WriteRawBlock(
            EmptySkills.data(),
            static_cast<std::size_t>(SkillSet::Count - written) * sizeof EmptySkill);
    }

private:
    ValueWriter& writer_;
};

// Asks the processor for the whole of a record's own memory (not the texts it points to).
void PrefetchRecord(const ItemRecord& record)
{
    constexpr std::size_t CacheLine = 64;
    const char* const start = reinterpret_cast<const char*>(&record);
    for (std::size_t offset = 0; offset < sizeof record; offset += CacheLine) {
        __builtin_prefetch(start + offset);
    }
}

// The experience table's bytes, each filed as a one-character string.
void ReadExperienceCharacters(ValueReader& reader, std::string& stream)
{
    const std::size_t fileBytes = stream.size() * ExperienceBytesPerCharacter;
    if (const char* bytes = reader.Peek(fileBytes)) {
        bool plain = true;
        for (char& c : stream) {
            plain = bytes[0] == Tag::String && bytes[1] == 1;
            if (!plain) {
                break;
            }
            c = bytes[2];
            bytes += ExperienceBytesPerCharacter;
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

// The 70 slots of the week as start and end times, all in one block of raw bytes. Only filled
// slots are stored, into `schedule`, which starts empty.
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
            if (start != 0 || end != 0) {
                schedule.SetBits(day, slot, start, end);
            }
        }
    }
}

// The skills, into `skills`, which starts with none checked and no texts.
void ReadSkills(ValueReader& reader, SkillSet& skills, std::string& proficiency, std::string& notes)
{
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        // Unchecked skills without texts, by far the most common, passed over a run at a time.
        const auto left = static_cast<std::size_t>(SkillSet::Count - skill + 1);
        if (const char* bytes = reader.Peek(left * sizeof EmptySkill)) {
            std::size_t empty = 0;
            while (empty < left && std::memcmp(bytes + empty * sizeof EmptySkill, EmptySkill,
                                               sizeof EmptySkill) == 0) {
                ++empty;
            }
            reader.Advance(empty * sizeof EmptySkill);
            skill += static_cast<int>(empty);
            if (skill > SkillSet::Count) {
                break;
            }
        }
        if (reader.ReadBoolean()) {
            skills.SetHasSkill(skill, true);
        }
        reader.ReadStringInto(proficiency);
        reader.ReadStringInto(notes);
        skills.SetSkillTexts(skill, proficiency, notes);
    }
}

// Reads each member of a new record as the database file holds it. The schedule and the skills
// are built in buffers of the reader's own and then copied into the record, so that the record
// holds them in blocks of their exact size: one allocation each, and none of a growing block's
// spare room, times every record of the file.
class RecordFileReader {
public:
    explicit RecordFileReader(ValueReader& reader) : reader_(reader) {}

    void operator()(const char*, bool& value) { value = reader_.ReadBoolean(); }
    void operator()(const char*, std::int32_t& value) { value = reader_.ReadInteger(); }
    void operator()(const char*, std::string& text) { reader_.ReadStringInto(text); }
    void operator()(const char*, StringList& lines) { reader_.ReadStringListInto(lines); }
    template <TextSequence Texts>
    void operator()(const char*, Texts& texts)
    {
        for (std::string& text : texts) {
            reader_.ReadStringInto(text);
        }
    }
    void operator()(const char*, CharacterText<std::string> experience)
    {
        const std::int32_t size = reader_.ReadInteger();
        experience.Bytes.clear();
        if (size <= 0) {
            return;
        }
        if (static_cast<std::uint64_t>(size) * ExperienceBytesPerCharacter > reader_.Remaining()) {
            reader_.Fail("the experience table of " + std::to_string(size) +
                         " bytes runs past the end of the file");
        }
        experience.Bytes.resize(static_cast<std::size_t>(size));
        ReadExperienceCharacters(reader_, experience.Bytes);
    }
    template <std::size_t Count>
    void operator()(const char*, OneBasedArray<ImageRecord, Count>& images)
    {
        for (ImageRecord& image : images) {
            VisitImageFields(*this, image);
        }
    }
    void operator()(const char*, WeeklySchedule& schedule)
    {
        schedule_.Clear();
        ReadSchedule(reader_, schedule_);
        if (!schedule_.IsEmpty()) {
            schedule = schedule_;
        }
    }
    void operator()(const char*, SkillSet& skills)
    {
        skills_.Clear();
        ReadSkills(reader_, skills_, proficiency_, notes_);
        if (skills_ != SkillSet()) {
            skills = skills_;
        }
    }

private:
    ValueReader& reader_;
    WeeklySchedule schedule_;
    SkillSet skills_;
    std::string proficiency_;
    std::string notes_;
};

void ReadRecord(RecordFileReader& reader, ItemRecord& record)
{
    VisitFiledFields(reader, record);
    // An identifier is eight characters; a longer one in the file keeps its first eight.
    if (record.RecordId.size() > 8) {
        record.RecordId.resize(8);
    }
}

// How far into a file's header a reader goes.
enum class HeaderPart {
    Passwords,   // the enciphered passwords, asked for before a file is opened
    Captions,    // up to the description and detail captions, which a merge compares
    Everything,  // the whole header, up to the record count
};

// Reads a file's header up to `part` into database, value by value. Only a whole header has
// its identification checked: false, with nothing after it read, when it is not Quillmark's.
// fileName names the database when the file leaves the name empty.
bool ReadHeader(ValueReader& reader, HeaderPart part, Database& database, std::string& version,
                const std::string& fileName = {})
{
    version = reader.ReadString();
    if (const std::string identification = reader.ReadString();
        part == HeaderPart::Everything && identification != DatabaseIdentification) {
        return false;
    }
    std::string password;
    for (SecretText* secret : {&database.ReadPassword, &database.SavePassword}) {
        reader.ReadStringInto(password);
        *secret = password;
        WipeText(password);
    }
    if (part == HeaderPart::Passwords) {
        return true;
    }
    for (std::string* text : InformationTexts(database.DatabaseInfo)) {
        reader.ReadStringInto(*text);
    }
    if (part == HeaderPart::Captions) {
        reader.SkipValue();  // the notes: a merge compares only the captions after them
    } else {
        reader.ReadStringListInto(database.DatabaseInfo.DatabaseNotes);
        if (database.DatabaseInfo.DatabaseName.empty()) {
            database.DatabaseInfo.DatabaseName = DatabaseNameOfFile(fileName);
        }
    }
    for (std::string& caption : database.DescriptionCaptions) {
        reader.ReadStringInto(caption);
    }
    for (std::string& caption : database.DetailCaptions) {
        reader.ReadStringInto(caption);
    }
    if (part == HeaderPart::Captions) {
        return true;
    }
    for (std::string& caption : database.OtherCaptions) {
        reader.ReadStringInto(caption);
    }
    for (std::string& name : database.SkillNames) {
        reader.ReadStringInto(name);
    }
    for (std::string& tree : database.DescriptionTrees) {
        tree = ReadCategoryTree(reader);
    }
    return true;
}

// The plain bytes of a database file: the file's own, or those its encryption holds. The key
// must be the one opened from this file's header.
class DatabaseBytes {
public:
    DatabaseBytes(const std::string& path, const std::shared_ptr<const FileKey>& key) : file_(path)
    {
        if (!key) {
            return;
        }
        // The file may have been replaced since its key was opened.
        std::string header(EncryptedHeaderSize, '\0');
        std::size_t got = 0;
        while (got < header.size()) {
            const std::size_t more = file_.ReadSome(header.data() + got, header.size() - got);
            if (more == 0) {
                break;
            }
            got += more;
        }
        if (header != key->Header()) {
            throw FormatError("The file's encryption header changed while it was opened.", 0);
        }
        decrypted_.emplace(file_, key);
    }
    ByteSource& Source() { return decrypted_ ? static_cast<ByteSource&>(*decrypted_) : file_; }
    std::uint64_t FileSize() const { return file_.Size(); }
    std::uint64_t Size() const
    {
        return decrypted_ ? DecryptingSource::PlainSize(file_.Size()) : file_.Size();
    }

private:
    FileSource file_;
    std::optional<DecryptingSource> decrypted_;
};

// Whether a save writes the database encrypted: only with a read password, its key.
bool SavedEncrypted(const Database& database)
{
    return database.Encrypted && !database.ReadPassword.empty();
}

// The database's read password as the user typed it, in locked memory.
std::unique_ptr<const SecretBytes> PlainReadPassword(const Database& database)
{
    std::string password = DecipherPassword(database.ReadPassword);
    auto secret = std::make_unique<const SecretBytes>(password);
    WipeText(password);
    return secret;
}

// The key that opens an encrypted file with the read password a database has; nothing for a
// plain file. Throws WrongPasswordError when that password does not open it.
std::shared_ptr<const FileKey> KeyFromDatabase(const std::string& path, const Database& database)
{
    if (!IsEncryptedFile(path)) {
        return nullptr;
    }
    return FileKey::Open(path, PlainReadPassword(database)->View());
}

// Reads the header of the file at path up to `part` into a database of its own.
Database ReadFileHeader(const std::string& path, HeaderPart part,
                        const std::shared_ptr<const FileKey>& key)
{
    DatabaseBytes bytes(path, key);
    ValueReader reader(bytes.Source(), bytes.Size());
    Database header;
    std::string version;
    ReadHeader(reader, part, header, version);
    return header;
}

// CheckMergeCompatibility, throwing what reading the header throws.
bool MergeCompatible(const std::string& path, const Database& database,
                     std::shared_ptr<const FileKey> key)
{
    if (!key) {
        key = KeyFromDatabase(path, database);
    }
    const Database header = ReadFileHeader(path, HeaderPart::Captions, key);
    return header.DescriptionCaptions == database.DescriptionCaptions &&
           header.DetailCaptions == database.DetailCaptions &&
           header.ReadPassword == database.ReadPassword &&
           header.SavePassword == database.SavePassword;
}

void ReadHeaderAndRecords(ValueReader& reader, Database& database, const std::string& fileName,
                          ReadMode mode, DatabaseReadResult& result, const ProgressReport& progress)
{
    if (!ReadHeader(reader, HeaderPart::Everything, database, result.Version, fileName)) {
        result.Outcome = ReadOutcome::NotQuillmark;
        return;
    }

    const std::int32_t count = reader.ReadInteger();
    RecordFileReader recordReader(reader);
    if (mode == ReadMode::Check) {
        // One record read over and over: every member is read afresh each time, and what a
        // record held before does not change how the next one reads.
        ItemRecord record;
        for (std::int32_t i = 0; i < count; ++i) {
            ReadRecord(recordReader, record);
            result.RecordsRead = static_cast<std::size_t>(i) + 1;
            if (progress) {
                progress(result.RecordsRead, static_cast<std::size_t>(count));
            }
        }
        result.DataAfterRecords = reader.Remaining() > 0;
        return;
    }
    if (count > 0) {
        const auto possible = reader.Remaining() / SmallestRecordBytes;
        database.RecordList.reserve(
            database.RecordList.size() +
            static_cast<std::size_t>(std::min<std::uint64_t>(count, possible)));
    }
    for (std::int32_t i = 0; i < count; ++i) {
        auto record = std::make_shared<ItemRecord>();
        ReadRecord(recordReader, *record);
        database.RecordList.push_back(std::move(record));
        result.RecordsRead = static_cast<std::size_t>(i) + 1;
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
    const ItemRecordList& records = database.RecordList;
    for (std::size_t done = 0; done < records.size(); ++done) {
        // Records lie apart in memory: the next but one is asked for while this one is written.
        if (done + 2 < records.size()) {
            PrefetchRecord(*records[done + 2]);
        }
        const ItemRecord& record = *records[done];
        if (!options.ExtractMode || record.InSearchList) {
            VisitFiledFields(RecordFileWriter(writer), record);
        }
        if (options.Progress) {
            options.Progress(done + 1, records.size());
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
            if (!SavedEncrypted(database)) {
                ValueWriter writer(sink);
                WriteDatabase(writer, database, path, options);
                return;
            }
            // Encrypted as it is written: no plain byte reaches the disk.
            EncryptingSink encrypted(sink, PlainReadPassword(database)->View(), options.KeyLimits);
            ValueWriter writer(encrypted);
            WriteDatabase(writer, database, path, options);
            encrypted.Finish();
        },
        saveOptions);
}

std::optional<std::string> SaveDatabaseBackupCopy(const std::string& path,
                                                  const std::string& backupPath,
                                                  const Database& database,
                                                  const DatabaseWriteOptions& options)
{
    if (!SavedEncrypted(database) || IsEncryptedFile(path)) {
        return SaveBackupCopy(path, backupPath);
    }
    return SaveBackupCopy(path, backupPath, [&](ByteSource& original, ByteSink& copy) {
        EncryptingSink encrypted(copy, PlainReadPassword(database)->View(), options.KeyLimits);
        std::string buffer(EncryptedChunkSize, '\0');
        while (const std::size_t got = original.ReadSome(buffer.data(), buffer.size())) {
            encrypted.Write(std::string_view(buffer.data(), got));
        }
        encrypted.Finish();
        WipeText(buffer);
    });
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
        ReadHeaderAndRecords(reader, database, fileName, mode, result, progress);
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
                                    const ProgressReport& progress,
                                    std::shared_ptr<const FileKey> key)
{
    DatabaseReadResult result;
    bool encrypted = false;
    try {
        if (FileSource(path).Size() == 0) {
            result.Outcome = ReadOutcome::Empty;
            return result;
        }
        encrypted = IsEncryptedFile(path);
        if (encrypted && !key) {
            if (mode != ReadMode::Merge) {
                result.Outcome = ReadOutcome::Locked;
                return result;
            }
            // A file merged in has the database's passwords, so its read password opens it.
            try {
                key = KeyFromDatabase(path, database);
            } catch (const WrongPasswordError&) {
                result.Outcome = ReadOutcome::Incompatible;
                return result;
            }
        }
        if (!encrypted) {
            key = nullptr;
        }
        // A changed encrypted file is damage, told as such, never merely another layout.
        if (mode == ReadMode::Merge &&
            !(encrypted ? MergeCompatible(path, database, key)
                        : CheckMergeCompatibility(path, database, key))) {
            result.Outcome = ReadOutcome::Incompatible;
            return result;
        }
        DatabaseBytes bytes(path, key);
        ValueReader reader(bytes.Source(), bytes.Size());
        if (encrypted && mode == ReadMode::Merge) {
            // Nothing of a changed encrypted file is trusted: merged aside, kept only whole.
            Database merged = database;
            result = ReadDatabase(reader, merged, path, mode, progress);
            if (result.Ok()) {
                database = std::move(merged);
            }
        } else {
            result = ReadDatabase(reader, database, path, mode, progress);
        }
        result.Encrypted = encrypted;
        if (result.Ok() && mode == ReadMode::Replace) {
            database.Encrypted = encrypted;
        }
        return result;
    } catch (const NotRegularFileError& error) {
        result.Outcome = ReadOutcome::NotRegularFile;
        result.Reason = error.what();
    } catch (const FormatError& error) {
        result.Outcome = ReadOutcome::Damaged;
        result.Reason = error.what();
        result.Offset = error.Offset();
        result.Encrypted = encrypted;
    } catch (const WrongPasswordError&) {
        result.Outcome = ReadOutcome::Locked;
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

std::optional<FilePasswords> ReadPasswords(const std::string& path,
                                           const std::shared_ptr<const FileKey>& key)
{
    try {
        Database header = ReadFileHeader(path, HeaderPart::Passwords, key);
        return FilePasswords{std::move(header.ReadPassword), std::move(header.SavePassword)};
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

bool CheckMergeCompatibility(const std::string& path, const Database& database,
                             std::shared_ptr<const FileKey> key)
{
    try {
        return MergeCompatible(path, database, std::move(key));
    } catch (const std::runtime_error&) {
        return false;
    }
}

}  // namespace quillmark
