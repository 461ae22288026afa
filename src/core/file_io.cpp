#include "core/file_io.h"

#include "core/file_names.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace quillmark {

namespace {

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// Why a file of this kind is not read or replaced, in the system's words where it has them.
std::string NotRegularReason(mode_t mode)
{
    return S_ISDIR(mode) ? SystemReason(EISDIR) : "Not a regular file";
}

// A refusal the user can do something about is told apart from other failures.
[[noreturn]] void ThrowWriteFailure(int error)
{
    if (error == EACCES || error == EPERM) {
        throw NoPermissionError(SystemReason(error));
    }
    throw WriteError(SystemReason(error));
}

// Writes to an open descriptor, all of each piece, retrying after signals. What is written
// starts on its way to the disk every few megabytes, so that the flush at the end waits for
// little more than the last of it rather than for the whole file.
class DescriptorSink : public ByteSink {
public:
    explicit DescriptorSink(int descriptor) : descriptor_(descriptor) {}

    void Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t done = ::write(descriptor_, bytes.data(), bytes.size());
            if (done < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw WriteError(SystemReason(errno));
            }
            bytes.remove_prefix(static_cast<std::size_t>(done));
            Written(static_cast<std::uint64_t>(done));
        }
    }

    // Copies the rest of the file open at `source` to the end of what was written, inside the
    // system: no bytes pass through the program, and a file system that can share them between
    // the two files does. False, with nothing written, where the system cannot copy so.
    bool CopyRest(int source)
    {
        bool copied = false;
        for (;;) {
            const ssize_t done =
                ::copy_file_range(source, nullptr, descriptor_, nullptr, StartWritingEvery, 0);
            if (done > 0) {
                copied = true;
                Written(static_cast<std::uint64_t>(done));
                continue;
            }
            if (done == 0) {
                return true;
            }
            if (errno == EINTR) {
                continue;
            }
            // Not between these two files (other file systems, no support): the bytes go the
            // ordinary way, from where the copy stopped.
            if (!copied && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP ||
                            errno == EINVAL || errno == EBADF)) {
                return false;
            }
            throw WriteError(SystemReason(errno));
        }
    }

private:
    static constexpr std::size_t StartWritingEvery = std::size_t{8} << 20;

    // Asks the system to start writing what it holds of the file to the disk, without waiting;
    // the flush at the end still makes sure, and reports what went wrong.
    void Written(std::uint64_t bytes)
    {
        written_ += bytes;
        if (written_ - started_ >= StartWritingEvery) {
            ::sync_file_range(descriptor_, static_cast<off_t>(started_),
                              static_cast<off_t>(written_ - started_), SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
    }

    int descriptor_;
    std::uint64_t written_ = 0;
    std::uint64_t started_ = 0;  // what was sent on its way to the disk
};

std::string FolderPart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Links are followed, one step at a time, to the file they name: saving replaces that file and
// leaves the links as they are. The last link may point at nothing yet.
std::string ResolveTarget(const std::string& path)
{
    // As many links as the system itself follows before it gives up.
    constexpr int MostLinksFollowed = 40;
    std::string current = path;
    for (int followed = 0;; ++followed) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return current;
        }
        if (followed == MostLinksFollowed) {
            throw WriteError(SystemReason(ELOOP));
        }
        std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : PATH_MAX),
                         '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0) {
            throw WriteError(SystemReason(errno));
        }
        link.resize(static_cast<std::size_t>(length));
        current = link.starts_with('/') ? link : FolderPart(current) + "/" + link;
    }
}

// The start of the temporary files' names for a target: ".NAME.saving-". Only the start of the
// name is used, so that a target whose name is near the system's limit can still be saved.
std::string TemporaryPrefix(const std::string& target)
{
    return "." + FileNamePart(target).substr(0, 100) + ".saving-";
}

FileIdentity IdentityOf(const struct stat& status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec),
            static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

// What the new file takes over from the one it replaces (or from `target`, the file it copies).
// Set-id and sticky bits are not kept: a database is no program, and a copy that quietly runs
// as someone else is no copy.
void TakeOverAttributes(int descriptor, const std::string& target, const struct stat* old)
{
    if (old == nullptr) {
        // A new file gets what the user's umask allows, as an ordinary create would.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(descriptor, 0666 & ~mask) != 0) {
            throw WriteError(SystemReason(errno));
        }
        return;
    }
    // Owner and group where the process may set them; otherwise at least the group, which
    // an ordinary user may choose among their own. What fails keeps the saver's.
    if (::fchown(descriptor, old->st_uid, old->st_gid) != 0) {
        [[maybe_unused]] const int ignored =
            ::fchown(descriptor, static_cast<uid_t>(-1), old->st_gid);
    }
    if (::fchmod(descriptor, old->st_mode & 0777) != 0) {
        throw WriteError(SystemReason(errno));
    }
    // Extended attributes (access lists among them) where both files' file systems keep them.
    const ssize_t namesSize = ::listxattr(target.c_str(), nullptr, 0);
    if (namesSize <= 0) {
        return;
    }
    std::string names(static_cast<std::size_t>(namesSize), '\0');
    const ssize_t gotNames = ::listxattr(target.c_str(), names.data(), names.size());
    if (gotNames <= 0) {
        return;
    }
    names.resize(static_cast<std::size_t>(gotNames));
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        const ssize_t valueSize = ::getxattr(target.c_str(), name.c_str(), nullptr, 0);
        if (valueSize < 0) {
            continue;
        }
        std::string value(static_cast<std::size_t>(valueSize), '\0');
        const ssize_t gotValue =
            ::getxattr(target.c_str(), name.c_str(), value.data(), value.size());
        if (gotValue >= 0) {
            ::fsetxattr(descriptor, name.c_str(), value.data(), static_cast<std::size_t>(gotValue),
                        0);
        }
    }
}

// The file to be replaced must be one the saver could write in place. The folder's permission
// alone would let a save take over a file of someone else's, or one its owner made read-only;
// opening it for writing changes nothing in it.
void CheckWritable(const std::string& target, bool followLinks)
{
    const int descriptor = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                                      (followLinks ? 0 : O_NOFOLLOW));
    if (descriptor < 0) {
        ThrowWriteFailure(errno);
    }
    ::close(descriptor);
}

// Makes a temporary file from the pattern and locks it. Until it is locked another save may
// take it for a leftover and remove it, so one that has lost its name by then is made again.
int CreateLockedTemporary(const std::string& pattern, std::string& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = pattern;
        const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (descriptor < 0) {
            ThrowWriteFailure(errno);
        }
        // Where the file system keeps no such locks, no clean-up can take them either.
        ::flock(descriptor, LOCK_EX);
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && status.st_nlink > 0) {
            return descriptor;
        }
        ::close(descriptor);
    }
    throw WriteError(SystemReason(EAGAIN));
}

// Removes temporary files of the target that no save is writing any more: a save holds a lock
// on its temporary file from the moment it has one until it is renamed, and the lock goes with
// a killed process.
void RemoveLeftovers(const std::string& folder, const std::string& prefix)
{
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) {
            continue;
        }
        const int descriptor = ::openat(::dirfd(entries), entry->d_name,
                                        O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (descriptor < 0) {
            continue;
        }
        // Removed only while locked, and only if the name is still that file's: it may have been
        // removed and its name given to a new temporary file since it was opened.
        struct stat status {};
        struct stat named {};
        if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(::dirfd(entries), entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == status.st_dev && named.st_ino == status.st_ino) {
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
        }
        ::close(descriptor);
    }
    ::closedir(entries);
}

// A rename is durable only once the folder holding it is; some file systems cannot flush a
// folder at all, and the file is in place by now either way.
void FlushFolder(const std::string& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

FileSource::FileSource(const std::string& path)
{
    // Looked at before it is opened: opening a FIFO or a device may wait or act by itself.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throw ReadError(SystemReason(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        throw NotRegularFileError(NotRegularReason(status.st_mode));
    }
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor_ < 0) {
        throw ReadError(SystemReason(errno));
    }
    // The name may have been given to something else meanwhile.
    if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = errno;
        ::close(descriptor_);
        if (S_ISREG(status.st_mode)) {
            throw ReadError(SystemReason(error));
        }
        throw NotRegularFileError(NotRegularReason(status.st_mode));
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

std::size_t FileSource::ReadSome(char* buffer, std::size_t capacity)
{
    for (;;) {
        const ssize_t got = ::read(descriptor_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw ReadError(SystemReason(errno));
        }
    }
}

std::optional<FileIdentity> ReadFileIdentity(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return IdentityOf(status);
}

FileIdentity SaveFileSafely(const std::string& path,
                            const std::function<void(ByteSink&)>& writeContent,
                            const SaveOptions& options)
{
    const std::string target = options.followLinks ? ResolveTarget(path) : path;
    struct stat old {};
    const bool exists =
        (options.followLinks ? ::stat(target.c_str(), &old) : ::lstat(target.c_str(), &old)) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        throw WriteError(NotRegularReason(old.st_mode));
    }
    if (exists) {
        CheckWritable(target, options.followLinks);
    }
    const bool copying = !options.attributesFrom.empty();
    const std::string& attributesFrom = copying ? options.attributesFrom : target;
    struct stat original = old;
    const bool hasOriginal = copying ? ::stat(attributesFrom.c_str(), &original) == 0 : exists;
    const std::string folder = FolderPart(target);
    const std::string prefix = TemporaryPrefix(target);
    std::string temporary;
    // The lock tells other saves that this file is no leftover; it is held until the rename.
    const int descriptor = CreateLockedTemporary(folder + "/" + prefix + "XXXXXX", temporary);
    FileIdentity identity;
    try {
        DescriptorSink sink(descriptor);
        writeContent(sink);
        TakeOverAttributes(descriptor, attributesFrom, hasOriginal ? &original : nullptr);
        if (::fsync(descriptor) != 0) {
            throw WriteError(SystemReason(errno));
        }
        // A rename keeps the inode and the modification time: this is the saved file's identity.
        struct stat written {};
        if (::fstat(descriptor, &written) != 0) {
            throw WriteError(SystemReason(errno));
        }
        identity = IdentityOf(written);
        if (options.beforeReplacing) {
            options.beforeReplacing();
        }
        // A rename never follows a link at the target's name: it replaces the name itself.
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            ThrowWriteFailure(errno);
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        ::close(descriptor);
        throw;
    }
    ::close(descriptor);  // flushed already: nothing is left for close to report
    FlushFolder(folder);
    RemoveLeftovers(folder, prefix);
    return identity;
}

std::optional<std::string> SaveBackupCopy(const std::string& path, const std::string& backupPath,
                                          const BackupCopier& copy)
{
    // The user never chose this name: whoever may make files in the folder could have put a
    // link there aimed at any file the saver may replace.
    struct stat existing {};
    if (::lstat(backupPath.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return S_ISLNK(existing.st_mode)    ? "it is a symbolic link"
               : S_ISDIR(existing.st_mode)  ? "it is a folder"
               : S_ISFIFO(existing.st_mode) ? "it is a FIFO"
               : S_ISCHR(existing.st_mode) || S_ISBLK(existing.st_mode)
                   ? "it is a device"
                   : "it is not a regular file";
    }
    try {
        FileSource source(path);
        SaveFileSafely(
            backupPath,
            [&source, &copy](ByteSink& sink) {
                if (copy) {
                    copy(source, sink);
                    return;
                }
                if (auto* file = dynamic_cast<DescriptorSink*>(&sink);
                    file != nullptr && file->CopyRest(source.Descriptor())) {
                    return;
                }
                std::string buffer(64 * 1024, '\0');
                while (const std::size_t got = source.ReadSome(buffer.data(), buffer.size())) {
                    sink.Write(std::string_view(buffer.data(), got));
                }
            },
            SaveOptions{.attributesFrom = path, .followLinks = false});
    } catch (const ReadError& error) {
        // To the caller the copy failed, whichever side of it did.
        throw WriteError(error.what());
    }
    return std::nullopt;
}

std::string ReadWholeFile(const std::string& path)
{
    FileSource source(path);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(source.Size()));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t got = source.ReadSome(bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace quillmark
