#include "engine/database_commands.h"

#include "core/password_cipher.h"

namespace quillmark {

namespace {

// True when the file has no such password or the one given is it.
bool PasswordGiven(std::string_view enciphered, PasswordKind kind,
                   const PasswordPrompt& askPassword)
{
    if (enciphered.empty()) {
        return true;
    }
    std::string password = DecipherPassword(enciphered);
    std::string given = askPassword(kind).value_or("");
    const bool same = given == password;
    WipeText(password);
    WipeText(given);
    return same;
}

// The enciphered form of a password typed in, kept only in locked memory.
SecretText Enciphered(const std::string& plain)
{
    std::string enciphered = EncipherPassword(plain);
    SecretText secret(enciphered);
    WipeText(enciphered);
    return secret;
}

// The key of an encrypted file, opened with the read password the user gives.
std::shared_ptr<const FileKey> OpenKey(const std::string& path, const PasswordPrompt& askPassword)
{
    std::optional<std::string> given = askPassword(PasswordKind::Read);
    if (!given) {
        throw WrongPasswordError("No password was given.");
    }
    const SecretBytes password(*given);
    WipeText(*given);
    return FileKey::Open(path, password.View());
}

// The file could not be read at all: nothing about the database is known.
OpeningCheck CannotOpen(ReadOutcome problem, std::string reason = {})
{
    OpeningCheck check;
    check.Outcome = OpeningOutcome::Unreadable;
    check.Problem = problem;
    check.Reason = std::move(reason);
    return check;
}

}  // namespace

OpeningCheck CheckOpening(const std::string& path, const PasswordPrompt& askPassword)
{
    OpeningCheck check;
    try {
        if (FileSource(path).Size() == 0) {
            return CannotOpen(ReadOutcome::Empty);
        }
    } catch (const NotRegularFileError&) {
        return CannotOpen(ReadOutcome::NotRegularFile);
    } catch (const ReadError& error) {
        return CannotOpen(ReadOutcome::CannotOpen, error.what());
    }
    check.Identity = ReadFileIdentity(path);
    if (IsEncryptedFile(path)) {
        try {
            check.Key = OpenKey(path, askPassword);
        } catch (const WrongPasswordError&) {
            check.Outcome = OpeningOutcome::WrongReadPassword;
            return check;
        } catch (const FormatError& error) {
            check.Outcome = OpeningOutcome::Damaged;
            check.Reason = error.what();
            return check;
        } catch (const ReadError& error) {
            return CannotOpen(ReadOutcome::CannotOpen, error.what());
        }
    }
    const std::optional<FilePasswords> passwords = ReadPasswords(path, check.Key);
    if (!passwords && check.Key) {
        check.Outcome = OpeningOutcome::Damaged;
        check.Reason = "An encrypted part of the file was changed or damaged.";
        return check;
    }
    if (!passwords) {
        check.Outcome = OpeningOutcome::NoHeader;
        return check;
    }
    // The key already proved an encrypted file's read password.
    if (!check.Key && !PasswordGiven(passwords->ReadPassword, PasswordKind::Read, askPassword)) {
        check.Outcome = OpeningOutcome::WrongReadPassword;
        return check;
    }
    check.SaveAllowed = PasswordGiven(passwords->SavePassword, PasswordKind::Save, askPassword);
    return check;
}

bool SavePasswordGiven(const std::string& path, const PasswordPrompt& askPassword)
{
    std::shared_ptr<const FileKey> key;
    if (IsEncryptedFile(path)) {
        try {
            key = OpenKey(path, askPassword);
        } catch (const std::runtime_error&) {
            return false;
        }
    }
    const std::optional<FilePasswords> passwords = ReadPasswords(path, key);
    return !passwords || PasswordGiven(passwords->SavePassword, PasswordKind::Save, askPassword);
}

bool FileChangedSince(const std::string& path, const std::optional<FileIdentity>& identity)
{
    if (path.empty() || !identity) {
        return false;
    }
    const std::optional<FileIdentity> now = ReadFileIdentity(path);
    return now && *now != *identity;
}

SaveResult SaveOverFile(const std::string& path, Database& database,
                        const DatabaseWriteOptions& options, bool keepBackupCopy)
{
    SaveResult result;
    result.BackupPath = path + ".bak";
    // The writer names an unnamed database after its file; not after a file never written.
    const std::string nameBefore = database.DatabaseInfo.DatabaseName;
    bool backupFailed = false;
    SaveOptions saveOptions;
    if (keepBackupCopy && ReadFileIdentity(path)) {
        saveOptions.beforeReplacing = [&] {
            try {
                result.BackupSkipped =
                    SaveDatabaseBackupCopy(path, result.BackupPath, database, options);
            } catch (const WriteError&) {
                backupFailed = true;
                throw;
            }
        };
    }
    try {
        result.Written = SaveDatabaseFile(path, database, options, saveOptions);
    } catch (const WriteError& error) {
        database.DatabaseInfo.DatabaseName = nameBefore;
        result.Reason = error.what();
        if (backupFailed) {
            result.Outcome = FileSaveOutcome::BackupFailed;
        } else if (dynamic_cast<const NoPermissionError*>(&error) != nullptr) {
            result.Outcome = FileSaveOutcome::NoPermission;
        } else {
            result.Outcome = FileSaveOutcome::Failed;
        }
        result.BackupSkipped.reset();
    }
    return result;
}

PlainPasswords::~PlainPasswords()
{
    WipeText(Read);
    WipeText(Save);
}

PlainPasswords DatabasePasswords(const Database& database)
{
    return {DecipherPassword(database.ReadPassword), DecipherPassword(database.SavePassword)};
}

void SetDatabasePasswords(Database& database, const PlainPasswords& passwords)
{
    database.ReadPassword = Enciphered(passwords.Read);
    database.SavePassword = Enciphered(passwords.Save);
}

}  // namespace quillmark
