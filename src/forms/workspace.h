#pragma once

#include "core/database.h"
#include "core/database_file.h"
#include "core/one_based_array.h"
#include "core/program_settings.h"
#include "core/record_fields.h"
#include "core/record_status.h"
#include "core/settings_store.h"
#include "engine/reports/report_mode.h"
#include "forms/edit_history.h"
#include "forms/services.h"
#include "forms/spreadsheet_mode.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace quillmark {

class RandomSource;
class ServerDatabase;
class TSearch;
class TSnapShot;
class TView;

// The desktop services every form may call.
struct Services {
    Dialogs& dialogs;
    Shell& shell;
    Clock& clock;
    RandomSource& random;
};

// How the main window names the record's fields and masks its detail boxes at the moment. The
// other windows list, title and mask those fields the same way; the main window keeps this
// current whenever its captions change.
struct RecordLabels {
    std::string Name;
    std::string Status;  // the heading over the three status boxes
    StatusCaptions StatusNames;
    std::string Keywords;
    std::string ResumeFile;
    std::string Notes;
    OneBasedArray<std::string, 10> DescriptionCaptions;
    std::array<std::string, 10> DetailMasks;
};

// The open database and the program's long-lived windows. Forms reach each other and the
// records through here; records are shared, never copied between windows.
class Workspace {
public:
    // defaultTreeFolders: where the default category files are looked for, in order;
    // settingsPath: the settings file.
    Workspace(Services services, std::vector<std::string> defaultTreeFolders,
              std::string settingsPath = {});
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Services services;
    SettingsStore settings;
    // The spreadsheet's columns: kept in the settings, read at start-up and written at the end.
    ColumnLayout SpreadsheetColumns = DefaultColumnLayout();
    Database database;
    std::string DatabaseFileName;
    // The file as it was when the database was opened from it or last saved to it: another
    // program that changed it since is not overwritten unasked.
    std::optional<FileIdentity> DatabaseFileIdentity;
    // The server the database was opened from or saved to, whose address is DatabaseFileName;
    // nothing for a database kept in a file.
    std::unique_ptr<ServerDatabase> Server;
    // Saving over a database first keeps the previous version as NAME.dat.bak beside it.
    bool KeepBackupCopy = true;
    // The work that turns the read password into an encrypted database's key on each save.
    KeyDerivationLimits KeyLimits = {};
    int CurrentIndex = -1;  // the record on show; -1 while there is none
    std::shared_ptr<ItemRecord> ClipboardRecord;
    bool CanSave = true;
    bool DatabaseLoaded = false;
    bool ExtractMode = false;
    // Records were added, removed, reordered or replaced; the search window rebuilds its menus.
    bool ChangeFlag = false;
    bool SpreadsheetIsCaller = false;
    quillmark::SpreadsheetMode SpreadsheetMode = quillmark::SpreadsheetMode::AllRecords;
    quillmark::ReportMode ReportMode = quillmark::ReportMode::AllRecords;
    SortKey SortMode = SortKey::ByName;
    OneBasedArray<std::string, 10> DefaultTrees;  // a new database's category trees
    RecordLabels Labels;
    // Description values show only their first category ("Nights " for "Nights : Part Time");
    // the main window's menu switches it, and reports and the spreadsheet follow.
    bool ShortDescriptions = false;

    ItemRecordList& RecordList() { return database.RecordList; }
    int RecordCount() const { return static_cast<int>(database.RecordList.size()); }
    bool IsValidPosition(int position) const { return position >= 0 && position < RecordCount(); }
    // The record at CurrentIndex, or nothing while there is none.
    ItemRecord* RecordOnShow();

    // Captions, skill names and category trees of a new database.
    void SetDatabaseDefaults();
    // Forgets the open database: no records, no file name, no passwords, default captions.
    void DiscardDatabase();

    // Writes the database to the file, reporting a failure once with the system's reason;
    // refused with a message while the database may not be saved. True when written. A file
    // written over is first copied to NAME.dat.bak while KeepBackupCopy is set.
    bool WriteDatabaseFile(const std::string& path);
    // The database's file was changed by someone else since it was opened or last saved.
    bool DatabaseFileChanged() const;
    // The save buttons of the other windows: the record on show is not stored first.
    void QuickSave();

    // Where the program keeps its working files (the HTML report's page, saved defaults).
    std::string UserDataFolder;

    // Edit > Undo and Edit > Redo, shared by every window that changes records.
    EditHistory History;
    // Takes back the last step done, or does again the last one undone, and shows the records
    // as they were then in every window.
    void Undo();
    void Redo();
    // The title bar and the Edit menu follow the history and the saved state.
    void HistoryChanged();
    // The windows over the records that come and go (the album, the graph), each drawing itself
    // again from the records after Undo or Redo; a form adds itself while it lives.
    std::map<ProgramWindow, std::function<void()>> RedrawAfterHistory;

    TView& View() { return *view_; }
    TSnapShot& Spreadsheet() { return *spreadsheet_; }
    TSearch& Search() { return *search_; }

private:
    void Apply(const HistoryStep& step, bool backwards);

    // Made at start-up in this order and kept until the program ends.
    std::unique_ptr<TView> view_;
    std::unique_ptr<TSnapShot> spreadsheet_;
    std::unique_ptr<TSearch> search_;
};

// Wraps a command that changes the database, for Edit > Undo: what the command may change is
// taken as it starts, and one step is recorded as it ends if anything did change.
class CommandStep {
public:
    enum Keeps { Order = 1, Settings = 2 };
    explicit CommandStep(Workspace& workspace, int keeps = Order);
    // The record is about to be changed in place.
    void WillChange(const std::shared_ptr<ItemRecord>& record);
    void WillChange(int position);
    // The record was changed in place from before; kept only when it differs.
    void Changed(const std::shared_ptr<ItemRecord>& record, ItemRecord before);
    // Records the step under the name; false when nothing changed.
    bool Done(std::string name);

private:
    Workspace& workspace_;
    int keeps_;
    HistoryStep step_;
    std::unordered_set<const ItemRecord*> watched_;
};

// "1 Record", "120 Records" in a step's name.
std::string RecordsCounted(int count);
// "Ann Lee" in a step's name.
std::string Quoted(const std::string& name);

}  // namespace quillmark
