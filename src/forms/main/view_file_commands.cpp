// The main window's "File" menu: the commands that act on the database as a whole.

#include "core/database_file.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/program_settings.h"
#include "engine/database_commands.h"
#include "forms/main/database_information_form.h"
#include "forms/main/server_commands.h"
#include "forms/main/set_password_form.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"
#include "server/server_address.h"

#include <filesystem>

namespace quillmark {

namespace {

// The key of an encrypted file is made from the read password, so there must be one.
constexpr const char* NoReadPasswordToEncrypt =
    "An encrypted database is locked with its read password, and this one has none.  Give it a "
    "read password with Set Database Password first, or save it as a Quillmark File.";

}  // namespace

void TView::StartEmptyDatabase()
{
    workspace_.RecordList().clear();
    workspace_.CurrentIndex = -1;
    NewRecord1Click();
    workspace_.DatabaseFileName.clear();
    workspace_.DatabaseLoaded = true;
    ShowFieldCaptions();
    // A database just started holds nothing worth asking about.
    workspace_.History.Clear();
    GetRecord(workspace_.CurrentIndex);  // the title follows the cleared file name
}

void TView::DiscardDatabase()
{
    workspace_.DiscardDatabase();
    workspace_.History.Clear();
    workspace_.DatabaseLoaded = false;
    SetSaveButtonState(false);
    Actions.DeleteRecord.enabled = false;
}

void TView::New1Click()
{
    // What is on screen counts: the question follows from the record as typed.
    SaveRecord(workspace_.CurrentIndex);
    const Answer answer =
        !workspace_.History.Changed()
            ? Answer::No
            : workspace_.services.dialogs.AskYesNoCancel(
                  "Would you like to save the current database before you create a new one ?");
    if (answer == Answer::Cancel) {
        return;
    }
    if (answer == Answer::Yes) {
        // A save that fails or is cancelled keeps the database: nothing is thrown away unasked.
        const bool saved = Actions.Save.enabled ? Save1Click() : SaveAs1Click();
        if (!saved) {
            return;
        }
    }
    DiscardDatabase();
    // The new database is the user's own, whatever the last one opened allowed.
    workspace_.CanSave = true;
    StartEmptyDatabase();
    EnableDeleteWhenMoreThanOne();
}

void TView::Open1Click()
{
    OpenAfterAsking(std::nullopt);
}

void TView::RecentFileClick(int entry)
{
    if (entry < 0 || static_cast<std::size_t>(entry) >= Recent.Paths().size()) {
        return;
    }
    // A copy: opening the file moves it to the front of the list.
    OpenAfterAsking(Recent.Paths()[static_cast<std::size_t>(entry)]);
}

void TView::OpenAfterAsking(std::optional<std::string> path)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    SaveRecord(workspace_.CurrentIndex);
    if (workspace_.History.Changed() &&
        !dialogs.AskYesNo("Changes made since last save will be lost. Open new file anyway ?")) {
        return;
    }
    if (!path) {
        path = dialogs.OpenFileDialog({"Open File"});
        if (!path) {
            return;
        }
    }
    OpenDatabase(*path);
}

void TView::RememberFile(const std::string& path)
{
    Recent.Add(path);
    if (!IsServerAddress(path)) {
        workspace_.services.shell.NoteRecentlyUsed(path);
    }
}

void TView::OpenDatabase(const std::string& path)
{
    if (IsServerAddress(path)) {
        ServerCommands(*this, workspace_).OpenAddress(path);
        return;
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    // A cancelled box counts as a wrong password.
    const OpeningCheck check = CheckOpening(path, [&dialogs](PasswordKind kind) {
        return kind == PasswordKind::Read
                   ? dialogs.PasswordBox("Enter Read Password", "Please Enter Read Password")
                   : dialogs.PasswordBox("Enter Save Password", "Please Enter Save Password");
    });
    switch (check.Outcome) {
    case OpeningOutcome::Unreadable:
        // A file that cannot be opened at all (gone, locked, no permission, no regular file, no
        // bytes) changes nothing.
        if (check.Problem == ReadOutcome::Empty) {
            dialogs.ShowError(EmptyFileMessage(path));
        } else if (check.Problem == ReadOutcome::NotRegularFile) {
            dialogs.ShowError(NotRegularFileMessage(path));
        } else {
            dialogs.ShowError(FileNameInMessage(path) + " could not be opened: " + check.Reason);
        }
        return;
    case OpeningOutcome::WrongReadPassword:
        dialogs.ShowError(
            "You have entered an incorrect password.  A new database will be created.");
        DiscardDatabase();
        StartEmptyDatabase();
        return;
    case OpeningOutcome::Damaged:
        dialogs.ShowError(EncryptedFileDamagedMessage(path, check.Reason));
        return;
    case OpeningOutcome::NoHeader:
    case OpeningOutcome::Ready:
        break;
    }
    if (check.Outcome == OpeningOutcome::Ready) {
        const bool canSaveBefore = workspace_.CanSave;
        workspace_.CanSave = check.SaveAllowed;
        if (!workspace_.CanSave) {
            dialogs.ShowError(
                "You have entered an incorrect save password.  You will be able to view the "
                "database, but you will not be able to save it.");
        }
        // Read aside, so that a damaged file leaves nothing half-read behind.
        Database opened;
        opened.DescriptionTrees = workspace_.DefaultTrees;
        DatabaseReadResult result;
        {
            BusyWork busy(workspace_.services.shell, "Opening " + FileNameInMessage(path) + " ...");
            result = ReadDatabaseFile(path, opened, ReadMode::Replace, busy.Reporter(), check.Key);
            if (result.Ok()) {
                // The database it replaces, and the history that keeps its records, are freed
                // while the cursor still says busy: a large one takes as long as a sort.
                std::swap(workspace_.database, opened);
                workspace_.History.Clear();
                opened = Database();
                // Noting the file in the desktop's list writes that list to disk.
                workspace_.DatabaseFileIdentity = check.Identity;
                DatabaseOpened(path);
            }
        }
        if (result.Ok()) {
            dialogs.ShowInformation(FileNameInMessage(path) + " opened.");
            if (result.DataAfterRecords) {
                dialogs.ShowError(DataAfterRecordsMessage(path));
            }
            return;
        }
        if (check.Key && result.Outcome == ReadOutcome::Damaged) {
            // The database on show stays: nothing of a changed encrypted file is trusted.
            workspace_.CanSave = canSaveBefore;
            dialogs.ShowError(EncryptedFileDamagedMessage(path, result.Reason));
            return;
        }
    }
    dialogs.ShowError(FileNameInMessage(path) +
                      " is not a valid Quillmark file.  A new database will be created.");
    DiscardDatabase();
    StartEmptyDatabase();
}

void TView::DatabaseOpened(const std::string& path)
{
    if (!IsServerAddress(path)) {
        workspace_.Server.reset();
    }
    workspace_.DatabaseFileName = path;
    RememberFile(path);
    workspace_.DatabaseLoaded = true;
    workspace_.ChangeFlag = true;
    workspace_.Search().Enabled = true;
    SetSaveButtonState(true);
    Actions.SaveAs.enabled = true;
    Actions.Merge.enabled = true;
    ShowFieldCaptions();
    // A file of no records still opens on a record the user can fill in.
    if (workspace_.RecordList().empty()) {
        workspace_.RecordList().push_back(
            CreateRecord(workspace_.RecordList(), workspace_.services.random));
    }
    workspace_.CurrentIndex = 0;
    workspace_.History.Clear();
    GetRecord(0);
    Actions.DeleteRecord.enabled = workspace_.RecordCount() > 1;
}

bool TView::Save1Click()
{
    if (!workspace_.CanSave) {
        workspace_.services.dialogs.ShowInformation(NoPermissionToSave);
        return false;
    }
    SaveRecord(workspace_.CurrentIndex);
    switch (ConfirmOverwrite(true)) {
    case Overwrite::Confirmed:
        break;
    case Overwrite::SavedElsewhere:
        return true;
    case Overwrite::NotSaved:
        return false;
    }
    if (!workspace_.WriteDatabaseFile(workspace_.DatabaseFileName)) {
        return false;
    }
    RememberFile(workspace_.DatabaseFileName);
    GetRecord(workspace_.CurrentIndex);
    workspace_.services.dialogs.ShowInformation("File Saved");
    return true;
}

TView::Overwrite TView::ConfirmOverwrite(bool storeRecord)
{
    if (!workspace_.DatabaseFileChanged() ||
        workspace_.services.dialogs.AskYesNoDefaultNo(
            FileNameInMessage(workspace_.DatabaseFileName) +
            " has been changed by another program since it was opened or last saved.  Do you "
            "want to overwrite it ?  Answer No to save the database under another name.")) {
        return Overwrite::Confirmed;
    }
    return SaveUnderNewName(storeRecord) ? Overwrite::SavedElsewhere : Overwrite::NotSaved;
}

bool TView::SaveAs1Click()
{
    return SaveUnderNewName(true);
}

bool TView::SaveUnderNewName(bool storeRecord)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    if (!workspace_.CanSave) {
        dialogs.ShowInformation(NoPermissionToSave);
        return false;
    }
    // The second file type is the same database encrypted with its read password.
    FileDialogRequest request{"Save As", "Quillmark File|*.dat|Encrypted Quillmark Database|*.dat"};
    request.filterIndex = workspace_.database.Encrypted ? 1 : 0;
    std::string path;
    bool encrypted = false;
    for (;;) {
        const std::optional<SaveFileChoice> chosen = dialogs.SaveFileDialogWithFilter(request);
        if (!chosen || chosen->path.empty()) {
            return false;
        }
        path = WithDefaultExtension(chosen->path, ".dat");
        encrypted = chosen->filterIndex == 1;
        request.filterIndex = chosen->filterIndex;
        request.initialFile = chosen->path;  // asked again, the dialog shows the choice
        if (encrypted && DatabasePasswords(workspace_.database).Read.empty()) {
            dialogs.ShowError(NoReadPasswordToEncrypt);
            continue;
        }
        std::error_code error;
        if (!std::filesystem::exists(path, error) ||
            dialogs.AskYesNo(FileNameInMessage(path) +
                             " already exists.  Do you want to overwrite it ?")) {
            break;
        }
    }
    if (storeRecord) {
        SaveRecord(workspace_.CurrentIndex);
    }
    // Another file type is a change of the database, undone like the password dialog's box; it
    // is kept only once the file is written, and the database takes the new name then too.
    CommandStep step(workspace_, CommandStep::Settings);
    const bool wasEncrypted = workspace_.database.Encrypted;
    workspace_.database.Encrypted = encrypted;
    if (!workspace_.WriteDatabaseFile(path)) {
        workspace_.database.Encrypted = wasEncrypted;
        return false;
    }
    if (step.Done(encrypted ? "Encryption of the File" : "Decryption of the File")) {
        workspace_.History.MarkSaved();
        workspace_.HistoryChanged();
    }
    workspace_.DatabaseFileName = path;
    workspace_.Server.reset();  // the database is now this file's
    RememberFile(path);
    GetRecord(workspace_.CurrentIndex);
    SetSaveButtonState(true);
    dialogs.ShowInformation("File Saved as " + FileNameInMessage(path));
    return true;
}

void TView::KeepBackupCopy1Click()
{
    workspace_.KeepBackupCopy = !workspace_.KeepBackupCopy;
    Actions.KeepBackupCopy.checked = workspace_.KeepBackupCopy;
}

void TView::Merge1Click()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<std::string> path = dialogs.OpenFileDialog({"Merge with File"});
    if (!path) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    const int before = workspace_.RecordCount();
    DatabaseReadResult result;
    {
        // Keeping the order for Undo and showing the outcome take long on a large database too;
        // the boxes wait until the work is done.
        BusyWork busy(workspace_.services.shell, "Merging " + FileNameInMessage(*path) + " ...");
        CommandStep step(workspace_, CommandStep::Order | CommandStep::Settings);
        result = ReadDatabaseFile(*path, workspace_.database, ReadMode::Merge, busy.Reporter());
        workspace_.DatabaseLoaded = true;
        workspace_.ChangeFlag = true;
        ShowFieldCaptions();
        GetRecord(workspace_.CurrentIndex);
        EnableDeleteWhenMoreThanOne();
        step.Done("Merge of " + RecordsCounted(workspace_.RecordCount() - before));
    }
    switch (result.Outcome) {
    case ReadOutcome::Loaded:
        dialogs.ShowInformation("Merge Sucessful !");
        if (result.DataAfterRecords) {
            dialogs.ShowError(DataAfterRecordsMessage(*path));
        }
        break;
    case ReadOutcome::Incompatible:
    case ReadOutcome::Locked:
        dialogs.ShowInformation(MergeIncompatibleMessage);
        break;
    case ReadOutcome::CannotOpen:
        dialogs.ShowError(FileNameInMessage(*path) + " could not be opened: " + result.Reason);
        break;
    case ReadOutcome::NotRegularFile:
        dialogs.ShowError(NotRegularFileMessage(*path));
        break;
    case ReadOutcome::Empty:
        dialogs.ShowError(EmptyFileMessage(*path));
        break;
    case ReadOutcome::Damaged:
        if (result.Encrypted) {
            dialogs.ShowError(EncryptedFileDamagedMessage(*path, result.Reason));
            break;
        }
        [[fallthrough]];
    case ReadOutcome::NotQuillmark:
        // Whatever was read before the damage has been merged; say so rather than nothing.
        dialogs.ShowError(FileNameInMessage(*path) +
                          " is not a valid Quillmark file.  The records read before the "
                          "damage have been added.");
        break;
    }
}

void TView::SetDatabaseInformation1Click()
{
    TDatabaseInformationForm form(workspace_.database.DatabaseInfo);
    workspace_.services.shell.RunDialog(form);
    if (form.Accepted) {
        CommandStep step(workspace_, CommandStep::Settings);
        workspace_.database.DatabaseInfo = form.Result();
        step.Done("Set Database Information");
    }
}

void TView::SetDatabasePassword1Click()
{
    const PlainPasswords passwords = DatabasePasswords(workspace_.database);
    TSetPasswordForm form(workspace_.services.dialogs, passwords.Read, passwords.Save,
                          workspace_.database.Encrypted);
    workspace_.services.shell.RunDialog(form);
    if (form.Accepted) {
        CommandStep step(workspace_, CommandStep::Settings);
        SetDatabasePasswords(workspace_.database, {form.ReadPassword.text, form.SavePassword.text});
        workspace_.database.Encrypted = form.Encrypt();
        step.Done("Set Database Password");
    }
}

bool TView::FormCloseQuery()
{
    SaveRecord(workspace_.CurrentIndex);
    while (workspace_.CanSave && workspace_.History.Changed()) {
        const Answer answer = workspace_.services.dialogs.AskYesNoCancel(
            "Changes made since last save will be lost. Would you like to save before exiting ?");
        if (answer == Answer::Cancel) {
            return false;
        }
        if (answer == Answer::No) {
            break;
        }
        // Asked again until the database is written somewhere, or the user lets it go.
        const bool saved = workspace_.DatabaseFileName.empty() ? SaveAs1Click() : Save1Click();
        if (saved) {
            break;
        }
    }
    return true;
}

void TView::OpenDatabaseAtStart()
{
    const StartupSettings startup = ReadStartupSettings(workspace_.settings);
    workspace_.SpreadsheetColumns = startup.Columns;
    SetShortDescriptions(startup.ShortDescriptions);
    workspace_.KeepBackupCopy = startup.KeepBackupCopy;
    Actions.KeepBackupCopy.checked = startup.KeepBackupCopy;
    if (!StartupFile.empty()) {
        OpenDatabase(StartupFile);
        return;
    }
    if (!startup.LastFile.empty() &&
        workspace_.services.dialogs.AskYesNo("Would you like to open the file " +
                                             FileNameInMessage(startup.LastFile) + " ?")) {
        OpenDatabase(startup.LastFile);
    }
}

void TView::ResetApplication1Click()
{
    if (!workspace_.services.dialogs.AskYesNo(
            "This function will reset the application program to original installation settings.  "
            "Are you sure you want to continue ?")) {
        return;
    }
    workspace_.SpreadsheetColumns = ResetColumnLayout();
    SetShortDescriptions(false);
    workspace_.KeepBackupCopy = true;
    Actions.KeepBackupCopy.checked = true;
    Width = 0;  // the window's own fitting size, as on a first start
    Height = 0;
    TSearch& search = workspace_.Search();
    search.Width = DefaultSearchSize.width;
    search.Height = DefaultSearchSize.height;
    TSnapShot& spreadsheet = workspace_.Spreadsheet();
    spreadsheet.Width = DefaultSpreadsheetSize.width;
    spreadsheet.Height = DefaultSpreadsheetSize.height;
    spreadsheet.BrowsePanelWidth = DefaultSpreadsheetSplitter;
    try {
        WriteResetSizes(workspace_.settings);
    } catch (const WriteError& error) {
        workspace_.services.dialogs.ShowError(std::string("The settings could not be saved: ") +
                                              error.what());
        return;
    }
    workspace_.services.dialogs.ShowInformation(
        "Original application settings have been restored.");
}

void TView::FormClose()
{
    try {
        WriteClosingSettings(workspace_.settings, workspace_.DatabaseFileName, Width, Height,
                             workspace_.SpreadsheetColumns, workspace_.ShortDescriptions,
                             workspace_.KeepBackupCopy);
        Recent.Write();
    } catch (const WriteError& error) {
        workspace_.services.dialogs.ShowError(std::string("The settings could not be saved: ") +
                                              error.what());
    }
    SaveRecord(workspace_.CurrentIndex);
    if (!workspace_.UserDataFolder.empty()) {
        std::error_code error;
        std::filesystem::remove(workspace_.UserDataFolder + "/rphtml.htm", error);
    }
}

}  // namespace quillmark
