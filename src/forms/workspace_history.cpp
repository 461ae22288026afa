// Edit > Undo and Edit > Redo: recording the steps of commands and taking them back.

#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

namespace {

void RestoreSettings(Database& database, const Database& settings)
{
    ItemRecordList records = std::move(database.RecordList);
    database = settings;
    database.RecordList = std::move(records);
}

std::shared_ptr<ItemRecord> RecordAt(Workspace& workspace, int position)
{
    return workspace.IsValidPosition(position)
               ? workspace.RecordList()[static_cast<std::size_t>(position)]
               : nullptr;
}

}  // namespace

std::string RecordsCounted(int count)
{
    return count == 1 ? "1 Record" : std::to_string(count) + " Records";
}

std::string Quoted(const std::string& name)
{
    return '"' + name + '"';
}

CommandStep::CommandStep(Workspace& workspace, int keeps) : workspace_(workspace), keeps_(keeps)
{
    if ((keeps_ & Order) != 0) {
        step_.OrderBefore = workspace_.RecordList();
    }
    if ((keeps_ & Settings) != 0) {
        step_.SettingsBefore = SettingsOf(workspace_.database);
    }
    step_.IndexBefore = workspace_.CurrentIndex;
    step_.ShownBefore = RecordAt(workspace_, workspace_.CurrentIndex);
}

void CommandStep::WillChange(const std::shared_ptr<ItemRecord>& record)
{
    if (record && watched_.insert(record.get()).second) {
        step_.Changed.push_back({record, *record, {}});
    }
}

void CommandStep::Changed(const std::shared_ptr<ItemRecord>& record, ItemRecord before)
{
    if (!record->SameFiledContent(before) && watched_.insert(record.get()).second) {
        step_.Changed.push_back({record, std::move(before), {}});
    }
}

void CommandStep::WillChange(int position)
{
    WillChange(RecordAt(workspace_, position));
}

bool CommandStep::Done(std::string name)
{
    std::erase_if(step_.Changed, [](RecordChange& change) {
        change.After = *change.Record;
        return change.After.SameFiledContent(change.Before);
    });
    step_.Changed.shrink_to_fit();
    if (step_.OrderBefore) {
        if (*step_.OrderBefore == workspace_.RecordList()) {
            step_.OrderBefore.reset();
        } else {
            step_.OrderAfter = workspace_.RecordList();
        }
    }
    if (step_.SettingsBefore) {
        if (SameSettings(*step_.SettingsBefore, workspace_.database)) {
            step_.SettingsBefore.reset();
        } else {
            step_.SettingsAfter = SettingsOf(workspace_.database);
        }
    }
    if (step_.Changed.empty() && !step_.OrderBefore && !step_.SettingsBefore) {
        return false;
    }
    step_.Name = std::move(name);
    step_.IndexAfter = workspace_.CurrentIndex;
    step_.ShownAfter = RecordAt(workspace_, workspace_.CurrentIndex);
    workspace_.History.Add(std::move(step_));
    workspace_.HistoryChanged();
    return true;
}

void Workspace::HistoryChanged()
{
    view_->ShowEditHistory();
}

void Workspace::Undo()
{
    if (const HistoryStep* step = History.Undo()) {
        // Putting back a large database's order and refilling its spreadsheet takes a while.
        const BusyWork busy(services.shell, "Undoing " + step->Name + " ...");
        Apply(*step, true);
    }
}

void Workspace::Redo()
{
    if (const HistoryStep* step = History.Redo()) {
        const BusyWork busy(services.shell, "Redoing " + step->Name + " ...");
        Apply(*step, false);
    }
}

void Workspace::Apply(const HistoryStep& step, bool backwards)
{
    for (const RecordChange& change : step.Changed) {
        ItemRecord& record = *change.Record;
        ItemRecord restored = backwards ? change.Before : change.After;
        // The marks belong to the search list and the spreadsheet of the moment.
        restored.InSearchList = record.InSearchList;
        restored.SearchHit = record.SearchHit;
        restored.Marked = record.Marked;
        restored.SheetRow = record.SheetRow;
        record = std::move(restored);
    }
    if (const auto& order = backwards ? step.OrderBefore : step.OrderAfter) {
        database.RecordList = *order;
        ChangeFlag = true;
    }
    const auto& kept = backwards ? step.SettingsBefore : step.SettingsAfter;
    if (kept) {
        RestoreSettings(database, *kept);
    }
    // The record that was on show, wherever it now stands; else the position it stood at.
    const std::shared_ptr<ItemRecord>& shown = backwards ? step.ShownBefore : step.ShownAfter;
    const auto found = std::find(database.RecordList.begin(), database.RecordList.end(), shown);
    CurrentIndex = found != database.RecordList.end()
                       ? static_cast<int>(found - database.RecordList.begin())
                       : std::clamp(backwards ? step.IndexBefore : step.IndexAfter, 0,
                                    std::max(RecordCount() - 1, 0));
    SpreadsheetIsCaller = false;
    view_->HistoryApplied(kept.has_value());
    search_->RecordsChanged();
    spreadsheet_->FillSpreadsheet();
    services.shell.RefreshWindow(ProgramWindow::Spreadsheet);
    services.shell.RefreshWindow(ProgramWindow::Search);
    services.shell.RefreshWindow(ProgramWindow::Main);
    for (const auto& [window, redraw] : RedrawAfterHistory) {
        redraw();
    }
}

}  // namespace quillmark
