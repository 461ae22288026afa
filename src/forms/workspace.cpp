#include "forms/workspace.h"

#include "core/database_file.h"
#include "core/default_trees.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "engine/database_commands.h"
#include "forms/main/server_commands.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "server/server_database.h"

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
    Server.reset();
    CurrentIndex = -1;
}

bool Workspace::WriteDatabaseFile(const std::string& path)
{
    if (!CanSave) {
        services.dialogs.ShowInformation(NoPermissionToSave);
        return false;
    }
    if (Server && path == Server->Address() && !ExtractMode) {
        return ServerCommands::SaveChanges(*this);
    }
    SaveResult saved;
    {
        BusyWork busy(services.shell, "Saving " + FileNameInMessage(path) + " ...");
        DatabaseWriteOptions options{ExtractMode};
        options.Progress = busy.Reporter();
        options.KeyLimits = KeyLimits;
        saved = SaveOverFile(path, database, options, KeepBackupCopy);
    }
    switch (saved.Outcome) {
    case FileSaveOutcome::Saved:
        break;
    case FileSaveOutcome::BackupFailed:
        services.dialogs.ShowError("The backup copy " + FileNameInMessage(saved.BackupPath) +
                                   " could not be saved: " + saved.Reason +
                                   ".  The database was not saved.");
        return false;
    case FileSaveOutcome::NoPermission:
        services.dialogs.ShowError(NoPermissionToSaveMessage(path));
        return false;
    case FileSaveOutcome::Failed:
        services.dialogs.ShowError(FileNameInMessage(path) +
                                   " could not be saved: " + saved.Reason);
        return false;
    }
    // An extract is another file: the database's own stays what it was.
    if (!ExtractMode) {
        DatabaseFileIdentity = saved.Written;
        History.MarkSaved();
        HistoryChanged();
    }
    // The database is saved all the same: the user learns why there is no backup this time.
    if (saved.BackupSkipped) {
        services.dialogs.ShowError(BackupNotWrittenMessage(saved.BackupPath, *saved.BackupSkipped));
    }
    return true;
}

bool Workspace::DatabaseFileChanged() const
{
    return FileChangedSince(DatabaseFileName, DatabaseFileIdentity);
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
