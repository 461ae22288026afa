#include "forms/workspace.h"

#include "core/database_file.h"
#include "core/default_trees.h"
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
    try {
        SaveDatabaseFile(path, database, DatabaseWriteOptions{ExtractMode});
        return true;
    } catch (const WriteError& error) {
        database.DatabaseInfo.DatabaseName = nameBefore;
        services.dialogs.ShowError(FileNameInMessage(path) +
                                   " could not be saved: " + error.what());
        return false;
    }
}

void Workspace::QuickSave()
{
    if (WriteDatabaseFile(DatabaseFileName)) {
        services.dialogs.ShowInformation("File Saved");
    }
}

void Workspace::SetDatabaseDefaults()
{
    SetDefaultCaptions(database);
    database.DescriptionTrees = DefaultTrees;
}

}  // namespace quillmark
