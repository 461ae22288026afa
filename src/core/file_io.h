#pragma once

#include "core/byte_stream.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quillmark {

// The file is there but is no regular file (a folder, a device, a FIFO): it is never read,
// since it may never end or may block the program.
class NotRegularFileError : public ReadError {
public:
    using ReadError::ReadError;
};

// Reads a file through the operating system, a buffer at a time.
class FileSource : public ByteSource {
public:
    // Throws ReadError with the system's reason when the file cannot be opened, and
    // NotRegularFileError for anything but a regular file; opening never waits.
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t ReadSome(char* buffer, std::size_t capacity) override;
    std::uint64_t Size() const { return size_; }
    // The open file, for copying it within the system.
    int Descriptor() const { return descriptor_; }

private:
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

// The saver may not write the file it is to replace, or make one in its folder: a refusal the
// user can act on, unlike a full disk. The text is the system's reason.
class NoPermissionError : public WriteError {
public:
    using WriteError::WriteError;
};

// Tells one version of a file from another: a file written over in place changes its size or
// modification time, one replaced by a rename is another inode.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file a path names, links followed; nothing when there is none.
std::optional<FileIdentity> ReadFileIdentity(const std::string& path);

struct SaveOptions {
    // The file whose owner, group, permissions and extended attributes the new file takes,
    // when not those of the file it replaces (a copy takes its original's).
    std::string attributesFrom = {};
    // Runs once the new content is safely on disk, just before it takes the old file's place
    // (a backup copy of the old one is made here); a WriteError from it stops the save.
    std::function<void()> beforeReplacing = {};
    // Whether a link at the path is written through to the file it names. A file the user never
    // chose (a backup copy) is written only as a regular file of its own name.
    bool followLinks = true;
};

// Every file that holds the user's data is written through here: the content goes to a
// temporary file in the same folder, is flushed to disk, takes the old file's owner, group,
// permissions (without set-id and sticky bits) and extended attributes as far as the system
// allows, and only then replaces the old file; the folder is flushed after. A link is written
// through to the file it names, also when that does not exist yet. A target that is no regular
// file is refused, and so is one the saver could not open for writing (NoPermissionError): a
// save never takes over a file of someone else's or one its owner made read-only. Temporary
// files left by a save that was killed are removed by the next one, never one a save is still
// writing. When anything fails the old file is left as it was and WriteError carries the reason.
// Returns the identity of the file written.
FileIdentity SaveFileSafely(const std::string& path,
                            const std::function<void(ByteSink&)>& writeContent,
                            const SaveOptions& options = {});

// Copies the file to backupPath through SaveFileSafely, with the original's permissions. An
// existing backupPath that is no regular file (a link, a folder, a device, a FIFO) is neither
// followed nor replaced: nothing is written and the answer says why ("it is a symbolic link").
// Throws WriteError, also when the original cannot be read. `copy`, when given, writes the
// copy's bytes from the original's instead of copying them as they are.
using BackupCopier = std::function<void(ByteSource& original, ByteSink& copy)>;
std::optional<std::string> SaveBackupCopy(const std::string& path, const std::string& backupPath,
                                          const BackupCopier& copy = {});

// Reads a whole (small) file; throws ReadError with the system's reason.
std::string ReadWholeFile(const std::string& path);

}  // namespace quillmark
