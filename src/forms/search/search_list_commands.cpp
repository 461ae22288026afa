// The search window's commands on what a search found and on saved searches: adding a range of
// records to the search list, clearing it, removing its records or extracting them to a file,
// and saving and loading the terms.

#include "core/byte_stream.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "engine/search/saved_search_file.h"
#include "engine/search/search_list.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/workspace.h"

#include <algorithm>
#include <filesystem>

namespace quillmark {

// ---- the search list ----

void TSearch::AddRangeBtnClick()
{
    AddRecordRange(workspace_.RecordList(), LowRange.value, HighRange.value);
    Extract.enabled = true;
    workspace_.services.dialogs.ShowInformation("Records " + std::to_string(LowRange.value) +
                                                " to " + std::to_string(HighRange.value) +
                                                " have been added to the Search List.");
}

void TSearch::ClearClick()
{
    ClearSearchList(workspace_.RecordList());
    SetExtractState();
    SearchProgress.position = 0;
    workspace_.services.dialogs.ShowInformation("Search List Cleared");
}

void TSearch::SetExtractState()
{
    // Stops at the first record listed: on a large database a whole pass is noticed.
    const ItemRecordList& records = workspace_.RecordList();
    Extract.enabled = std::any_of(records.begin(), records.end(),
                                  [](const auto& record) { return record->InSearchList; });
}

void TSearch::ExtractTypeClick(int entry)
{
    if (!Extract.enabled) {
        return;
    }
    if (entry == RemoveFromDatabaseEntry) {
        RemoveFromDatabase();
    } else if (entry == ExtractToFileEntry) {
        ExtractToFile();
    }
}

void TSearch::RemoveFromDatabase()
{
    int going = 0;
    {
        const BusyWork busy(workspace_.services.shell, "Counting records ...");
        going = CountRemovable(workspace_.RecordList());
    }
    const std::string count = going == 1 ? "1 record" : std::to_string(going) + " records";
    if (!workspace_.services.dialogs.AskYesNoDefaultNo(
            "All Search List Records (" + count +
            ") will be removed.  Are you sure you want to "
            "continue ?")) {
        return;
    }
    int removed = 0;
    {
        const BusyWork busy(workspace_.services.shell, "Removing records ...");
        CommandStep step(workspace_);
        ItemRecordList& records = workspace_.RecordList();
        const std::shared_ptr<ItemRecord> onShow =
            workspace_.IsValidPosition(workspace_.CurrentIndex)
                ? records[static_cast<std::size_t>(workspace_.CurrentIndex)]
                : nullptr;
        removed = RemoveListedRecords(records);
        workspace_.ChangeFlag = true;
        LowRange.value = HighRange.value = 1;
        HighRange.maximum = LowRange.maximum = workspace_.RecordCount();
        SetExtractState();
        // The record on show stays on show if it is still there; otherwise the first one is.
        const auto kept = std::find(records.begin(), records.end(), onShow);
        workspace_.CurrentIndex =
            kept == records.end() ? 0 : static_cast<int>(kept - records.begin());
        workspace_.View().GetRecord(workspace_.CurrentIndex);
        step.Done("Remove " + RecordsCounted(removed) + " From Database");
        // Behind this window, the main window shows its new record and the changed title at once.
        workspace_.services.shell.RefreshWindow(ProgramWindow::Main);
    }
    workspace_.services.dialogs.ShowInformation(std::to_string(removed) +
                                                " records have been removed from the Database.");
}

void TSearch::ExtractToFile()
{
    SetExtractState();
    if (!Extract.enabled) {
        return;
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    std::optional<std::string> path;
    while (true) {
        path = dialogs.SaveFileDialog({"Extract and Save Searched Records As"});
        if (!path) {
            return;
        }
        *path = WithDefaultExtension(*path, ".dat");
        std::error_code error;
        if (!std::filesystem::exists(*path, error) ||
            dialogs.AskYesNo(FileNameInMessage(*path) +
                             " already exists.  Do you want to overwrite it ?")) {
            break;
        }
    }
    // The extract is written as a save is, but the open database keeps its file and records.
    const std::string databaseFileName = workspace_.DatabaseFileName;
    workspace_.DatabaseFileName = *path;
    workspace_.ExtractMode = true;
    const bool written = workspace_.WriteDatabaseFile(*path);
    workspace_.ExtractMode = false;
    workspace_.DatabaseFileName = databaseFileName;
    if (written) {
        dialogs.ShowInformation("Extract Sucessful !");
    }
}

// ---- saved searches ----

void TSearch::SaveSearchBtnClick()
{
    std::optional<std::string> path = workspace_.services.dialogs.SaveFileDialog(
        {"Save Search", "Database Search File|*.srh", "srh"});
    if (!path || path->empty()) {
        return;
    }
    *path = WithDefaultExtension(*path, ".srh");
    try {
        SaveSearchFile(*path, GridRows, SearchTerms);
    } catch (const WriteError&) {
        workspace_.services.dialogs.ShowInformation(
            "A problem was encountered.  Search was not saved.  Please try again.");
        return;
    }
    workspace_.services.dialogs.ShowInformation("Search Saved.");
}

void TSearch::LoadSearchBtnClick()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    if (!dialogs.AskYesNo(
            "Existing search will be cleared.  Are you sure you want to continue ?")) {
        return;
    }
    const std::optional<std::string> path =
        dialogs.OpenFileDialog({"Load Search", "Database Search File|*.srh", "srh"});
    if (!path || path->empty()) {
        return;
    }
    SavedSearch loaded;
    try {
        loaded = LoadSearchFile(*path);
    } catch (const std::runtime_error&) {
        // Nothing of a damaged file takes effect: the search shown before stays.
        dialogs.ShowInformation("Selected search file is invalid.  No search loaded.");
        return;
    }
    for (SearchTermRow& row : loaded.Rows) {
        if (HoldsTerm(row.Slot)) {
            row.Field = FieldCaption(loaded.Terms[row.Slot].FieldTag);
        }
    }
    GridRows = std::move(loaded.Rows);
    SearchTerms = std::move(loaded.Terms);
    GridRow = 0;
    GridColumn = FieldColumn;
    SetFieldMenuEnableState();
}

}  // namespace quillmark
