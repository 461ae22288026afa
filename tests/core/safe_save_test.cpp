#include "support/test_helpers.h"

#include "core/database_file.h"
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

mode_t PermissionsOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

std::string SavedMessage(const std::function<void()>& save)
{
    try {
        save();
    } catch (const WriteError& error) {
        return error.what();
    }
    return "saved";
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
        ASSERT_EQ(
            SavedMessage([&] { SaveDatabaseFile(path, next, {}, {.failAfterBytes = limit}); }),
            "No space left on device");
        ASSERT_EQ(test::ReadFileBytes(path), previousBytes);
        ASSERT_EQ(folder.Entries(), Names{"people.dat"}) << "no temporary file is left behind";
    }
    SaveDatabaseFile(path, next, {}, {.failAfterBytes = nextBytes.size()});
    EXPECT_EQ(test::ReadFileBytes(path), nextBytes);
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

TEST(SafeSaveTest, ASavedFileKeepsItsPermissionsAndItsLinks)
{
    test::TemporaryFolder folder;
    const auto write = [](ByteSink& sink) { sink.Write("new"); };

    const std::string shared = folder.File("shared.dat");
    test::WriteFileBytes(shared, "old");
    ::chmod(shared.c_str(), 0604);
    SaveFileSafely(shared, write);
    EXPECT_EQ(PermissionsOf(shared), 0604u);

    // A new file gets what the user's file mask allows.
    const mode_t mask = ::umask(022);
    SaveFileSafely(folder.File("fresh.dat"), write);
    ::umask(mask);
    EXPECT_EQ(PermissionsOf(folder.File("fresh.dat")), 0644u);

    // The temporary file must not need a longer name than the longest one a folder takes.
    const std::string longName = std::string(251, 'n') + ".dat";
    SaveFileSafely(folder.File(longName), write);
    EXPECT_EQ(test::ReadFileBytes(folder.File(longName)), "new");
    fs::remove(folder.File(longName));

    // Saving through a link replaces the file it points to and keeps the link.
    fs::create_symlink("shared.dat", folder.File("link.dat"));
    SaveFileSafely(folder.File("link.dat"), [](ByteSink& sink) { sink.Write("through link"); });
    EXPECT_TRUE(fs::is_symlink(folder.File("link.dat")));
    EXPECT_EQ(test::ReadFileBytes(shared), "through link");
    EXPECT_EQ(folder.Entries(), (Names{"fresh.dat", "link.dat", "shared.dat"}));
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
    const std::string message =
        SavedMessage([&] { SaveFileSafely(path, [](ByteSink& sink) { sink.Write("new"); }); });
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(message, "Permission denied");
    EXPECT_EQ(test::ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

}  // namespace
}  // namespace quillmark
