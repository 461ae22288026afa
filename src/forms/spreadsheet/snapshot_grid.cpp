// The spreadsheet's grid: what each cell shows, which cells are edited in place, the pop-up
// menus of the others, moving and sizing columns, and printing.

#include "core/field_catalogue.h"
#include "core/record_paths.h"
#include "core/record_status.h"
#include "forms/main/pages/picture_page.h"
#include "forms/main/view_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

namespace {

// Columns by ReturnIndex.
constexpr int LastDescription = 9;
constexpr int FirstDetail = 10;
constexpr int LastDetail = 19;
constexpr int StatusColumn = 20;
constexpr int RecordNumberColumn = 21;
constexpr int NameColumn = 22;
constexpr int FirstPicture = 23;
constexpr int LastPicture = 28;
constexpr int FirstOther = 30;
constexpr int LastOther = 35;

bool IsDescription(int index)
{
    return index >= 0 && index <= LastDescription;
}
bool IsDetail(int index)
{
    return index >= FirstDetail && index <= LastDetail;
}
bool IsPicture(int index)
{
    return index >= FirstPicture && index <= LastPicture;
}
bool IsOther(int index)
{
    return index >= FirstOther && index <= LastOther;
}
// Details, the name and the other fields are typed; the rest come from menus or the list.
bool IsTyped(int index)
{
    return IsDetail(index) || index == NameColumn || IsOther(index);
}

// The grid as it goes to the printer: the header row, then the rows of records.
class SpreadViewPrintout : public PrintableGrid {
public:
    explicit SpreadViewPrintout(const TSnapShot& sheet) : sheet_(sheet) {}
    int ColumnCount() const override { return sheet_.SpreadView.ColCount; }
    int RowCount() const override { return sheet_.SpreadView.RowCount - 1; }
    std::string HeaderText(int column) const override { return sheet_.CellText(0, column); }
    int ColumnWidth(int column) const override
    {
        return sheet_.SpreadView.ColWidths[static_cast<std::size_t>(column)];
    }
    std::string CellText(int row, int column) const override
    {
        return sheet_.CellText(row + 1, column);
    }
    std::string BusyText() const override { return "Printing ..."; }

private:
    const TSnapShot& sheet_;
};

}  // namespace

// ---- columns and cells ----

int TSnapShot::CodeAt(int position) const
{
    if (position < 0 || position >= SpreadsheetColumnCount) {
        return UnusedColumn;
    }
    return workspace_.SpreadsheetColumns.FieldNumbers[static_cast<std::size_t>(position)];
}

std::string TSnapShot::CodeTitle(int code) const
{
    if (code == 210) {
        return workspace_.Labels.Status;
    }
    if (code == 230) {
        return workspace_.Labels.Name;
    }
    return FieldTitle(code, FieldNumbering::Spreadsheet, workspace_.database);
}

std::string TSnapShot::ReturnFieldTitle(int position) const
{
    return CodeTitle(CodeAt(position));
}

int TSnapShot::ReturnIndex(int position) const
{
    const int code = CodeAt(position);
    if (code < FirstFieldNumber || code > LastFieldNumber || code % 10 != 0) {
        return -1;
    }
    return code <= 290 ? code / 10 - 1 : code / 10;
}

std::string TSnapShot::StatusText(const ItemRecord& record) const
{
    const std::optional<RecordStatus> status = ShownStatus(record);
    return status ? workspace_.Labels.StatusNames[static_cast<std::size_t>(*status) - 1]
                  : std::string();
}

std::string TSnapShot::ReturnFieldValue(const ItemRecord& record, int position,
                                        int recordNumber) const
{
    const int index = ReturnIndex(position);
    if (IsDescription(index)) {
        return ShownDescriptionValue(record.Desc[index + 1], workspace_.ShortDescriptions);
    }
    if (IsDetail(index)) {
        return record.Detail[static_cast<std::size_t>(index - FirstDetail)];
    }
    if (IsOther(index)) {
        return record.Other[index - FirstOther + 1];
    }
    switch (index) {
    case StatusColumn:
        return StatusText(record);
    case RecordNumberColumn:
        return std::to_string(recordNumber);
    case NameColumn:
        return record.RecordName;
    default:
        return {};  // pictures are drawn, not written
    }
}

int TSnapShot::ReturnDataNumber(int row) const
{
    if (row < 1 || row > static_cast<int>(rowRecords_.size())) {
        return -1;
    }
    const int position = rowRecords_[static_cast<std::size_t>(row - 1)];
    // The main window may have removed, added or sorted records since the last fill: a row
    // then names no record rather than another one.
    if (!workspace_.IsValidPosition(position) ||
        workspace_.RecordList()[static_cast<std::size_t>(position)]->SheetRow != row) {
        return -1;
    }
    return position;
}

ItemRecord* TSnapShot::RecordOfRow(int row) const
{
    const int position = ReturnDataNumber(row);
    return position < 0 ? nullptr
                        : workspace_.RecordList()[static_cast<std::size_t>(position)].get();
}

std::string TSnapShot::CellText(int row, int column) const
{
    if (row == 0) {
        return ReturnFieldTitle(column);
    }
    const int position = ReturnDataNumber(row);
    if (position < 0) {
        return {};
    }
    return ReturnFieldValue(*workspace_.RecordList()[static_cast<std::size_t>(position)], column,
                            position + 1);
}

std::optional<RgbColour> TSnapShot::CellColour(int row) const
{
    const ItemRecord* record = RecordOfRow(row);
    if (!Hbox.checked || record == nullptr) {
        return std::nullopt;
    }
    if (!record->InSearchList) {
        return Aqua;
    }
    return record->SearchHit ? Green : Yellow;
}

bool TSnapShot::IsPictureColumn(int column) const
{
    return IsPicture(ReturnIndex(column));
}

std::shared_ptr<const Bitmap> TSnapShot::CellPicture(int row, int column)
{
    const ItemRecord* record = RecordOfRow(row);
    const int index = ReturnIndex(column);
    if (record == nullptr || !IsPicture(index)) {
        return nullptr;
    }
    const std::string& file = record->Images[index - FirstPicture + 1].ImageFile;
    return file.empty() ? nullptr : pictures_.Picture(SystemPathOfRecordPath(file));
}

bool TSnapShot::CellEditable(int row, int column) const
{
    const ItemRecord* record = RecordOfRow(row);
    return record != nullptr && !record->ReadOnly && IsTyped(ReturnIndex(column));
}

std::string TSnapShot::EditMask(int column) const
{
    const int index = ReturnIndex(column);
    if (!IsDetail(index)) {
        return {};
    }
    return workspace_.Labels.DetailMasks[static_cast<std::size_t>(index - FirstDetail)];
}

// ---- the grid's events ----

void TSnapShot::SpreadViewSelectCell(int column, int row)
{
    if (row < 0 || column < 0 || column >= SpreadView.ColCount) {
        return;
    }
    SpreadView.Row = row;
    SpreadView.Col = column;
    if (const int position = ReturnDataNumber(row); position >= 0) {
        workspace_.CurrentIndex = position;
        number.text = std::to_string(position + 1);
    }
    SelectedRow = row;
    const int index = ReturnIndex(column);
    const ItemRecord* record = RecordOfRow(row);
    PopupAllowed = (IsDescription(index) || index == StatusColumn || index == RecordNumberColumn ||
                    IsPicture(index)) &&
                   record != nullptr && !record->ReadOnly;
    RecordChanged();
}

// The main window shows the current record as it now is.
void TSnapShot::RecordChanged()
{
    if (workspace_.IsValidPosition(workspace_.CurrentIndex)) {
        workspace_.View().GetRecord(workspace_.CurrentIndex);
        workspace_.services.shell.RefreshWindow(ProgramWindow::Main);
    }
}

std::string TSnapShot::SpreadViewGetEditText(int column, int row)
{
    const int position = ReturnDataNumber(row);
    if (position < 0) {
        return {};
    }
    workspace_.CurrentIndex = position;
    number.text = std::to_string(position + 1);
    const ItemRecord& record = *workspace_.RecordList()[static_cast<std::size_t>(position)];
    const int index = ReturnIndex(column);
    if (IsDetail(index)) {
        return record.Detail[static_cast<std::size_t>(index - FirstDetail)];
    }
    if (IsOther(index)) {
        return record.Other[index - FirstOther + 1];
    }
    return index == NameColumn ? record.RecordName : std::string();
}

void TSnapShot::SpreadViewSetEditText(int column, int row, const std::string& text)
{
    ItemRecord* record = RecordOfRow(row);
    if (record == nullptr || record->ReadOnly) {
        return;
    }
    workspace_.CurrentIndex = ReturnDataNumber(row);
    const int index = ReturnIndex(column);
    if (IsDetail(index)) {
        record->Detail[static_cast<std::size_t>(index - FirstDetail)] = text;
    } else if (IsOther(index)) {
        record->Other[index - FirstOther + 1] = text;
    } else if (index == NameColumn) {
        record->RecordName = text;
    } else {
        return;
    }
    RecordChanged();
}

const std::vector<MenuItemControl>* TSnapShot::MenuOfColumn(int column)
{
    menu_ = Menu::None;
    menuColumn_ = column;
    const int index = ReturnIndex(column);
    if (IsDescription(index)) {
        // The category menu as the main window builds it now, so that a choice means the same
        // entry there.
        TView& view = workspace_.View();
        view.MakeMenu(index + 1);
        DMenu[static_cast<std::size_t>(index)] = view.DescMenus[index + 1];
        menu_ = Menu::Description;
        return &DMenu[static_cast<std::size_t>(index)];
    }
    if (index == StatusColumn) {
        menu_ = Menu::Status;
        return &Checkb;
    }
    if (IsPicture(index)) {
        menu_ = Menu::Picture;
        return &PictureMenu;
    }
    return nullptr;
}

const std::vector<MenuItemControl>* TSnapShot::SpreadViewMouseDown(int column, int row,
                                                                   bool rightButton)
{
    // The left button selects the cell through the grid itself.
    if (!rightButton || row < 1) {
        return nullptr;
    }
    // The cell under the pointer is selected first, so that its own column and record decide
    // whether it has a menu.
    SpreadViewSelectCell(column, row);
    if (!PopupAllowed || RecordOfRow(row) == nullptr) {
        return nullptr;
    }
    PopupRow = row;
    return MenuOfColumn(column);
}

const std::vector<MenuItemControl>* TSnapShot::SpreadViewKeyDown()
{
    if (!PopupAllowed || SpreadView.Row == 0 || ReturnIndex(SpreadView.Col) == RecordNumberColumn) {
        return nullptr;
    }
    PopupRow = SpreadView.Row;
    return MenuOfColumn(SpreadView.Col);
}

void TSnapShot::PopupMenuClick(const std::vector<int>& itemPath)
{
    const Menu menu = std::exchange(menu_, Menu::None);
    ItemRecord* record = RecordOfRow(PopupRow);
    if (itemPath.empty() || itemPath.front() < 0 || record == nullptr || record->ReadOnly) {
        return;
    }
    workspace_.CurrentIndex = ReturnDataNumber(PopupRow);
    const int index = ReturnIndex(menuColumn_);
    switch (menu) {
    case Menu::Description: {
        // The main window stores all it shows into the record: it must show this one.
        TView& view = workspace_.View();
        view.GetRecord(workspace_.CurrentIndex);
        view.DescMenuClick(index + 1, itemPath);
        workspace_.services.shell.RefreshWindow(ProgramWindow::Main);
        break;
    }
    case Menu::Status:
        StatusMenuClick(itemPath.front() + 1);
        break;
    case Menu::Picture:
        if (IsPicture(index)) {
            PictureMenuClick(itemPath.front());
        }
        break;
    case Menu::None:
        break;
    }
}

void TSnapShot::StatusMenuClick(int status)
{
    ItemRecord* record = workspace_.RecordOnShow();
    if (record == nullptr || status < 1 || status > 3) {
        return;
    }
    record->Working = status == 1;
    record->Available = status == 2;
    record->NotAvailable = status == 3;
    DescriptionPage& page = workspace_.View().Description;
    page.CheckBox1.checked = record->Working;
    page.CheckBox2.checked = record->Available;
    page.CheckBox3.checked = record->NotAvailable;
    workspace_.services.shell.RefreshWindow(ProgramWindow::Main);
}

void TSnapShot::PictureMenuClick(int entry)
{
    ItemRecord* record = workspace_.RecordOnShow();
    if (record == nullptr) {
        return;
    }
    std::string& file = record->Images[ReturnIndex(menuColumn_) - FirstPicture + 1].ImageFile;
    if (entry == 0) {
        FileDialogRequest request{"Open", PicturePage::PictureFilter, ""};
        request.initialFile = SystemPathOfRecordPath(file);
        if (const std::optional<std::string> chosen =
                workspace_.services.dialogs.OpenFileDialog(request)) {
            file = RecordPathFromSystem(*chosen);
        }
    } else if (entry == 1) {
        file.clear();
        RowHeightReset = PopupRow;
    } else {
        return;
    }
    // The main window's picture page would otherwise store its old file back into the slot.
    RecordChanged();
}

void TSnapShot::SpreadViewColumnMoved(int from, int to)
{
    const int count = std::min(SpreadView.ColCount, SpreadsheetColumnCount);
    if (from == to || from < 0 || to < 0 || from >= count || to >= count) {
        return;
    }
    const auto rotate = [from, to](auto& items) {
        const auto first = items.begin();
        if (from < to) {
            std::rotate(first + from, first + from + 1, first + to + 1);
        } else {
            std::rotate(first + to, first + from, first + from + 1);
        }
    };
    rotate(workspace_.SpreadsheetColumns.FieldNumbers);
    rotate(SpreadView.ColWidths);
    // The current cell stays with its column.
    int& current = SpreadView.Col;
    if (current == from) {
        current = to;
    } else if (from < current && current <= to) {
        --current;
    } else if (to <= current && current < from) {
        ++current;
    }
    FillView();
}

void TSnapShot::SpreadViewColumnResized(int column, int width)
{
    if (column >= 0 && column < static_cast<int>(SpreadView.ColWidths.size()) && width > 0) {
        SpreadView.ColWidths[static_cast<std::size_t>(column)] = width;
    }
}

void TSnapShot::SpreadViewDblClick()
{
    if (SpreadView.Row != 0) {
        workspace_.services.shell.ShowWindow(ProgramWindow::Main);
    }
}

// ---- printing ----

void TSnapShot::PrintMenuClick(int entry)
{
    // Landscape, as a spreadsheet is wide; columns that do not fit go on to pages across.
    const GridPageSetup setup{true};
    Shell& shell = workspace_.services.shell;
    if (entry == 0) {
        shell.ShowGridPrintSettings(GridName, setup);
    } else if (entry == 1) {
        shell.PrintGrid(GridName, setup, SpreadViewPrintout(*this));
    }
}

}  // namespace quillmark
