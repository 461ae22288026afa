// The main window's sorting: the "Sort Records" menu, its tool button and "Sort Mode".

#include "core/pay_period.h"
#include "engine/record_sorting.h"
#include "forms/main/view_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

namespace quillmark {

namespace {

// The 34 entries of "Sort Records", each tagged with the sort key it sorts by, with the
// database's current captions; nameCaption is the caption of the name field.
std::vector<MenuItemControl> SortRecordsEntries(const Database& database,
                                                const std::string& nameCaption)
{
    std::vector<MenuItemControl> entries;
    entries.reserve(34);
    auto add = [&entries](std::string caption, int key) {
        entries.push_back({std::move(caption), key, true, {}});
    };
    for (int field = 0; field < 10; ++field) {
        add("Sort by " + database.DescriptionCaptions[static_cast<std::size_t>(field)], field + 1);
    }
    for (int field = 0; field < 10; ++field) {
        add("Sort by " + database.DetailCaptions[static_cast<std::size_t>(field)], field + 11);
    }
    // Entry 21 repeats entry 20: it sorts by the last detail field, and says so.
    add("Sort by " + database.DetailCaptions[9], 20);
    for (int field = 0; field < OtherFieldCount; ++field) {
        add("Sory by " + database.OtherCaptions[static_cast<std::size_t>(field)], field + 21);
    }
    add("Sort by " + nameCaption, 27);
    int salaryKey = 28;
    for (const char* period : PayPeriodNames) {
        add(std::string("Sort by ") + period + " Salary", salaryKey++);
    }
    return entries;
}

}  // namespace

void TView::MakeSortMenu()
{
    SortSelect = SortRecordsEntries(workspace_.database, RecordTitle.caption);
}

void TView::SortSelectClick(int entry)
{
    if (entry < 1 || entry > static_cast<int>(SortSelect.size())) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    workspace_.ChangeFlag = true;
    workspace_.SortMode = SortKey{SortSelect[static_cast<std::size_t>(entry - 1)].tag};
    {
        const BusyWork busy(workspace_.services.shell, "Sorting records ...");
        DoSort(workspace_.RecordList(), workspace_.SortMode, Actions.Ascending.checked);
    }
    // The position stays: whichever record now stands there is shown.
    GetRecord(workspace_.CurrentIndex);
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
