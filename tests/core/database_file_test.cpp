// The database file against the layout, and the files a user may meet by accident or be handed
// on purpose. (Files crafted to take memory are run through the tool.)

#include "support/database_layout.h"
#include "support/test_helpers.h"

#include "core/database_file.h"
#include "core/encrypted_file.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/password_cipher.h"
#include "core/value_reader.h"
#include "core/value_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace quillmark {
namespace {

using test::Hex;
using test::I;
using test::Name;
using test::S;
using test::ToHex;

using test::HeaderLayout;
using test::RecordLayout;
using test::TreeComponent;
using test::TreeTextComponent;

// A record with something distinct in every part of the layout.
RecordLayout BusyRecordLayout()
{
    RecordLayout record;
    record.ReadOnly = true;
    record.RecordName = "Zo\xEB M\xFCller";
    record.RecordId = "K3J9QZ0A";
    for (std::size_t i = 0; i < record.Texts.size(); ++i) {
        record.Texts[i] = "text " + std::to_string(i);
    }
    record.Texts[10] = "Nights : Part Time : Shift";
    record.HoursPerWeek = "40";
    record.SalaryAmount = "$500";
    record.SalaryType = 3;
    record.SalaryFigures[0] = "12.50";
    record.SalaryFigures[5] = "26000.00";
    record.Experience = "1990\tClerk\r\n" + std::string(120, '-');  // a count of two bytes
    record.Lists = {
        {{"night shift", "forklift"}, {"/home/staff/cv.doc"}, {"", "third"}, {"s"}, {}}};
    record.Images[2] = {"/pictures/portrait.jpg", "Portrait", true};
    record.SpareText = "kept";
    record.Status = {false, true, false};
    record.Schedule[{2, 1}] = {std::bit_cast<std::uint64_t>(0.375),
                               std::bit_cast<std::uint64_t>(0.5)};
    record.Schedule[{7, 10}] = {0x8000000000000000, 0x7FF8000000000001};  // -0 and a NaN
    record.Schedule[{4, 5}] = {0, std::bit_cast<std::uint64_t>(0.75)};    // an end, no start
    record.Schedule[{5, 6}] = {std::bit_cast<std::uint64_t>(0.25), 0};    // a start, no end
    record.Skills[1] = {true, "Expert", "since 1990"};
    record.Skills[100] = {false, "", "notes only"};
    return record;
}

std::string Written(Database& database, const std::string& fileName = "/data/people.dat",
                    const DatabaseWriteOptions& options = {})
{
    std::string bytes;
    StringSink sink(bytes);
    ValueWriter writer(sink);
    WriteDatabase(writer, database, fileName, options);
    return bytes;
}

// Reads from memory (chunk 0) or from a source handing out chunk bytes at a time.
DatabaseReadResult Read(const std::string& bytes, Database& database, std::size_t chunk = 0,
                        ReadMode mode = ReadMode::Replace)
{
    if (chunk == 0) {
        ValueReader reader(bytes);
        return ReadDatabase(reader, database, "/data/people.dat", mode);
    }
    test::TrickleSource source(bytes, chunk);
    ValueReader reader(source, bytes.size());
    return ReadDatabase(reader, database, "/data/people.dat", mode);
}

std::shared_ptr<ItemRecord> NamedRecord(const std::string& name)
{
    auto record = std::make_shared<ItemRecord>();
    record->RecordName = name;
    return record;
}

std::vector<std::string> RecordNames(const Database& database)
{
    std::vector<std::string> names;
    for (const auto& record : database.RecordList) {
        names.push_back(record->RecordName);
    }
    return names;
}

TEST(DatabaseFileTest, ReadsAFileMadeFromTheLayout)
{
    HeaderLayout header;
    header.Version = "2.00";  // never examined
    header.ReadPassword = "\x47\x17";
    header.SavePassword = "\x14\x56\x70";
    header.Information = {"Staff", "Ann",   "1 Road", "Town",  "Land",
                          "12345", "555-1", "555-2",  "a@b.c", "http://x"};
    header.Notes = {"first note", "second note"};
    header.Captions[0] = "Shift Type";
    header.Captions[19] = "Badge";
    header.Captions[20] = "Hired";
    header.SkillNames[99] = "Welding";
    // Properties the program does not know are passed over, before and after its own.
    header.Trees[0] =
        TreeComponent(Name("Left") + I(5) + Name("Items.Data") + Hex("0A 03 00 00 00 01 02 03") +
                      Name("TreeText") + S("Shift\r\n\tPart Time\r\n\t\tNights\r\n") +
                      Name("Font.Style") + Hex("0B") + Name("fsBold") + Hex("00"));
    header.Trees[1] = Hex("54 50 46 30") + Name("TTreeView") + Name("DescriptionTree") +
                      Name("TreeText") + S("Male\n Boys\nFemale") + Hex("00") + Name("TScrollBar") +
                      Name("Bar") + Hex("00 00 00");  // with a child object
    RecordLayout second;
    second.RecordName = "Second";
    second.RecordId = "ABCDEFGHIJKL";
    const RecordLayout first = BusyRecordLayout();
    const std::string bytes = header.Bytes(2) + first.Bytes() + second.Bytes();

    for (std::size_t chunk : {0, 1}) {
        SCOPED_TRACE(chunk);
        Database database;
        database.RecordList.push_back(NamedRecord("Old"));
        const DatabaseReadResult result = Read(bytes, database, chunk);
        ASSERT_EQ(result.Outcome, ReadOutcome::Loaded) << result.Reason << " at " << result.Offset;
        EXPECT_EQ(result.Version, "2.00");
        EXPECT_EQ(database.ReadPassword, header.ReadPassword);
        EXPECT_EQ(database.SavePassword, header.SavePassword);
        EXPECT_EQ(database.DatabaseInfo.DatabaseName, "Staff");
        EXPECT_EQ(database.DatabaseInfo.OwnerCity, "Town");
        EXPECT_EQ(database.DatabaseInfo.OwnerZipCode, "12345");
        EXPECT_EQ(database.DatabaseInfo.OwnerWebPage, "http://x");
        EXPECT_EQ(database.DatabaseInfo.DatabaseNotes, header.Notes);
        EXPECT_EQ(database.DescriptionCaptions[0], "Shift Type");
        EXPECT_EQ(database.DetailCaptions[9], "Badge");
        EXPECT_EQ(database.OtherCaptions[0], "Hired");
        EXPECT_EQ(database.SkillNames[100], "Welding");
        EXPECT_EQ(database.DescriptionTrees[1], "Shift\r\n\tPart Time\r\n\t\tNights\r\n");
        EXPECT_EQ(database.DescriptionTrees[2], "Male\r\n\tBoys\r\nFemale\r\n")
            << "kept with tabs and CR LF";
        EXPECT_EQ(database.DescriptionTrees[3], "");

        ASSERT_EQ(database.RecordList.size(), 2u) << "the records read replace those in memory";
        const ItemRecord& read = *database.RecordList[0];
        EXPECT_TRUE(read.SameFiledContent(first.Record()));
        EXPECT_EQ(read.Desc[1], "Nights : Part Time : Shift");
        EXPECT_EQ(read.Other[6], "text 25");
        EXPECT_EQ(database.RecordList[1]->RecordId, "ABCDEFGH") << "kept to eight characters";
    }

    std::vector<std::pair<std::size_t, std::size_t>> reported;
    Database database;
    ValueReader reader(bytes);
    ReadDatabase(reader, database, "/data/people.dat", ReadMode::Replace,
                 [&](std::size_t done, std::size_t total) { reported.emplace_back(done, total); });
    EXPECT_EQ(reported, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 2}, {2, 2}}));
}

TEST(DatabaseFileTest, WritesTheLayoutByteForByte)
{
    // An unnamed database takes the name of its file.
    Database database;
    const std::string empty = Written(database, "/home/ann/databases/people.dat");
    const std::string start = Hex("06 04 31 2E 31 32 06 09") + "Quillmark" +
                              Hex("06 00 06 00 06 0A") + "people.dat" +
                              test::Repeat(Hex("06 00"), 9) + Hex("01 00 06 04") + "Type";
    EXPECT_EQ(ToHex(empty.substr(0, start.size())), ToHex(start));
    EXPECT_EQ(database.DatabaseInfo.DatabaseName, "people.dat");
    HeaderLayout header;
    header.Information[0] = "people.dat";
    header.Trees.assign(10, TreeTextComponent(""));
    EXPECT_EQ(ToHex(empty), ToHex(header.Bytes(0)));

    // Every information text distinct, long values, a tree, a busy record.
    database.ReadPassword = header.ReadPassword = EncipherPassword("open sesame");
    database.SavePassword = header.SavePassword = std::string(300, '\xA0');
    std::size_t i = 0;
    for (std::string* text : InformationTexts(database.DatabaseInfo)) {
        header.Information[i] = "info " + std::to_string(i);
        *text = header.Information[i++];
    }
    database.DatabaseInfo.DatabaseNotes = header.Notes = {"", std::string(256, 'n')};
    database.DescriptionTrees[10] = "Top\n Child";
    header.Trees[9] = TreeTextComponent("Top\r\n\tChild\r\n");
    const RecordLayout record = BusyRecordLayout();
    database.RecordList.push_back(std::make_shared<ItemRecord>(record.Record()));
    EXPECT_EQ(ToHex(Written(database)), ToHex(header.Bytes(1) + record.Bytes()));

    Database unnamed;
    header.Information[0] = "";
    ASSERT_TRUE(Read(header.Bytes(0), unnamed).Ok());
    EXPECT_EQ(unnamed.DatabaseInfo.DatabaseName, "people.dat") << "named after the file read";
}

TEST(DatabaseFileTest, ExtractingWritesOnlyTheSearchList)
{
    Database database;
    for (const char* name : {"First", "Second", "Third"}) {
        database.RecordList.push_back(NamedRecord(name));
        database.RecordList.back()->InSearchList = name[0] != 'S';
    }
    std::vector<std::pair<std::size_t, std::size_t>> told;
    const DatabaseWriteOptions extracting{.ExtractMode = true,
                                          .Progress = [&told](std::size_t done, std::size_t total) {
                                              told.emplace_back(done, total);
                                          }};
    Database read;
    ASSERT_TRUE(Read(Written(database, "/data/people.dat", extracting), read).Ok());
    EXPECT_EQ(RecordNames(read), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(told, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}))
        << "progress goes over every record, extracted or not";
}

TEST(DatabaseFileTest, OnlyTheExactIdentificationIsAccepted)
{
    for (const char* identification : {"Quillmark ", "quillmark", "QUILLMARK", ""}) {
        SCOPED_TRACE(identification);
        HeaderLayout header;
        header.Identification = identification;
        header.ReadPassword = "new";
        Database database;
        database.ReadPassword = "old";
        database.RecordList.push_back(NamedRecord("Old"));
        EXPECT_EQ(Read(header.Bytes(1) + RecordLayout().Bytes(), database).Outcome,
                  ReadOutcome::NotQuillmark);
        EXPECT_EQ(database.ReadPassword, "old") << "reading stops before the passwords";
        EXPECT_TRUE(database.RecordList.empty());
    }
}

TEST(DatabaseFileTest, AFileCutAnywhereIsDamagedAndKeepsTheRecordsBeforeTheCut)
{
    HeaderLayout header;
    header.Notes = {"note"};
    header.Trees[0] = TreeTextComponent("A\r\n\tB\r\n");
    const RecordLayout first = BusyRecordLayout();
    RecordLayout second;
    second.Experience = "xy";
    const std::string bytes = header.Bytes(2) + first.Bytes() + second.Bytes();
    const std::size_t firstEnds = bytes.size() - second.Bytes().size();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE("cut after " + std::to_string(length) + " bytes");
        const std::string cut = bytes.substr(0, length);
        for (std::size_t chunk : {0, 3}) {
            Database database;
            const DatabaseReadResult result = Read(cut, database, chunk);
            ASSERT_EQ(result.Outcome, ReadOutcome::Damaged);
            ASSERT_LE(result.Offset, length);
            ASSERT_EQ(database.RecordList.size(), length >= firstEnds ? 1u : 0u);
            if (length >= firstEnds) {
                ASSERT_TRUE(database.RecordList[0]->SameFiledContent(first.Record()));
            }
            // Checking, as the tool's check does, finds the same fault and keeps nothing.
            Database checked;
            const DatabaseReadResult check = Read(cut, checked, chunk, ReadMode::Check);
            ASSERT_EQ(check.Outcome, ReadOutcome::Damaged);
            ASSERT_EQ(check.Offset, result.Offset);
            ASSERT_EQ(check.RecordsRead, result.RecordsRead);
            ASSERT_TRUE(checked.RecordList.empty());
        }
    }
    Database checked;
    const DatabaseReadResult whole = Read(bytes, checked, 0, ReadMode::Check);
    EXPECT_TRUE(whole.Ok());
    EXPECT_EQ(whole.RecordsRead, 2u);
    EXPECT_TRUE(checked.RecordList.empty());
}

TEST(DatabaseFileTest, DamagedFilesAreReportedWithoutHugeAllocations)
{
    const HeaderLayout header;
    const std::string record = RecordLayout().Bytes();
    const std::string beforeTrees = header.BeforeTrees();
    const std::string nineTrees = test::Repeat(TreeComponent(), 9);
    RecordLayout withExperience;
    withExperience.Experience = "ab";
    std::string hugeExperience = withExperience.Bytes();
    hugeExperience.replace(hugeExperience.find(I(2) + Hex("06 01") + "a"), 2,
                           Hex("04 FF FF FF 7F"));
    std::string numberedExperience = withExperience.Bytes();
    numberedExperience.replace(numberedExperience.find(I(2) + Hex("06 01") + "a") + I(2).size(), 1,
                               Hex("02"));  // a number where the first character is
    std::string longNote = record;
    longNote.replace(longNote.size() - 2, 2, Hex("0C FF FF FF FF") + "abc");

    const struct {
        const char* what;
        std::string bytes;
        std::size_t recordsKept;
    } cases[] = {
        {"empty file", "", 0},
        {"not a value stream", "PK\x03\x04 something else", 0},
        {"record count far beyond the bytes", header.Bytes(0x7FFFFFFF) + record + record, 2},
        {"experience table far beyond the bytes", header.Bytes(2) + record + hugeExperience, 1},
        {"experience character filed as a number", header.Bytes(1) + numberedExperience, 0},
        {"text length beyond the end", header.Bytes(1) + longNote, 0},
        {"boolean where a text is", header.Bytes(1) + S("x") + record.substr(1), 0},
        {"tree text nested too deep",
         beforeTrees + TreeTextComponent("Top\r\n\t\tToo deep\r\n") + nineTrees + I(0), 0},
        {"tree nested without end",
         beforeTrees + TreeComponent(Name("X") + std::string(50'000, '\x01')), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Database database;
        test::AllocationWatch watch;
        const DatabaseReadResult result = Read(c.bytes, database);
        EXPECT_EQ(result.Outcome, ReadOutcome::Damaged);
        EXPECT_FALSE(result.Reason.empty());
        EXPECT_LE(result.Offset, c.bytes.size());
        EXPECT_EQ(database.RecordList.size(), c.recordsKept);
        EXPECT_LT(watch.Largest(), 1u << 20);
    }
}

TEST(DatabaseFileTest, WhatAFileCannotHoldIsSaidBeforeAnythingIsLost)
{
    test::TemporaryFolder folder;
    const std::string records = RecordLayout().Bytes() + RecordLayout().Bytes();
    test::WriteFileBytes(folder.File("exact.dat"), HeaderLayout().Bytes(2) + records);
    test::WriteFileBytes(folder.File("one-short.dat"), HeaderLayout().Bytes(1) + records);
    test::WriteFileBytes(folder.File("empty.dat"), "");
    ASSERT_EQ(::mkfifo(folder.File("fifo.dat").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.File("folder.dat"));
    const struct {
        const char* name;
        ReadOutcome outcome;
        std::size_t records;
        bool dataAfterRecords;
    } cases[] = {
        {"exact.dat", ReadOutcome::Loaded, 2, false},
        {"one-short.dat", ReadOutcome::Loaded, 1, true},
        {"empty.dat", ReadOutcome::Empty, 0, false},
        {"fifo.dat", ReadOutcome::NotRegularFile, 0, false},  // must not wait for a writer
        {"folder.dat", ReadOutcome::NotRegularFile, 0, false},
        {"missing.dat", ReadOutcome::CannotOpen, 0, false},
    };
    for (const auto& c : cases) {
        for (const ReadMode mode : {ReadMode::Replace, ReadMode::Merge}) {
            Database database;
            const DatabaseReadResult result = ReadDatabaseFile(folder.File(c.name), database, mode);
            EXPECT_EQ(result.Outcome, c.outcome) << c.name;
            EXPECT_EQ(database.RecordList.size(), c.records) << c.name;
            EXPECT_EQ(result.DataAfterRecords, c.dataAfterRecords) << c.name;
        }
    }
    Database database;
    EXPECT_EQ(ReadDatabaseFile(folder.File("missing.dat"), database, ReadMode::Replace).Reason,
              "No such file or directory");

    // A file name in a message shows its control characters escaped.
    EXPECT_EQ(FileNameInMessage("/home/ren\xE9/staff.dat"), "/home/ren\xE9/staff.dat");
    EXPECT_EQ(FileNameInMessage("a\nb\rc\td"), "a\\nb\\rc\\td");
    EXPECT_EQ(FileNameInMessage("\x1B[2Jx\x7F"), "\\x1B[2Jx\\x7F");
    EXPECT_EQ(FileNameInMessage(std::string("nul\0.dat", 8)), "nul\\x00.dat");
}

TEST(DatabaseFileTest, MergingRefusesFilesWithOtherCaptionsOrPasswordsBeforeReadingAnything)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("other.dat");
    Database other;
    other.ReadPassword = EncipherPassword("read");
    other.SavePassword = EncipherPassword("save");
    other.OtherCaptions[0] = "Hired";  // other captions may differ
    other.RecordList.push_back(NamedRecord("A1"));
    SaveDatabaseFile(path, other);
    test::WriteFileBytes(folder.File("short.dat"), test::ReadFileBytes(path).substr(0, 40));

    const struct {
        const char* what;
        std::string path;
        void (*change)(Database&);
    } refused[] = {
        {"description caption differing in case", path,
         [](Database& d) { d.DescriptionCaptions[3] = "Work location"; }},
        {"read password", path, [](Database& d) { d.ReadPassword = EncipherPassword("Read"); }},
        {"save password", path, [](Database& d) { d.SavePassword.clear(); }},
        {"header cut short", folder.File("short.dat"), [](Database&) {}},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        Database database;
        database.ReadPassword = EncipherPassword("read");
        database.SavePassword = EncipherPassword("save");
        database.OtherCaptions[0] = "Started";
        database.RecordList.push_back(NamedRecord("B1"));
        c.change(database);
        EXPECT_FALSE(CheckMergeCompatibility(c.path, database));
        EXPECT_EQ(ReadDatabaseFile(c.path, database, ReadMode::Merge).Outcome,
                  ReadOutcome::Incompatible);
        EXPECT_EQ(RecordNames(database), (std::vector<std::string>{"B1"}));
        EXPECT_EQ(database.OtherCaptions[0], "Started") << "nothing is read";
    }
    EXPECT_FALSE(CheckMergeCompatibility(folder.File("missing.dat"), Database()));
}

// Encrypted, a database with every kind of value holds exactly the plain file's bytes; a change
// in a later chunk takes nothing into a merge; and the backup copy of a plain file that an
// encrypted save replaces is encrypted too.
TEST(DatabaseFileTest, AnEncryptedFileIsThePlainFileSealedAndTrustedOnlyWhole)
{
    test::TemporaryFolder folder;
    Database database;
    database.ReadPassword = EncipherPassword("tulip");
    database.SavePassword = std::string(300, '\xA0');
    database.DescriptionTrees[10] = "Top\n Child";
    const RecordLayout busy = BusyRecordLayout();
    for (int i = 0; i < 60; ++i) {  // some 100 KB: two chunks
        database.RecordList.push_back(std::make_shared<ItemRecord>(busy.Record()));
    }
    const std::string plain = folder.File("plain.dat");
    const std::string locked = folder.File("locked.dat");
    SaveDatabaseFile(plain, database);
    database.Encrypted = true;
    const DatabaseWriteOptions fast{.KeyLimits = FastestKeyDerivation()};
    SaveDatabaseFile(locked, database, fast);
    const std::string bytes = test::ReadFileBytes(locked);
    ASSERT_GT(bytes.size(), EncryptedHeaderSize + EncryptedChunkSize);
    EXPECT_EQ(bytes.find("M\xFCller"), std::string::npos);
    EXPECT_EQ(bytes.find("portrait"), std::string::npos);

    const auto plainOf = [](const std::string& path) {
        FileSource file(path);
        DecryptingSource source(file, FileKey::Open(file, "tulip"));
        std::string read;
        char buffer[10000];
        while (const std::size_t got = source.ReadSome(buffer, sizeof buffer)) {
            read.append(buffer, got);
        }
        return read;
    };
    EXPECT_EQ(ToHex(plainOf(locked)), ToHex(test::ReadFileBytes(plain)));
    Database opened;
    ASSERT_TRUE(
        ReadDatabaseFile(locked, opened, ReadMode::Replace, {}, FileKey::Open(locked, "tulip"))
            .Ok());
    EXPECT_TRUE(opened.Encrypted);
    EXPECT_TRUE(opened.RecordList.back()->SameFiledContent(busy.Record()));

    std::string changed = bytes;
    changed[bytes.size() - 100] ^= 1;
    test::WriteFileBytes(locked, changed);
    Database merging = database;
    merging.DatabaseInfo.DatabaseName = "Before";
    const DatabaseReadResult merged = ReadDatabaseFile(locked, merging, ReadMode::Merge);
    EXPECT_EQ(merged.Outcome, ReadOutcome::Damaged);
    EXPECT_TRUE(merged.Encrypted);
    EXPECT_EQ(merging.RecordList.size(), 60u) << "no record of the changed file";
    EXPECT_EQ(merging.DatabaseInfo.DatabaseName, "Before");
    // A plain file merged into an encrypted database leaves it encrypted.
    merging.Encrypted = true;
    ASSERT_TRUE(ReadDatabaseFile(plain, merging, ReadMode::Merge).Ok());
    EXPECT_TRUE(merging.Encrypted);

    EXPECT_FALSE(SaveDatabaseBackupCopy(plain, folder.File("plain.bak"), database, fast));
    EXPECT_TRUE(StartsAsEncrypted(test::ReadFileBytes(folder.File("plain.bak"))));
    EXPECT_EQ(plainOf(folder.File("plain.bak")), test::ReadFileBytes(plain));
    EXPECT_FALSE(SaveDatabaseBackupCopy(locked, folder.File("locked.bak"), database, fast));
    EXPECT_EQ(test::ReadFileBytes(folder.File("locked.bak")), changed) << "copied as it is";
}

TEST(DatabaseFileTest, PasswordsAreReadAheadOfOpening)
{
    test::TemporaryFolder folder;
    HeaderLayout header;
    header.Identification = "Other";  // not looked at here
    header.ReadPassword = EncipherPassword("r");
    header.SavePassword = EncipherPassword("s");
    const std::string bytes = header.Bytes(0);
    const std::size_t passwordsEnd = (S("1.12") + S("Other") + S("r") + S("s")).size();
    test::WriteFileBytes(folder.File("enough.dat"), bytes.substr(0, passwordsEnd));
    const auto passwords = ReadPasswords(folder.File("enough.dat"));
    ASSERT_TRUE(passwords.has_value());
    EXPECT_EQ(passwords->ReadPassword, header.ReadPassword);
    EXPECT_EQ(passwords->SavePassword, header.SavePassword);

    test::WriteFileBytes(folder.File("cut.dat"), bytes.substr(0, passwordsEnd - 1));
    EXPECT_FALSE(ReadPasswords(folder.File("cut.dat")).has_value());
    EXPECT_FALSE(ReadPasswords(folder.File("missing.dat")).has_value());
    EXPECT_FALSE(ReadPasswords(folder.Path()).has_value()) << "a folder is not a database";
}

TEST(PasswordCipherTest, EnciphersByTheRunningKeyAndDeciphersBack)
{
    // Worked out by hand from the start key 5281.
    EXPECT_EQ(ToHex(EncipherPassword("Secret")), "47 17 67 92 C0 14");
    EXPECT_EQ(ToHex(EncipherPassword(std::string(3, '\0'))), "14 56 70");
    EXPECT_EQ(ToHex(EncipherPassword("\xE9t\xE9")), "FD 2C E5");
    EXPECT_EQ(DecipherPassword(Hex("47 17 67 92 C0 14")), "Secret");
    EXPECT_EQ(EncipherPassword(""), "");

    std::string everyByte;
    for (int b = 255; b >= 0; --b) {
        everyByte.push_back(static_cast<char>(b));
    }
    for (std::uint16_t key : {5281, 0, 65535}) {
        EXPECT_EQ(DecipherPassword(EncipherPassword(everyByte, key), key), everyByte);
    }
}

}  // namespace
}  // namespace quillmark
