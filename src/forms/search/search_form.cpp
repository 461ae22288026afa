#include "forms/search/search_form.h"

#include "core/byte_stream.h"
#include "core/pay_period.h"
#include "core/program_settings.h"
#include "core/record_fields.h"
#include "core/record_status.h"
#include "engine/search/search_run.h"
#include "forms/category_menus.h"
#include "forms/main/field_captions.h"
#include "forms/search/select_range_form.h"
#include "forms/search/select_schedule_form.h"
#include "forms/search/select_skills_form.h"
#include "forms/view_tool_bar.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

TSearch::TSearch(Workspace& workspace)
    : Actions(workspace, ProgramWindow::Search, "Search Function", "Close Search Window"),
      workspace_(workspace)
{
    LoadSearchBtn = ToolButton("LoadSearchBtn", "Load Search From Disk", "document-open");
    SaveSearchBtn = ToolButton("SaveSearchBtn", "Save Search To Disk", "document-save-as");
    Extract = ToolButton("Extract", "Save search list records to new file.", "document-export");
    Extract.enabled = false;
    // The window's own files from the keyboard too.
    LoadSearchBtn.shortcut = "Ctrl+O";
    SaveSearchBtn.shortcut = "Ctrl+S";
    const WindowSize size =
        ReadWindowSize(workspace.settings, "SearchW:", "SearchH:", DefaultSearchSize);
    Width = size.width;
    Height = size.height;
    GridRows.push_back({});
    FreeAllSlots(SearchTerms);
    TypeMenu = MenuEntries({IncludesText, DoesNotIncludeText});
    // The salary-type menu has always left out the daily period.
    SalaryMenu = MenuEntries({PayPeriodName(PayPeriod::Hourly), PayPeriodName(PayPeriod::Weekly),
                              PayPeriodName(PayPeriod::BiMonthly),
                              PayPeriodName(PayPeriod::Monthly), PayPeriodName(PayPeriod::Yearly)});
    StatusMenu = MenuEntries(RecordStatusNames);
    // The entry that deletes records comes last, apart from the harmless one.
    ExtractType = MenuEntries({"Extract To File", nullptr, "Remove From Database"});
    PrintMenu = MenuEntries({"Print Settings", "Print"});
    BuildFieldMenu();
}

// ---- the window comes and goes ----

void TSearch::RecordsChanged()
{
    HighRange.maximum = std::max(1, workspace_.RecordCount());
    HighRange.value = std::min(HighRange.value, HighRange.maximum);
    LowRange.maximum = HighRange.maximum;
    LowRange.value = std::min(LowRange.value, LowRange.maximum);
    SetExtractState();
}

void TSearch::Undo1Click()
{
    workspace_.Undo();
}

void TSearch::Redo1Click()
{
    workspace_.Redo();
}

void TSearch::FormActivate()
{
    RecordsChanged();
    if (workspace_.ChangeFlag) {
        BuildCategoryMenus();
        workspace_.ExtractMode = false;
    }
    BuildFieldMenu();
    SetFieldMenuEnableState();
    for (std::size_t status = 0; status < StatusMenu.size(); ++status) {
        StatusMenu[status].caption = workspace_.Labels.StatusNames[status];
    }
    Actions.CopySaveState();
}

void TSearch::FormDeactivate()
{
    try {
        WriteWindowSize(workspace_.settings, "SearchW:", "SearchH:", {Width, Height});
    } catch (const WriteError&) {
        // The size is a convenience; the main window reports a settings file it cannot write.
    }
}

void TSearch::BuildFieldMenu()
{
    FieldMenu.clear();
    FieldMenu.push_back({"REMOVE SEARCH TERM", SearchFieldTag::RemoveTerm, true, {}});
    for (const RecordField& field : RecordFields()) {
        if (field.searchTag != NotNumbered) {
            FieldMenu.push_back({WindowFieldTitle(field, workspace_), field.searchTag, true, {}});
        }
    }
}

void TSearch::BuildCategoryMenus()
{
    for (int field = 1; field <= 10; ++field) {
        SearchMenus[field] =
            CategoryEntries(field, workspace_.database.DescriptionTrees[field], true);
    }
}

void TSearch::SetFieldMenuEnableState()
{
    for (MenuItemControl& entry : FieldMenu) {
        entry.enabled = true;
    }
    for (const SearchTermRow& row : GridRows) {
        if (!HoldsTerm(row.Slot)) {
            continue;
        }
        const int tag = SearchTerms[row.Slot].FieldTag;
        if (SearchFieldTag::MayRepeat(tag)) {
            continue;
        }
        for (MenuItemControl& entry : FieldMenu) {
            if (entry.tag == tag) {
                entry.enabled = false;
            }
        }
    }
}

std::string TSearch::FieldCaption(int tag) const
{
    for (const MenuItemControl& entry : FieldMenu) {
        if (entry.tag == tag) {
            return entry.caption;
        }
    }
    return {};
}

// ---- term entry ----

void TSearch::SearchGridSelectCell(int row, int column)
{
    if (row >= 0 && row < static_cast<int>(GridRows.size()) && column >= FieldColumn &&
        column <= ValueColumn) {
        GridRow = row;
        GridColumn = column;
    }
}

SearchRecord* TSearch::CurrentTerm()
{
    const int slot = CurrentRow().Slot;
    return HoldsTerm(slot) ? &SearchTerms[slot] : nullptr;
}

const std::vector<MenuItemControl>* TSearch::OpenChooser()
{
    chooser_ = Chooser::None;
    if (GridColumn == FieldColumn) {
        chooser_ = Chooser::Field;
        return &FieldMenu;
    }
    if (GridColumn == TypeColumn) {
        chooser_ = Chooser::Type;
        return &TypeMenu;
    }
    const SearchRecord* term = CurrentTerm();
    if (term == nullptr) {
        return nullptr;
    }
    const RecordField* field = FieldBySearchTag(term->FieldTag);
    if (field == nullptr) {
        return nullptr;
    }
    switch (field->kind) {
    case FieldKind::Category:
        chooser_ = Chooser::Category;
        chooserField_ = field->captionIndex + 1;
        return &SearchMenus[chooserField_];
    case FieldKind::Status:
        chooser_ = Chooser::Status;
        return &StatusMenu;
    case FieldKind::PayPeriod:
        chooser_ = Chooser::Salary;
        return &SalaryMenu;
    case FieldKind::Schedule:
        ChooseSchedule();
        break;
    case FieldKind::Skills:
        ChooseSkill();
        break;
    case FieldKind::Text:
        if (field->captions == CaptionList::Detail) {
            const auto detail = static_cast<std::size_t>(field->captionIndex);
            ChooseRange(field->Has(MaskedRange) ? workspace_.Labels.DetailMasks[detail]
                                                : std::string());
        } else if (field->Has(Amount)) {
            ChooseRange({});
        }
        break;
    case FieldKind::Lines:
    case FieldKind::Experience:
    case FieldKind::RecordNumber:
    case FieldKind::Picture:
        break;  // typed in the grid; record numbers and pictures are not searched
    }
    return nullptr;
}

void TSearch::ChooserClick(const std::vector<int>& itemPath)
{
    const Chooser chooser = std::exchange(chooser_, Chooser::None);
    if (itemPath.empty() || itemPath.front() < 0) {
        return;
    }
    const auto entry = static_cast<std::size_t>(itemPath.front());
    switch (chooser) {
    case Chooser::Field:
        if (entry < FieldMenu.size() && FieldMenu[entry].enabled) {
            SelectField(FieldMenu[entry]);
        }
        break;
    case Chooser::Type:
        if (entry < TypeMenu.size()) {
            SelectType(entry == 0 ? IncludesInclusion : DoesNotIncludeInclusion);
        }
        break;
    case Chooser::Category:
        if (const std::string value = CategoryValueAt(SearchMenus[chooserField_], itemPath);
            !value.empty()) {
            SetValue(value, {}, value);
        }
        break;
    case Chooser::Status:
        if (entry < StatusMenu.size()) {
            SetValue(StatusMenu[entry].caption, {}, StatusMenu[entry].caption);
        }
        break;
    case Chooser::Salary:
        if (entry < SalaryMenu.size()) {
            SetValue(SalaryMenu[entry].caption, {}, SalaryMenu[entry].caption);
        }
        break;
    case Chooser::None:
        break;
    }
}

void TSearch::SelectField(const MenuItemControl& entry)
{
    if (entry.tag == SearchFieldTag::RemoveTerm) {
        RemoveTerm();
        return;
    }
    SearchTermRow& row = CurrentRow();
    if (!HoldsTerm(row.Slot)) {
        row.Slot = LowestFreeSlot(SearchTerms);
    }
    SearchRecord& term = SearchTerms[row.Slot];
    term.FieldTag = entry.tag;
    term.FromValue.clear();
    term.ToValue.clear();
    row.Field = entry.caption;
    if (row.Type.empty()) {
        row.Type = IncludesText;
    }
    // A type chosen before the field is the term's type from the start.
    term.Inclusion = row.Type == DoesNotIncludeText ? DoesNotIncludeInclusion : IncludesInclusion;
    row.Value.clear();
    SetFieldMenuEnableState();
}

void TSearch::SelectType(int inclusion)
{
    SearchTermRow& row = CurrentRow();
    row.Type = inclusion == IncludesInclusion ? IncludesText : DoesNotIncludeText;
    if (SearchRecord* term = CurrentTerm()) {
        term->Inclusion = inclusion;
    }
}

void TSearch::RemoveTerm()
{
    SearchTermRow& row = CurrentRow();
    if (HoldsTerm(row.Slot)) {
        SearchTerms[row.Slot].FieldTag = -1;
    }
    row = {};
    if (GridRows.size() > 1) {
        GridRows.erase(GridRows.begin() + GridRow);
        GridRow = std::min(GridRow, static_cast<int>(GridRows.size()) - 1);
    }
    SetFieldMenuEnableState();
}

void TSearch::SetValue(const std::string& from, const std::string& to, const std::string& shown)
{
    SearchRecord* term = CurrentTerm();
    if (term == nullptr) {
        return;
    }
    term->FromValue = from;
    term->ToValue = to;
    CurrentRow().Value = shown;
}

void TSearch::ChooseRange(const std::string& mask)
{
    const SearchRecord& term = *CurrentTerm();
    TSelectRangeForm dialog(workspace_.services.dialogs, mask, term.FromValue, term.ToValue);
    workspace_.services.shell.RunDialog(dialog);
    if (dialog.Accepted) {
        SetValue(dialog.FromValue, dialog.ToValue, dialog.ValueText);
    }
}

void TSearch::ChooseSchedule()
{
    const SearchRecord& term = *CurrentTerm();
    TSelectScheduleForm dialog(workspace_.services.dialogs, term.FromValue, term.ToValue,
                               term.DayName);
    workspace_.services.shell.RunDialog(dialog);
    if (dialog.Accepted) {
        SetValue(dialog.FromValue, dialog.ToValue, dialog.ValueText);
        CurrentTerm()->DayName = dialog.DayName;
    }
}

void TSearch::ChooseSkill()
{
    SearchRecord& term = *CurrentTerm();
    TSelectSkillsForm dialog(workspace_.services.dialogs, term, workspace_.database.SkillNames);
    workspace_.services.shell.RunDialog(dialog);
    if (dialog.Accepted) {
        term = dialog.Term;
        CurrentRow().Value = dialog.ValueText;
    }
}

bool TSearch::CellEditable(int row, int column) const
{
    if (column != ValueColumn || row < 0 || row >= static_cast<int>(GridRows.size())) {
        return false;
    }
    // Hours, salaries and the salary type have choosers: a box there would take a value that
    // the term never stores.
    const int slot = GridRows[static_cast<std::size_t>(row)].Slot;
    if (!HoldsTerm(slot)) {
        return false;
    }
    const RecordField* field = FieldBySearchTag(SearchTerms[slot].FieldTag);
    return field != nullptr && field->Has(TypedValue);
}

void TSearch::SearchGridSetEditText(int row, const std::string& text)
{
    if (!CellEditable(row, ValueColumn)) {
        return;
    }
    SearchTermRow& edited = GridRows[static_cast<std::size_t>(row)];
    edited.Value = text;
    SearchTerms[edited.Slot].FromValue = text;
}

void TSearch::AddTermBtnClick()
{
    if (GridRows.size() >= static_cast<std::size_t>(SearchSlotCount)) {
        workspace_.services.dialogs.ShowInformation(
            "You may add a maximum of 50 search terms per search.");
        return;
    }
    GridRows.push_back({{}, {}, {}, RowAwaitingField});
    GridRow = static_cast<int>(GridRows.size()) - 1;
    GridColumn = FieldColumn;
}

void TSearch::NewSearchBtnClick()
{
    if (!workspace_.services.dialogs.AskYesNo(
            "Existing search will be cleared.  Are you sure you want to continue ?")) {
        return;
    }
    GridRows.assign(1, SearchTermRow{});
    GridRow = 0;
    GridColumn = FieldColumn;
    FreeAllSlots(SearchTerms);
    SetFieldMenuEnableState();
    SearchResultMessage.clear();
    SearchProgress.position = 0;
}

void TSearch::PerformSearchBtnClick()
{
    ItemRecordList& records = workspace_.RecordList();
    SearchProgress.position = 0;
    SearchProgress.maximum = static_cast<int>(records.size());
    SearchResultMessage.clear();

    SearchContext context;
    context.SkillNames = workspace_.database.SkillNames;
    for (std::size_t box = 0; box < 3; ++box) {
        context.StatusCaptions[box] = StatusMenu[box].caption;
    }
    std::vector<int> rowSlots;
    for (const SearchTermRow& row : GridRows) {
        rowSlots.push_back(row.Slot);
    }
    SearchOutcome outcome;
    {
        BusyWork busy(workspace_.services.shell, "Searching ...");
        outcome = RunSearch(records, PreparedSearch(SearchTerms, rowSlots, context),
                            [this, &busy, &records](std::size_t tested) {
                                SearchProgress.position = static_cast<int>(tested);
                                workspace_.services.shell.RefreshWindow(ProgramWindow::Search);
                                busy.Progress(tested, records.size());
                            });
    }
    if (outcome.Unreadable) {
        SetExtractState();
        workspace_.services.dialogs.ShowError(UnreadableTermMessage(*outcome.Unreadable));
        return;
    }
    if (outcome.NewRecords == 0) {
        workspace_.services.dialogs.ShowInformation(NoNewRecordsMessage);
        return;
    }
    SetExtractState();
    SearchResultMessage = SearchResultText(outcome.NewRecords);
    workspace_.SpreadsheetMode = SpreadsheetMode::SearchList;
    // The spreadsheet shows the records found under this message.
    workspace_.services.shell.ShowWindow(ProgramWindow::Spreadsheet);
}

// ---- tool bar ----

void TSearch::PrintMenuClick(int entry)
{
    Shell& shell = workspace_.services.shell;
    if (entry == 0) {
        shell.ShowPrintSettings("SearchGrid");
        return;
    }
    if (entry != 1) {
        return;
    }
    PrintableTable table;
    table.title = Caption;
    table.header.assign(GridHeader.begin(), GridHeader.end());
    for (const SearchTermRow& row : GridRows) {
        table.rows.push_back({row.Field, row.Type, row.Value});
    }
    shell.PrintTable("SearchGrid", table);
}

}  // namespace quillmark
