#include "forms/workspace.h"

#include "core/database_file.h"
#include "core/default_trees.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"

namespace quillmark {

Workspace::Workspace(Services services_, std::vector<std::string> defaultTreeFolders,
                     std::string settingsPath)
    : services(services_),
      settings(std::move(settingsPath)),
      DefaultTrees(ReadDefaultTrees(defaultTreeFolders))
{
    SetDatabaseDefaults();
    view_ = std::make_unique<TView>(*this);
    spreadsheet_ = std::make_unique<TSnapShot>(*this);
    search_ = std::make_unique<TSearch>(*this);
}

Workspace::~Workspace() = default;

ItemRecord* Workspace::RecordOnShow()
{
    return IsValidPosition(CurrentIndex)
               ? database.RecordList[static_cast<std::size_t>(CurrentIndex)].get()
               : nullptr;
}

void Workspace::DiscardDatabase()
{
    database = Database();
    database.DescriptionTrees = DefaultTrees;
    DatabaseFileName.clear();
    DatabaseFileIdentity.reset();
    CurrentIndex = -1;
}

bool Workspace::WriteDatabaseFile(const std::string& path)
{
    if (!CanSave) {
        services.dialogs.ShowInformation(NoPermissionToSave);
        return false;
    }
    // The writer names an unnamed database after its file; not after a file never written.
    const std::string nameBefore = database.DatabaseInfo.DatabaseName;
    std::string failure;
    std::string backupSkipped;
    {
        BusyWork busy(services.shell, "Saving " + FileNameInMessage(path) + " ...");
        DatabaseWriteOptions options{ExtractMode};
        options.Progress = busy.Reporter();
        // The old file is copied only once the new one is complete: a save that fails leaves
        // the folder as it was.
        const std::string backup = path + ".bak";
        bool backupFailed = false;
        SaveOptions saveOptions;
        if (KeepBackupCopy && ReadFileIdentity(path)) {
            saveOptions.beforeReplacing = [&] {
                try {
                    if (const std::optional<std::string> why = SaveBackupCopy(path, backup)) {
                        backupSkipped = BackupNotWrittenMessage(backup, *why);
                    }
                } catch (const WriteError&) {
                    backupFailed = true;
                    throw;
                }
            };
        }
        try {
            const FileIdentity written = SaveDatabaseFile(path, database, options, saveOptions);
            // An extract is another file: the database's own stays what it was.
            if (!ExtractMode) {
                DatabaseFileIdentity = written;
            }
        } catch (const WriteError& error) {
            database.DatabaseInfo.DatabaseName = nameBefore;
            if (backupFailed) {
                failure = "The backup copy " + FileNameInMessage(backup) +
                          " could not be saved: " + error.what() + ".  The database was not saved.";
            } else if (dynamic_cast<const NoPermissionError*>(&error) != nullptr) {
                failure = NoPermissionToSaveMessage(path);
            } else {
                failure = FileNameInMessage(path) + " could not be saved: " + error.what();
            }
        }
    }
    if (!failure.empty()) {
        services.dialogs.ShowError(failure);
        return false;
    }
    // The database is saved all the same: the user learns why there is no backup this time.
    if (!backupSkipped.empty()) {
        services.dialogs.ShowError(backupSkipped);
    }
    return true;
}

bool Workspace::DatabaseFileChanged() const
{
    if (DatabaseFileName.empty() || !DatabaseFileIdentity) {
        return false;
    }
    // A file that is gone has nothing to lose.
    const std::optional<FileIdentity> now = ReadFileIdentity(DatabaseFileName);
    return now && *now != *DatabaseFileIdentity;
}

void Workspace::QuickSave()
{
    if (!CanSave) {
        services.dialogs.ShowInformation(NoPermissionToSave);
        return;
    }
    switch (view_->ConfirmOverwrite(false)) {
    case TView::Overwrite::Confirmed:
        if (WriteDatabaseFile(DatabaseFileName)) {
            services.dialogs.ShowInformation("File Saved");
        }
        break;
    case TView::Overwrite::SavedElsewhere:
    case TView::Overwrite::NotSaved:
        break;
    }
}

void Workspace::SetDatabaseDefaults()
{
    SetDefaultCaptions(database);
    database.DescriptionTrees = DefaultTrees;
}

}  // namespace quillmark
