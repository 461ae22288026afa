#pragma once

#include "core/database.h"
#include "core/encrypted_file.h"
#include "core/file_io.h"
#include "core/progress.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quillmark {

class ValueReader;
class ValueWriter;

inline constexpr const char* DatabaseIdentification = "Quillmark";
inline constexpr const char* DatabaseFormatVersion = "1.12";

// What a save is told when the database's save password was not given.
inline constexpr const char* NoPermissionToSave =
    "Sorry, you do not have permission to save this file.";

struct DatabaseWriteOptions {
    // Writes only the records on the search list (extracting the search list to a new file).
    bool ExtractMode = false;
    // What the file's first two values say; the program always writes the defaults.
    std::string Version = DatabaseFormatVersion;
    std::string Identification = DatabaseIdentification;
    ProgressReport Progress = {};  // told of each record written
    // The work that turns the read password into the key of an encrypted database.
    KeyDerivationLimits KeyLimits = {};
};

// Writes the database as a database file (the plain bytes; SaveDatabaseFile encrypts them when
// the database is to be encrypted). An empty DatabaseName becomes the file name part of
// fileName, in the file and in memory. Throws WriteError when the sink fails or a category
// tree is not valid tree text.
void WriteDatabase(ValueWriter& writer, Database& database, const std::string& fileName,
                   const DatabaseWriteOptions& options = {});

// WriteDatabase through SaveFileSafely: a failure leaves the previous file untouched. A database
// marked Encrypted that has a read password is encrypted with it as it is written. Returns the
// identity of the file written.
FileIdentity SaveDatabaseFile(const std::string& path, Database& database,
                              const DatabaseWriteOptions& options = {},
                              const SaveOptions& saveOptions = {});

// SaveBackupCopy of the file a save of the database replaces. A plain file that an encrypted
// save replaces is copied encrypted with the database's read password: no plain copy stays.
std::optional<std::string> SaveDatabaseBackupCopy(const std::string& path,
                                                  const std::string& backupPath,
                                                  const Database& database,
                                                  const DatabaseWriteOptions& options = {});

enum class ReadMode {
    Replace,  // the file's records replace those in memory
    Merge,    // the file's records are appended, after the compatibility check
    Check,    // every record is read and checked as for Replace, and none is kept
};

enum class ReadOutcome {
    Loaded,
    CannotOpen,      // the system refused to open or read the file; Reason says why
    NotRegularFile,  // a folder, a device, a FIFO: never read
    Empty,           // a file of no bytes
    NotQuillmark,    // the identification is not "Quillmark"
    Damaged,         // a format error; Reason and Offset say what and where
    Incompatible,    // merge only: captions or passwords differ, nothing was read
    Locked,          // encrypted, and no key that opens it was given
};

struct DatabaseReadResult {
    ReadOutcome Outcome = ReadOutcome::Loaded;
    std::string Reason;
    std::uint64_t Offset = 0;
    std::string Version;  // the file's version value, never examined
    // Bytes follow the last record the count promises. They may be harmless, or records a
    // damaged count leaves out: the user is told, since saving drops them.
    bool DataAfterRecords = false;
    std::size_t RecordsRead = 0;  // complete records, kept or (checking) not
    // The file is encrypted: a merge that fails takes nothing from it.
    bool Encrypted = false;
    bool Ok() const { return Outcome == ReadOutcome::Loaded; }
};

// Reads a database file into memory. The header values replace those in memory as they are
// read (in every mode); records read completely before a failure stay in the list, and the
// caller decides what to keep. fileName names the database when its DatabaseName is empty.
// `progress` is told of each record read.
DatabaseReadResult ReadDatabase(ValueReader& reader, Database& database,
                                const std::string& fileName, ReadMode mode,
                                const ProgressReport& progress = {});
// An encrypted file is read through `key`, opened from its header with its read password; a file
// merged in needs none, since it has the database's passwords. Replacing marks the database
// Encrypted as the file was.
DatabaseReadResult ReadDatabaseFile(const std::string& path, Database& database, ReadMode mode,
                                    const ProgressReport& progress = {},
                                    std::shared_ptr<const FileKey> key = nullptr);

// "<file> holds data after its last record that Quillmark cannot read. Saving the database
// will not keep it."
std::string DataAfterRecordsMessage(const std::string& path);

// The enciphered passwords of a file, read before it is opened; nothing when the header
// cannot be read (an encrypted file's only with its key).
struct FilePasswords {
    SecretText ReadPassword;
    SecretText SavePassword;
};
std::optional<FilePasswords> ReadPasswords(const std::string& path,
                                           const std::shared_ptr<const FileKey>& key = nullptr);

// Whether a file can be merged into the database: the same enciphered passwords and the same
// description and detail captions, compared exactly. A file whose header cannot be read is not.
// An encrypted file is opened with the database's read password when no key is given.
bool CheckMergeCompatibility(const std::string& path, const Database& database,
                             std::shared_ptr<const FileKey> key = nullptr);

}  // namespace quillmark
