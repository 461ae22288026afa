#include "database_access.h"

#include "core/file_io.h"
#include "core/file_messages.h"
#include "engine/database_commands.h"
#include "engine/search/saved_search_file.h"
#include "engine/search/search_run.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace quillmark {

namespace {

// The password of that kind the command line gives, when the file asks for it.
PasswordPrompt OptionPassword(const Arguments& arguments, PasswordKind wanted)
{
    return [&arguments, wanted](PasswordKind kind) -> std::optional<std::string> {
        const std::optional<std::string> given =
            arguments.Option(kind == PasswordKind::Read ? "--read-password" : "--save-password");
        if (kind != wanted || !given) {
            return std::nullopt;
        }
        return CommandLineText(*given, "The password");
    };
}

}  // namespace

std::vector<std::string> ProgramDataFolders()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::filesystem::path folder = executable.parent_path();
    return {folder.string(), (folder.parent_path() / "share" / "quillmark").string()};
}

void ExpectLoaded(const std::string& path, const DatabaseReadResult& result)
{
    const std::string name = FileNameInMessage(path);
    switch (result.Outcome) {
    case ReadOutcome::Loaded:
        if (result.DataAfterRecords) {
            std::cerr << "quillmark-tool: warning: " << DataAfterRecordsMessage(path) << '\n';
        }
        return;
    case ReadOutcome::CannotOpen:
        Fail("Cannot read " + name + ": " + result.Reason);
    case ReadOutcome::NotRegularFile:
        Fail(NotRegularFileMessage(path));
    case ReadOutcome::Empty:
        Fail(EmptyFileMessage(path));
    case ReadOutcome::NotQuillmark:
        Fail(name + " is not a valid Quillmark file.");
    case ReadOutcome::Incompatible:
        Fail(MergeIncompatibleMessage);
    case ReadOutcome::Locked:
        Fail("You have entered an incorrect password.");
    case ReadOutcome::Damaged:
        Fail(name + " is not a valid Quillmark file: " + result.Reason + " (at byte " +
             std::to_string(result.Offset) + ").");
    }
}

Database& DatabaseOfTheCommand()
{
    // Held by a pointer that is never deleted, so that it is still reachable at exit.
    static Database* const database = new Database;
    return *database;
}

DatabaseReadResult LoadDatabase(const std::string& path, const Arguments& arguments,
                                Database& database, ReadMode mode)
{
    // Whatever else is wrong with the file, the full read below reports.
    const OpeningCheck check = CheckOpening(path, OptionPassword(arguments, PasswordKind::Read));
    if (check.Outcome == OpeningOutcome::WrongReadPassword) {
        Fail("You have entered an incorrect password.");
    }
    if (check.Outcome == OpeningOutcome::Damaged) {
        Fail(EncryptedFileDamagedMessage(path, check.Reason));
    }
    DatabaseReadResult result = ReadDatabaseFile(path, database, mode, {}, check.Key);
    ExpectLoaded(path, result);
    return result;
}

void WriteFile(const std::string& path, const std::function<void()>& write,
               const std::string& failure)
{
    try {
        write();
    } catch (const NoPermissionError&) {
        Fail(NoPermissionToSaveMessage(path));
    } catch (const WriteError& error) {
        Fail(failure + FileNameInMessage(path) + ": " + error.what());
    }
}

void SaveDatabase(const std::string& path, Database& database, const Arguments& arguments,
                  const DatabaseWriteOptions& options)
{
    // A database with a save password is only replaced by someone who gives it, as in the
    // program.
    if (!SavePasswordGiven(path, OptionPassword(arguments, PasswordKind::Save))) {
        Fail(NoPermissionToSave);
    }
    const SaveResult saved = SaveOverFile(path, database, options, false);
    switch (saved.Outcome) {
    case FileSaveOutcome::Saved:
        return;
    case FileSaveOutcome::NoPermission:
        Fail(NoPermissionToSaveMessage(path));
    case FileSaveOutcome::BackupFailed:
    case FileSaveOutcome::Failed:
        Fail("Cannot write " + FileNameInMessage(path) + ": " + saved.Reason);
    }
}

void RunSavedSearch(const std::string& searchPath, Database& database)
{
    SavedSearch search;
    try {
        search = LoadSearchFile(searchPath);
    } catch (const ReadError& error) {
        Fail("Cannot read " + FileNameInMessage(searchPath) + ": " + error.what());
    } catch (const FormatError& error) {
        Fail(FileNameInMessage(searchPath) + " is not a valid saved search: " + error.what() +
             " (at byte " + std::to_string(error.Offset()) + ").");
    }
    SearchContext context;
    context.SkillNames = database.SkillNames;
    std::vector<int> rowSlots;
    for (const SearchTermRow& row : search.Rows) {
        rowSlots.push_back(row.Slot);
    }
    const SearchOutcome outcome =
        RunSearch(database.RecordList, PreparedSearch(search.Terms, rowSlots, context));
    if (outcome.Unreadable) {
        Fail(UnreadableTermMessage(*outcome.Unreadable));
    }
}

}  // namespace quillmark
