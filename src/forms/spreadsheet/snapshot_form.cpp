// The spreadsheet window: its tool bar, coming and going, filling the grid, the browse panel
// and the boxes around the grid. The grid's cells and events are in snapshot_grid.cpp.

#include "forms/spreadsheet/snapshot_form.h"

#include "core/field_catalogue.h"
#include "core/program_settings.h"
#include "core/record_fields.h"
#include "core/record_status.h"
#include "core/whole_number.h"
#include "forms/main/field_captions.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/select_spreadsheet_form.h"
#include "forms/workspace.h"

#include <algorithm>
#include <unordered_set>

namespace quillmark {

namespace {

constexpr const char* FillingText = "Filling the spreadsheet ...";

// The top category of a description value, which is stored leaf first.
std::string PrimaryCategory(const std::string& value)
{
    const std::size_t colon = value.rfind(':');
    if (colon == std::string::npos) {
        return value;
    }
    std::string primary = value.substr(colon + 1);
    if (!primary.empty() && primary.front() == ' ') {
        primary.erase(0, 1);
    }
    return primary;
}

}  // namespace

TSnapShot::TSnapShot(Workspace& workspace)
    : Actions(workspace, ProgramWindow::Spreadsheet, "Spreadsheet View",
              "Close Spreadsheet Window"),
      workspace_(workspace)
{
    SelectFieldsTBtn =
        ToolButton("SelectFieldsTBtn", "Select Spreadsheet Fields", "view-list-details");
    NextSearchTBtn = ToolButton("NextSearchTBtn", "Next Record on Search List", "go-down");
    const SpreadsheetWindowSize size = ReadSpreadsheetWindowSize(workspace.settings);
    Width = size.size.width;
    Height = size.size.height;
    BrowsePanelWidth = size.splitter;
    ViewFields.readOnly = true;
    ViewFields.hint = "Click to Change";
    Status.readOnly = true;
    number.hint = "Enter the record you want to go to here ";
    ViewAll.checked = true;
    Checkb = MenuEntries(RecordStatusNames);
    PictureMenu = MenuEntries({"Select Image", "Clear Image"});
    PrintMenu = MenuEntries({"Print Settings", "Print"});
}

// ---- the window comes and goes ----

void TSnapShot::FormActivate()
{
    const SpreadsheetMode mode = workspace_.SpreadsheetMode;
    SetMode(mode);
    if (mode == SpreadsheetMode::SearchList) {
        std::string& message = workspace_.Search().SearchResultMessage;
        Status.text = message.empty() ? "Search List Records" : std::exchange(message, {});
    } else {
        // "All Records" would misname the rows while a browse value picks them.
        Status.text = mode == SpreadsheetMode::Selected ? "Selected Records" : "All Records";
    }
    number.text = std::to_string(workspace_.CurrentIndex + 1);

    TView& view = workspace_.View();
    for (std::size_t status = 0; status < Checkb.size(); ++status) {
        Checkb[status].caption = workspace_.Labels.StatusNames[status];
    }
    for (int field = 1; field <= 10; ++field) {
        view.MakeMenu(field);
        DMenu[static_cast<std::size_t>(field - 1)] = view.DescMenus[field];
    }

    std::optional<std::string> picked;
    if (BrowseViewIndex >= 0 && BrowseViewIndex < static_cast<int>(BrowseView.size())) {
        picked = BrowseView[static_cast<std::size_t>(BrowseViewIndex)].caption;
    }
    FillBrowseByEntries();
    FillBrowseBy();
    for (std::size_t item = 0; item < BrowseView.size(); ++item) {
        if (picked && BrowseView[item].caption == *picked) {
            BrowseView[item].stateIndex = 0;
            BrowseViewIndex = static_cast<int>(item);
        }
    }
    FillSpreadsheet();
    Actions.CopySaveState();
}

void TSnapShot::Undo1Click()
{
    workspace_.Undo();
}

void TSnapShot::Redo1Click()
{
    workspace_.Redo();
}

void TSnapShot::FormDeactivate()
{
    ColumnLayout& columns = workspace_.SpreadsheetColumns;
    for (int column = 0; column < SpreadsheetColumnCount; ++column) {
        columns.Widths[static_cast<std::size_t>(column)] =
            column < static_cast<int>(SpreadView.ColWidths.size())
                ? SpreadView.ColWidths[static_cast<std::size_t>(column)]
                : DefaultColWidth;
    }
    try {
        WriteSpreadsheetWindowSize(workspace_.settings, {{Width, Height}, BrowsePanelWidth});
    } catch (const WriteError&) {
        // The size is a convenience; the main window reports a settings file it cannot write.
    }
}

// ---- filling ----

void TSnapShot::FillBrowseByEntries()
{
    BrowseBy.items.clear();
    browseFields_.clear();
    const auto add = [this](std::string caption, const RecordField& field, bool primary) {
        BrowseBy.items.push_back(std::move(caption));
        browseFields_.push_back({&field, primary});
    };
    // The descriptions by their top category and whole, then the details and the status.
    for (const char* word : {"Primary", "Complete"}) {
        for (const RecordField& field : RecordFields()) {
            if (field.kind == FieldKind::Category) {
                add(std::string(word) + " \"" + WindowFieldTitle(field, workspace_) + "\" Category",
                    field, word[0] == 'P');
            }
        }
    }
    for (const RecordField& field : RecordFields()) {
        if (field.captions == CaptionList::Detail || field.kind == FieldKind::Status) {
            add(WindowFieldTitle(field, workspace_), field, false);
        }
    }
}

std::optional<std::string> TSnapShot::ReturnBrowseValue(const ItemRecord& record) const
{
    const auto entry = std::find(BrowseBy.items.begin(), BrowseBy.items.end(), BrowseBy.text);
    if (entry == BrowseBy.items.end()) {
        return std::nullopt;
    }
    const BrowseField& browsed =
        browseFields_[static_cast<std::size_t>(entry - BrowseBy.items.begin())];
    if (browsed.field->kind == FieldKind::Status) {
        return StatusText(record);
    }
    const std::string& value = FieldText(*browsed.field, record);
    return browsed.primary ? PrimaryCategory(value) : value;
}

void TSnapShot::FillBrowseBy()
{
    BrowseView.clear();
    BrowseViewIndex = -1;
    ++BrowseFillCount;
    std::unordered_set<std::string> seen;
    for (const auto& record : workspace_.RecordList()) {
        std::optional<std::string> value = ReturnBrowseValue(*record);
        if (!value) {
            return;  // no field to browse
        }
        if (!value->empty() && seen.insert(*value).second) {
            BrowseView.push_back({std::move(*value), 1});
        }
    }
}

void TSnapShot::FillView()
{
    std::string titles;
    for (int column = 0; column < SpreadView.ColCount; ++column) {
        if (column > 0) {
            titles += '+';
        }
        titles += ReturnFieldTitle(column);
    }
    ViewFields.text = titles;
}

void TSnapShot::FillSpreadsheet()
{
    ItemRecordList& records = workspace_.RecordList();
    if (workspace_.CurrentIndex == -1 && !records.empty()) {
        workspace_.CurrentIndex = 0;
    }
    const SpreadsheetMode mode = workspace_.SpreadsheetMode;
    if (mode == SpreadsheetMode::Selected) {
        const BrowseItem* picked =
            BrowseViewIndex >= 0 && BrowseViewIndex < static_cast<int>(BrowseView.size())
                ? &BrowseView[static_cast<std::size_t>(BrowseViewIndex)]
                : nullptr;
        for (const auto& record : records) {
            record->Marked = picked != nullptr && ReturnBrowseValue(*record) == picked->caption;
        }
    }

    // Every column takes the width it was given last, so that widths survive a restart.
    int last = -1;
    for (int position = 0; position < SpreadsheetColumnCount; ++position) {
        if (CodeAt(position) > UnusedColumn) {
            last = position;
        }
    }
    SpreadView.ColCount = last < 0 ? 2 : last + 1;
    SpreadView.ColWidths.resize(static_cast<std::size_t>(SpreadView.ColCount));
    for (int column = 0; column < SpreadView.ColCount; ++column) {
        SpreadView.ColWidths[static_cast<std::size_t>(column)] =
            workspace_.SpreadsheetColumns.Widths[static_cast<std::size_t>(column)];
    }
    SpreadView.Col = std::clamp(SpreadView.Col, 0, SpreadView.ColCount - 1);
    FillView();

    rowRecords_.clear();
    for (std::size_t position = 0; position < records.size(); ++position) {
        ItemRecord& record = *records[position];
        record.SheetRow = -1;
        const bool shown = mode == SpreadsheetMode::AllRecords ||
                           (mode == SpreadsheetMode::SearchList && record.InSearchList) ||
                           (mode == SpreadsheetMode::Selected && record.Marked);
        if (shown) {
            rowRecords_.push_back(static_cast<int>(position));
            record.SheetRow = static_cast<int>(rowRecords_.size());
        }
    }
    SpreadView.RowCount = static_cast<int>(rowRecords_.size()) + 1;
    SpreadView.Silver = rowRecords_.empty();
    if (rowRecords_.empty()) {
        Status.text =
            mode == SpreadsheetMode::Selected ? "No Records are Selected" : "Search List Empty";
        SpreadView.Row = 0;
    }
    // Files may have changed since they were last drawn.
    pictures_.Clear();
    ++FillCount;
    SelectCurrentRecord();
}

// The record on show keeps its row; when it is not shown, the first row is taken instead.
void TSnapShot::SelectCurrentRecord()
{
    if (rowRecords_.empty()) {
        return;
    }
    int row = 1;
    if (const ItemRecord* record = workspace_.RecordOnShow(); record && record->SheetRow > 0) {
        row = record->SheetRow;
    }
    SpreadViewSelectCell(SpreadView.Col, row);
}

void TSnapShot::SetMode(SpreadsheetMode mode)
{
    workspace_.SpreadsheetMode = mode;
    ViewAll.checked = mode == SpreadsheetMode::AllRecords;
    ViewSearched.checked = mode == SpreadsheetMode::SearchList;
    ViewSelected.checked = mode == SpreadsheetMode::Selected;
}

// ---- the boxes and buttons around the grid ----

void TSnapShot::ViewFieldsClick()
{
    std::vector<std::string> titles;
    for (const RecordField* field : FieldsNumberedBy(&RecordField::sheetNumber)) {
        titles.push_back(WindowFieldTitle(*field, workspace_));
    }
    ColumnLayout& columns = workspace_.SpreadsheetColumns;
    {
        TSelectSpreadsheetForm chooser(titles, columns.FieldNumbers);
        workspace_.services.shell.RunDialog(chooser);
        if (chooser.Accepted) {
            columns.FieldNumbers = chooser.Chosen;
        }
    }
    FormActivate();
}

void TSnapShot::numberEnter()
{
    const std::optional<int> typed = ReadTypedNumber(number.text);
    if (!typed) {
        workspace_.services.dialogs.ShowInformation(
            "You have entered an invalid number, please try again");
        return;
    }
    const long long last = std::max(workspace_.RecordCount() - 1, 0);
    workspace_.CurrentIndex =
        static_cast<int>(std::clamp(static_cast<long long>(*typed) - 1, 0LL, last));
    number.text = std::to_string(workspace_.CurrentIndex + 1);
    const BusyWork busy(workspace_.services.shell, FillingText);
    FormActivate();
}

// Each view walks every record of the database: long on a large one.
void TSnapShot::ViewAllClick()
{
    const BusyWork busy(workspace_.services.shell, FillingText);
    SetMode(SpreadsheetMode::AllRecords);
    Status.text = "All Records";
    BrowseView.clear();
    BrowseViewIndex = -1;
    ++BrowseFillCount;
    FormActivate();
}

void TSnapShot::ViewSearchedClick()
{
    const BusyWork busy(workspace_.services.shell, FillingText);
    SetMode(SpreadsheetMode::SearchList);
    BrowseView.clear();
    BrowseViewIndex = -1;
    ++BrowseFillCount;
    FormActivate();
}

void TSnapShot::ViewSelectedClick()
{
    const BusyWork busy(workspace_.services.shell, FillingText);
    SetMode(SpreadsheetMode::Selected);
    Status.text = "Selected Records";
    FillBrowseBy();
    FillSpreadsheet();
}

void TSnapShot::BrowseByChange()
{
    ViewSelectedClick();
}

void TSnapShot::BrowseViewClick(int item)
{
    if (item < 0 || item >= static_cast<int>(BrowseView.size())) {
        return;
    }
    for (BrowseItem& value : BrowseView) {
        value.stateIndex = 1;
    }
    BrowseView[static_cast<std::size_t>(item)].stateIndex = 0;
    BrowseViewIndex = item;
    // Picking a value shows the records that have it, whichever rows were shown before.
    SetMode(SpreadsheetMode::Selected);
    Status.text = "Selected Records";
    FillSpreadsheet();
}

// ---- tool bar ----

void TSnapShot::NextSearchTBtnClick()
{
    workspace_.View().NextSearchClick(true);
    FormActivate();
}

}  // namespace quillmark
