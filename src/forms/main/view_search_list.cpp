// The main window's part in searching: the door to the search window, the "Search List" box
// and walking the records on the search list.

#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

void TView::SearchRecords1Click()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::Search);
}

void TView::SearchListBoxClick()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        // Ticked by hand counts as found, so the spreadsheet highlights it as such.
        record->InSearchList = SearchListBox.checked;
        record->SearchHit = SearchListBox.checked;
    }
}

void TView::NextSearchClick(bool fromSpreadsheet)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const int last = workspace_.RecordCount() - 1;
    if (workspace_.CurrentIndex >= last) {
        dialogs.ShowInformation("There are no records in the search list after this one.");
        return;
    }
    WalkSearchList(+1, fromSpreadsheet);
}

void TView::PreviousSearchClick(bool fromSpreadsheet)
{
    if (workspace_.CurrentIndex < 1 || workspace_.RecordCount() == 0) {
        workspace_.services.dialogs.ShowInformation(
            "There are no records in the search list prior to this one.");
        return;
    }
    WalkSearchList(-1, fromSpreadsheet);
}

void TView::WalkSearchList(int step, bool fromSpreadsheet)
{
    const int start = workspace_.CurrentIndex;
    if (fromSpreadsheet) {
        // What the spreadsheet changed in the record is not to be overwritten by the window.
        workspace_.SpreadsheetIsCaller = true;
        GetRecord(start);
    }
    SaveRecord(start);
    const ItemRecordList& records = workspace_.RecordList();
    const int end = step > 0 ? workspace_.RecordCount() - 1 : 0;
    int position = start + step;
    while (!records[static_cast<std::size_t>(position)]->InSearchList && position != end) {
        position += step;
    }
    if (!records[static_cast<std::size_t>(position)]->InSearchList) {
        workspace_.services.dialogs.ShowInformation(
            step > 0 ? "There are no records on the Search List after this one."
                     : "There are no records on the Search List prior to this one.");
        position = start;
    }
    workspace_.SpreadsheetIsCaller = fromSpreadsheet;
    GetRecord(position);
}

}  // namespace quillmark
