// Files a user may meet by accident or be handed on purpose: with more than their count says,
// or no regular files at all. (Files crafted to take memory are run through the tool.)

#include "support/database_layout.h"
#include "support/test_helpers.h"

#include "core/database_file.h"
#include "core/file_messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace quillmark::test {
namespace {

TEST(ReliabilityTest, WhatAFileCannotHoldIsSaidBeforeAnythingIsLost)
{
    TemporaryFolder folder;
    const std::string records = RecordLayout().Bytes() + RecordLayout().Bytes();
    WriteFileBytes(folder.File("exact.dat"), HeaderLayout().Bytes(2) + records);
    WriteFileBytes(folder.File("one-short.dat"), HeaderLayout().Bytes(1) + records);
    WriteFileBytes(folder.File("empty.dat"), "");
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
    };
    for (const auto& test : cases) {
        for (const ReadMode mode : {ReadMode::Replace, ReadMode::Merge}) {
            Database database;
            const DatabaseReadResult result =
                ReadDatabaseFile(folder.File(test.name), database, mode);
            EXPECT_EQ(result.Outcome, test.outcome) << test.name;
            EXPECT_EQ(database.RecordList.size(), test.records) << test.name;
            EXPECT_EQ(result.DataAfterRecords, test.dataAfterRecords) << test.name;
        }
    }
    EXPECT_EQ(DataAfterRecordsMessage("a\nb.dat"),
              "a\\nb.dat holds data after its last record that Quillmark cannot read. Saving the "
              "database will not keep it.");
}

TEST(ReliabilityTest, FileNamesInMessagesShowControlCharactersEscaped)
{
    EXPECT_EQ(FileNameInMessage("/home/ren\xE9/staff.dat"), "/home/ren\xE9/staff.dat");
    EXPECT_EQ(FileNameInMessage("a\nb\rc\td"), "a\\nb\\rc\\td");
    EXPECT_EQ(FileNameInMessage("\x1B[2Jx\x7F"), "\\x1B[2Jx\\x7F");
    EXPECT_EQ(FileNameInMessage(std::string("nul\0.dat", 8)), "nul\\x00.dat");
    EXPECT_EQ(NotRegularFileMessage("\x1B"), "\\x1B is not a regular file.");
    EXPECT_EQ(EmptyFileMessage("e.dat"), "e.dat is empty.");
}

}  // namespace
}  // namespace quillmark::test
