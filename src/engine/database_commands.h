#pragma once

#include "core/database.h"
#include "core/database_file.h"
#include "core/file_io.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillmark {

// The database's file as a whole: the passwords that guard opening and saving it, and saving
// over it with a backup copy. The record window and quillmark-tool both go through here and
// put what happened into their own words.

enum class PasswordKind { Read, Save };
// Asked only for a password the file has; nothing when none is given (a cancelled box).
using PasswordPrompt = std::function<std::optional<std::string>(PasswordKind)>;

enum class OpeningOutcome {
    Ready,       // the file may be read
    Unreadable,  // no bytes, no regular file, or refused by the system: Problem says which
    NoHeader,    // the passwords at the file's start cannot be read: no database file
    WrongReadPassword,
    Damaged,  // an encrypted file whose header or first part was changed: Reason says how
};

// What is known before a database file is read.
struct OpeningCheck {
    OpeningOutcome Outcome = OpeningOutcome::Ready;
    ReadOutcome Problem = ReadOutcome::Loaded;  // Empty, NotRegularFile or CannotOpen
    std::string Reason;                         // the system's reason for CannotOpen
    // False when the file has a save password that was not given: it may be read, not saved.
    bool SaveAllowed = true;
    // Taken before the read, so that a change made while the file is read counts as one made
    // after it.
    std::optional<FileIdentity> Identity;
    // An encrypted file's key, opened with the read password, for reading it.
    std::shared_ptr<const FileKey> Key;
};

// Looks at the file and asks for its read password, then, when that was right, its save
// password. An encrypted file is always asked its read password, which is its key.
OpeningCheck CheckOpening(const std::string& path, const PasswordPrompt& askPassword);

// Whether a save may replace the database at path: true when there is none, it has no save
// password, or the one given is it. An encrypted file is replaced only by someone whose read
// password opens it.
bool SavePasswordGiven(const std::string& path, const PasswordPrompt& askPassword);

// The database's file was changed by someone else since it had this identity. A file that is
// gone has nothing to lose.
bool FileChangedSince(const std::string& path, const std::optional<FileIdentity>& identity);

enum class FileSaveOutcome {
    Saved,
    BackupFailed,  // the backup copy could not be written, so neither was the database
    NoPermission,
    Failed,
};

struct SaveResult {
    FileSaveOutcome Outcome = FileSaveOutcome::Saved;
    std::string Reason;      // the system's reason when not saved
    std::string BackupPath;  // NAME.dat.bak
    // Saved, but without a backup copy, for this reason.
    std::optional<std::string> BackupSkipped;
    FileIdentity Written;  // the file as saved
};

// Writes the database over the file at path; a failure leaves the previous file untouched and
// the database's name as it was. With keepBackupCopy a file written over is first copied to
// NAME.dat.bak, once the new one is complete.
SaveResult SaveOverFile(const std::string& path, Database& database,
                        const DatabaseWriteOptions& options, bool keepBackupCopy);

// The database's passwords as the user types them; empty for none.
struct PlainPasswords {
    std::string Read;
    std::string Save;
    ~PlainPasswords();  // wipes both: they are only passed on, never kept
};
PlainPasswords DatabasePasswords(const Database& database);
void SetDatabasePasswords(Database& database, const PlainPasswords& passwords);

}  // namespace quillmark
