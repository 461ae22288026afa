// The main window's sorting: the "Sort Records" menu, its tool button and "Sort Mode".

#include "core/record_fields.h"
#include "engine/record_sorting.h"
#include "forms/main/field_captions.h"
#include "forms/main/view_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

namespace quillmark {

namespace {

// The entries of "Sort Records", each tagged with the sort key it sorts by, in the order of
// the keys, with the titles the windows show now.
std::vector<MenuItemControl> SortRecordsEntries(const RecordLabels& labels,
                                                const Database& database)
{
    std::vector<MenuItemControl> entries;
    for (const RecordField* field : FieldsNumberedBy(&RecordField::sortKey)) {
        // The entries of the other fields have always read so.
        const char* verb = field->captions == CaptionList::Other ? "Sory by " : "Sort by ";
        entries.push_back(
            {verb + WindowFieldTitle(*field, labels, database), field->sortKey, true, {}});
        // The entry after the last detail field repeats it: it sorts by that field, and says so.
        const auto detailCount = database.DetailCaptions.size();
        if (field->captions == CaptionList::Detail &&
            static_cast<std::size_t>(field->captionIndex) + 1 == detailCount) {
            entries.push_back(entries.back());
        }
    }
    return entries;
}

}  // namespace

void TView::MakeSortMenu()
{
    SortSelect = SortRecordsEntries(workspace_.Labels, workspace_.database);
}

void TView::SortSelectClick(int entry)
{
    if (entry < 1 || entry > static_cast<int>(SortSelect.size())) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    // Keeping the order for Undo, and the spreadsheet's new order, take long on a large
    // database as well.
    const BusyWork busy(workspace_.services.shell, "Sorting records ...");
    CommandStep step(workspace_);
    workspace_.ChangeFlag = true;
    workspace_.SortMode = SortKey{SortSelect[static_cast<std::size_t>(entry - 1)].tag};
    DoSort(workspace_.RecordList(), workspace_.SortMode, Actions.Ascending.checked);
    // The position stays: whichever record now stands there is shown.
    GetRecord(workspace_.CurrentIndex);
    step.Done(SortSelect[static_cast<std::size_t>(entry - 1)].caption);
    // The spreadsheet walking the search list shows the new order at once.
    if (workspace_.SpreadsheetIsCaller) {
        workspace_.Spreadsheet().FormActivate();
        workspace_.services.shell.RefreshWindow(ProgramWindow::Spreadsheet);
    }
}

void TView::SortRecordBtnClick()
{
    SortMenu = SortSelect;
}

void TView::AscendingClick()
{
    Actions.Ascending.checked = true;
    Actions.Descending.checked = false;
}

void TView::DescendingClick()
{
    Actions.Descending.checked = true;
    Actions.Ascending.checked = false;
}

}  // namespace quillmark
