#include "support/test_helpers.h"

#include "core/database_file.h"
#include "core/file_io.h"
#include "core/value_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <utility>
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

// Passes the first bytes on to the file and fails as a full disk does after them.
class DiskFullAfter : public ByteSink {
public:
    DiskFullAfter(ByteSink& file, std::uint64_t room) : file_(file), room_(room) {}

    void Write(std::string_view bytes) override
    {
        const std::size_t fits =
            static_cast<std::size_t>(std::min<std::uint64_t>(room_, bytes.size()));
        file_.Write(bytes.substr(0, fits));
        room_ -= fits;
        if (fits < bytes.size()) {
            throw WriteError("No space left on device");
        }
    }

private:
    ByteSink& file_;
    std::uint64_t room_;
};

void SaveOnDiskWithRoomFor(std::uint64_t room, const std::string& path, Database& database)
{
    SaveFileSafely(path, [&](ByteSink& file) {
        DiskFullAfter disk(file, room);
        ValueWriter writer(disk);
        WriteDatabase(writer, database, path);
    });
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
        ASSERT_EQ(SaveOutcome([&] { SaveOnDiskWithRoomFor(limit, path, next); }),
                  "No space left on device");
        ASSERT_EQ(test::ReadFileBytes(path), previousBytes);
        ASSERT_EQ(folder.Entries(), Names{"people.dat"}) << "no temporary file is left behind";
    }
    SaveOnDiskWithRoomFor(nextBytes.size(), path, next);
    EXPECT_EQ(test::ReadFileBytes(path), nextBytes);
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});

    // The system's own refusal, here a limit on the size of files, ends the save the same way.
    const auto signalAction = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    rlimit small = limit;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string outcome = SaveOutcome(
        [&] { SaveFileSafely(path, [](ByteSink& file) { file.Write(std::string(5000, 'x')); }); });
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, signalAction);
    EXPECT_EQ(outcome, "File too large");
    EXPECT_EQ(test::ReadFileBytes(path), nextBytes);
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

// A chain of links as long as the system follows is saved through; one link more is refused.
TEST(SafeSaveTest, SavingFollowsAsManyLinksAsTheSystemDoes)
{
    test::TemporaryFolder folder;
    for (int link = 1; link <= 41; ++link) {
        fs::create_symlink("link" + std::to_string(link - 1) + ".dat",
                           folder.File("link" + std::to_string(link) + ".dat"));
    }
    SaveFileSafely(folder.File("link40.dat"), WriteNew);
    EXPECT_EQ(test::ReadFileBytes(folder.File("link0.dat")), "new");
    EXPECT_EQ(SaveOutcome([&] { SaveFileSafely(folder.File("link41.dat"), WriteNew); }),
              std::strerror(ELOOP));
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

// An ordinary user in a folder open to everyone: the folder's permission alone would let a
// save take over files the user may not write.
TEST(SafeSaveTest, AFileTheSaverMayNotWriteIsNeitherReplacedNorTakenOver)
{
    test::TemporaryFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    // Someone else's files, when there is someone else to own them.
    const bool others = test::RunningAsSuperuser();
    if (others) {
        for (const auto& [name, mode] : {std::pair("theirs", 0644), {"secret", 0600}}) {
            test::WriteFileBytes(folder.File(name + std::string(".dat")), name);
            ::chmod(folder.File(name + std::string(".dat")).c_str(), static_cast<mode_t>(mode));
        }
        fs::create_directory(folder.File("closed"));
        ::chmod(folder.File("closed").c_str(), 0755);
    }
    const std::string outcome = test::AsOrdinaryUser([&] {
        std::string seen;
        auto save = [&](const std::string& name) {
            std::string kind = "saved";
            try {
                SaveFileSafely(folder.File(name), WriteNew);
            } catch (const NoPermissionError& error) {
                kind = std::string("no permission: ") + error.what();
            } catch (const WriteError& error) {
                kind = error.what();
            }
            const std::string bytes = fs::exists(folder.File(name))
                                          ? "\"" + test::ReadFileBytes(folder.File(name)) + "\""
                                          : "unreadable";
            char mode[8];
            std::snprintf(mode, sizeof mode, "%04o", PermissionsOf(folder.File(name)));
            seen += name + ": " + kind + ", " + bytes + ", " + mode + "\n";
        };
        test::WriteFileBytes(folder.File("mine.dat"), "mine");
        ::chmod(folder.File("mine.dat").c_str(), 0444);
        save("mine.dat");
        ::chmod(folder.File("mine.dat").c_str(), 0644);
        save("mine.dat");
        if (others) {
            save("theirs.dat");
            for (const std::string name : {"secret.dat", "closed/new.dat"}) {
                seen += name + ": " +
                        SaveOutcome([&] { SaveFileSafely(folder.File(name), WriteNew); }) + "\n";
            }
        }
        return seen;
    });
    std::string expected =
        "mine.dat: no permission: Permission denied, \"mine\", 0444\n"
        "mine.dat: saved, \"new\", 0644\n";
    if (others) {
        expected +=
            "theirs.dat: no permission: Permission denied, \"theirs\", 0644\n"
            "secret.dat: Permission denied\n"
            "closed/new.dat: Permission denied\n";
    }
    EXPECT_EQ(outcome, expected);
    if (others) {
        EXPECT_EQ(test::ReadFileBytes(folder.File("secret.dat")), "secret");
        struct stat status {};
        ASSERT_EQ(::stat(folder.File("theirs.dat").c_str(), &status), 0);
        EXPECT_EQ(status.st_uid, 0u) << "still the superuser's";
        EXPECT_TRUE(fs::is_empty(folder.File("closed")));
    }
    EXPECT_EQ(folder.Entries(), others ? (Names{"closed", "mine.dat", "secret.dat", "theirs.dat"})
                                       : Names{"mine.dat"})
        << "no temporary file is left behind";
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

TEST(SafeSaveTest, TheNewFileKeepsEveryExtendedAttributeAlsoAnEmptyOne)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("tagged.dat");
    test::WriteFileBytes(path, "old");
    const std::vector<std::pair<std::string, std::string>> attributes = {
        {"user.first", "1"}, {"user.empty", ""}, {"user.last", "last"}};
    for (const auto& [name, value] : attributes) {
        if (::setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) != 0) {
            GTEST_SKIP() << "this file system keeps no user attributes";
        }
    }
    SaveFileSafely(path, WriteNew);
    for (const auto& [name, value] : attributes) {
        char read[16];
        const ssize_t size = ::getxattr(path.c_str(), name.c_str(), read, sizeof read);
        ASSERT_GE(size, 0) << name;
        EXPECT_EQ(std::string(read, static_cast<std::size_t>(size)), value);
    }
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

// Started without a standard input (by cron or a service manager), the program's files take
// descriptor 0, which serves as well as any other; each is closed again after.
TEST(SafeSaveTest, DescriptorZeroServesAsAnyOther)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("people.dat");
    test::WriteFileBytes(path, "old");
    const auto zeroIsFree = [] { return ::fcntl(0, F_GETFD) == -1; };
    const int input = ::dup(0);
    ::close(0);
    std::string read = "unread";
    try {
        FileSource source(path);
        read.resize(3);
        read.resize(source.ReadSome(read.data(), read.size()));
    } catch (const ReadError& error) {
        read = error.what();
    }
    const bool freeAfterReading = zeroIsFree();
    const std::string saved = SaveOutcome([&] { SaveFileSafely(path, WriteNew); });
    const bool freeAfterSaving = zeroIsFree();
    ::dup2(input, 0);
    ::close(input);
    EXPECT_EQ(read, "old");
    EXPECT_TRUE(freeAfterReading);
    EXPECT_EQ(saved, "saved");
    EXPECT_TRUE(freeAfterSaving);
    EXPECT_EQ(test::ReadFileBytes(path), "new");
}

// A read the system fails is reported with its reason, not tried again: the process's own
// memory, read where nothing is mapped, fails as a failing disk does.
TEST(FileSourceTest, AReadTheSystemFailsIsReported)
{
    FileSource memory("/proc/self/mem");
    char byte = 0;
    EXPECT_THROW(memory.ReadSome(&byte, 1), ReadError);
}

// Each save clears the leftovers of the others while they are making their temporary files:
// none of them may lose its file before it is renamed.
TEST(SafeSaveTest, ConcurrentSavesOfOneFileAllSucceed)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("people.dat");
    constexpr int Savers = 4;
    constexpr int SavesEach = 150;
    std::mutex lock;
    std::vector<std::string> failures;
    std::vector<std::thread> savers;
    for (int saver = 0; saver < Savers; ++saver) {
        savers.emplace_back([&] {
            for (int save = 0; save < SavesEach; ++save) {
                const std::string outcome =
                    test::SaveOutcome([&] { SaveFileSafely(path, WriteNew); });
                if (outcome != "saved") {
                    const std::lock_guard guard(lock);
                    failures.push_back(outcome);
                }
            }
        });
    }
    for (std::thread& saver : savers) {
        saver.join();
    }
    EXPECT_THAT(failures, ::testing::IsEmpty());
    EXPECT_EQ(test::ReadFileBytes(path), "new");
    EXPECT_EQ(folder.Entries(), Names{"people.dat"});
}

}  // namespace
}  // namespace quillmark
