// The spreadsheet's grid: what each cell shows, which cells are edited in place, the pop-up
// menus of the others, moving and sizing columns, and printing.

#include "core/field_catalogue.h"
#include "core/record_fields.h"
#include "core/record_paths.h"
#include "core/record_status.h"
#include "forms/main/field_captions.h"
#include "forms/main/pages/picture_page.h"
#include "forms/main/view_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

namespace {

bool IsKind(const RecordField* field, FieldKind kind)
{
    return field != nullptr && field->kind == kind;
}
// Texts are typed into their cells; the other fields come from menus or the list.
bool IsTyped(const RecordField* field)
{
    return IsKind(field, FieldKind::Text);
}
bool HasMenu(const RecordField* field)
{
    return IsKind(field, FieldKind::Category) || IsKind(field, FieldKind::Status) ||
           IsKind(field, FieldKind::RecordNumber) || IsKind(field, FieldKind::Picture);
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
    const RecordField* field = FieldBySheetNumber(code);
    return field != nullptr ? WindowFieldTitle(*field, workspace_) : std::string();
}

std::string TSnapShot::ReturnFieldTitle(int position) const
{
    return CodeTitle(CodeAt(position));
}

const RecordField* TSnapShot::ColumnField(int position) const
{
    return FieldBySheetNumber(CodeAt(position));
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
    const RecordField* field = ColumnField(position);
    if (field == nullptr) {
        return {};
    }
    switch (field->kind) {
    case FieldKind::Category:
        return ShownDescriptionValue(FieldText(*field, record), workspace_.ShortDescriptions);
    case FieldKind::Text:
        return FieldText(*field, record);
    case FieldKind::Status:
        return StatusText(record);
    case FieldKind::RecordNumber:
        return std::to_string(recordNumber);
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
    return IsKind(ColumnField(column), FieldKind::Picture);
}

std::shared_ptr<const Bitmap> TSnapShot::CellPicture(int row, int column)
{
    const ItemRecord* record = RecordOfRow(row);
    const RecordField* field = ColumnField(column);
    if (record == nullptr || !IsKind(field, FieldKind::Picture)) {
        return nullptr;
    }
    const std::string& file = record->Images[PictureSlot(*field)].ImageFile;
    return file.empty() ? nullptr : pictures_.Picture(SystemPathOfRecordPath(file));
}

bool TSnapShot::CellEditable(int row, int column) const
{
    const ItemRecord* record = RecordOfRow(row);
    return record != nullptr && !record->ReadOnly && IsTyped(ColumnField(column));
}

std::string TSnapShot::EditMask(int column) const
{
    const RecordField* field = ColumnField(column);
    if (field == nullptr || field->captions != CaptionList::Detail) {
        return {};
    }
    return workspace_.Labels.DetailMasks[static_cast<std::size_t>(field->captionIndex)];
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
    const ItemRecord* record = RecordOfRow(row);
    PopupAllowed = HasMenu(ColumnField(column)) && record != nullptr && !record->ReadOnly;
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
    const RecordField* field = ColumnField(column);
    return IsTyped(field) ? FieldText(*field, record) : std::string();
}

void TSnapShot::SpreadViewSetEditText(int column, int row, const std::string& text)
{
    ItemRecord* record = RecordOfRow(row);
    if (record == nullptr || record->ReadOnly) {
        return;
    }
    workspace_.CurrentIndex = ReturnDataNumber(row);
    const RecordField* field = ColumnField(column);
    if (!IsTyped(field)) {
        return;
    }
    CommandStep step(workspace_, 0);
    step.WillChange(workspace_.CurrentIndex);
    field->text(*record) = text;
    step.Done("Changes to " + record->RecordName);
    RecordChanged();
}

const std::vector<MenuItemControl>* TSnapShot::MenuOfColumn(int column)
{
    menu_ = Menu::None;
    menuColumn_ = column;
    const RecordField* field = ColumnField(column);
    if (IsKind(field, FieldKind::Category)) {
        // The category menu as the main window builds it now, so that a choice means the same
        // entry there.
        const int description = field->captionIndex + 1;
        TView& view = workspace_.View();
        view.MakeMenu(description);
        DMenu[static_cast<std::size_t>(field->captionIndex)] = view.DescMenus[description];
        menu_ = Menu::Description;
        return &DMenu[static_cast<std::size_t>(field->captionIndex)];
    }
    if (IsKind(field, FieldKind::Status)) {
        menu_ = Menu::Status;
        return &Checkb;
    }
    if (IsKind(field, FieldKind::Picture)) {
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
    if (!PopupAllowed || SpreadView.Row == 0 ||
        IsKind(ColumnField(SpreadView.Col), FieldKind::RecordNumber)) {
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
    const RecordField* field = ColumnField(menuColumn_);
    switch (menu) {
    case Menu::Description: {
        if (!IsKind(field, FieldKind::Category)) {
            break;
        }
        // The main window stores all it shows into the record: it must show this one.
        TView& view = workspace_.View();
        view.GetRecord(workspace_.CurrentIndex);
        view.DescMenuClick(field->captionIndex + 1, itemPath);
        workspace_.services.shell.RefreshWindow(ProgramWindow::Main);
        break;
    }
    case Menu::Status:
        StatusMenuClick(itemPath.front() + 1);
        break;
    case Menu::Picture:
        if (IsKind(field, FieldKind::Picture)) {
            PictureMenuClick(PictureSlot(*field), itemPath.front());
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
    CommandStep step(workspace_, 0);
    step.WillChange(workspace_.CurrentIndex);
    record->Working = status == 1;
    record->Available = status == 2;
    record->NotAvailable = status == 3;
    step.Done("Changes to " + record->RecordName);
    RecordChanged();
}

void TSnapShot::PictureMenuClick(int slot, int entry)
{
    ItemRecord* record = workspace_.RecordOnShow();
    if (record == nullptr) {
        return;
    }
    CommandStep step(workspace_, 0);
    step.WillChange(workspace_.CurrentIndex);
    std::string& file = record->Images[slot].ImageFile;
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
    step.Done("Changes to " + record->RecordName);
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
