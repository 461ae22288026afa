#include "support/test_helpers.h"

#include "core/database_file.h"
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;
using test::SaveOutcome;

mode_t PermissionsOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

void WriteNew(ByteSink& sink)
{
    sink.Write("new");
}

TEST(SafeSaveTest, AFullDiskAtAnyByteLeavesThePreviousDatabaseAsItWas)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("people.dat");
    Database previous;
    previous.RecordList.push_back(std::make_shared<ItemRecord>());
    previous.RecordList.back()->RecordName = "Previous";
    SaveDatabaseFile(path, previous);
    const std::string previousBytes = test::ReadFileBytes(path);

    Database next;
    next.DatabaseInfo.DatabaseName = "Next";
    SaveDatabaseFile(folder.File("next.dat"), next);
    const std::string nextBytes = test::ReadFileBytes(folder.File("next.dat"));
    fs::remove(folder.File("next.dat"));
    ASSERT_NE(nextBytes, previousBytes);

    for (std::uint64_t limit = 0; limit < nextBytes.size(); ++limit) {
        SCOPED_TRACE("disk full after " + std::to_string(limit) + " bytes");
        ASSERT_EQ(SaveOutcome([&] { SaveDatabaseFile(path, next, {}, {.failAfterBytes = limit}); }),
                  "No space left on device");
        ASSERT_EQ(test::ReadFileBytes(path), previousBytes);
        ASSERT_EQ(folder.Entries(), Names{"people.dat"}) << "no temporary file is left behind";
    }
    SaveDatabaseFile(path, next, {}, {.failAfterBytes = nextBytes.size()});
    EXPECT_EQ(test::ReadFileBytes(path), nextBytes);
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

TEST(SafeSaveTest, SavingKeepsPermissionsAndLinksAndNeverReplacesSpecialFiles)
{
    test::TemporaryFolder folder;
    const std::string shared = folder.File("shared.dat");
    test::WriteFileBytes(shared, "old");
    ::chmod(shared.c_str(), 0604);
    SaveFileSafely(shared, WriteNew);
    EXPECT_EQ(PermissionsOf(shared), 0604u);

    // A new file gets what the user's file mask allows.
    const mode_t mask = ::umask(022);
    SaveFileSafely(folder.File("fresh.dat"), WriteNew);
    ::umask(mask);
    EXPECT_EQ(PermissionsOf(folder.File("fresh.dat")), 0644u);

    // The temporary file must not need a longer name than the longest one a folder takes.
    const std::string longName = folder.File(std::string(251, 'n') + ".dat");
    SaveFileSafely(longName, WriteNew);
    EXPECT_EQ(test::ReadFileBytes(longName), "new");
    fs::remove(longName);

    // Saving through a link replaces the file it points to, or makes it, and keeps the link.
    fs::create_symlink("shared.dat", folder.File("link.dat"));
    SaveFileSafely(folder.File("link.dat"), [](ByteSink& sink) { sink.Write("through link"); });
    EXPECT_TRUE(fs::is_symlink(folder.File("link.dat")));
    EXPECT_EQ(test::ReadFileBytes(shared), "through link");
    fs::create_directory(folder.File("data"));
    fs::create_symlink("data/later.dat", folder.File("dangling.dat"));
    SaveFileSafely(folder.File("dangling.dat"), WriteNew);
    EXPECT_TRUE(fs::is_symlink(folder.File("dangling.dat")));
    EXPECT_EQ(test::ReadFileBytes(folder.File("data/later.dat")), "new");

    // A folder, a FIFO and a device (one the superuser can make) stay what they are.
    fs::create_directory(folder.File("folder.dat"));
    ASSERT_EQ(::mkfifo(folder.File("fifo.dat").c_str(), 0600), 0);
    fs::create_symlink("fifo.dat", folder.File("to-fifo.dat"));
    std::vector<std::pair<std::string, std::string>> targets = {
        {"folder.dat", "Is a directory"},
        {"fifo.dat", "Not a regular file"},
        {"to-fifo.dat", "Not a regular file"}};
    Names entries = {"dangling.dat", "data",     "fifo.dat",   "folder.dat",
                     "fresh.dat",    "link.dat", "shared.dat", "to-fifo.dat"};
    if (::mknod(folder.File("null.dat").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        targets.emplace_back("null.dat", "Not a regular file");
        entries.insert(entries.begin() + 6, "null.dat");
    }
    for (const auto& [name, reason] : targets) {
        EXPECT_EQ(SaveOutcome([&] { SaveFileSafely(folder.File(name), WriteNew); }), reason)
            << name;
    }
    EXPECT_TRUE(fs::is_directory(folder.File("folder.dat")));
    EXPECT_TRUE(fs::is_fifo(folder.File("fifo.dat")));
    EXPECT_EQ(folder.Entries(), entries) << "no temporary file is left behind";
}

TEST(SafeSaveTest, AFolderThatCannotTakeTheFileLeavesTheOldOneAndGivesTheSystemsReason)
{
    test::TemporaryFolder folder;
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    const std::string path = folder.File("people.dat");
    test::WriteFileBytes(path, "old");
    ::chmod(folder.Path().c_str(), 0555);
    const std::string message = SaveOutcome([&] { SaveFileSafely(path, WriteNew); });
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(message, "Permission denied");
    EXPECT_EQ(test::ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

TEST(SafeSaveTest, TheNewFileKeepsOwnerAndModeButNoSetIdBits)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can save a file owned by another user";
    }
    test::TemporaryFolder folder;
    const std::string path = folder.File("theirs.dat");
    test::WriteFileBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(path.c_str(), 06640), 0);
    SaveFileSafely(path, WriteNew);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 4321u);
    EXPECT_EQ(status.st_gid, 8765u);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(SafeSaveTest, TheNextSaveRemovesATemporaryFileLeftByAKilledOne)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("people.dat");
    test::WriteFileBytes(folder.File(".people.dat.saving-Ab12Cd"), "half a database");
    // Not this file's, or not a temporary name: kept.
    test::WriteFileBytes(folder.File(".other.dat.saving-Ab12Cd"), "other");
    test::WriteFileBytes(folder.File(".people.dat.saving-Ab12Cd.bak"), "kept");
    SaveFileSafely(path, WriteNew);
    EXPECT_EQ(folder.Entries(),
              (Names{".other.dat.saving-Ab12Cd", ".people.dat.saving-Ab12Cd.bak", "people.dat"}));
}

}  // namespace
}  // namespace quillmark
