#include "forms/column_report/column_report_form.h"

#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/program_settings.h"
#include "engine/reports/comma_import.h"
#include "engine/reports/page_store.h"
#include "forms/preview/page_devices.h"
#include "forms/preview/preview_form.h"
#include "forms/workspace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <span>

namespace quillmark {

namespace {

constexpr const char* FormatFilters = "Comma Delimated|*.txt|Report|*.rpt";

// Two decimals, halves rounded up.
std::string Inches(double inches)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::floor(inches * 100 + 0.5) / 100);
    return text;
}

// The widths made to add up to total, each keeping its share of what they added up to, none
// narrower than narrowest while there is room for that.
void ShareWidth(std::span<int> widths, int total, int narrowest)
{
    if (widths.empty()) {
        return;
    }
    total = std::max(total, 0);
    const auto count = static_cast<long long>(widths.size());
    long long sum = 0;
    for (const int width : widths) {
        sum += std::max(width, 0);
    }
    long long before = 0;
    long long edge = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        // Widths of nothing share equally.
        before += sum > 0 ? std::max(widths[i], 0) : 1;
        const long long next = before * total / (sum > 0 ? sum : count);
        widths[i] = static_cast<int>(next - edge);
        edge = next;
    }
    narrowest = std::min<long long>(narrowest, total / count);
    for (int& width : widths) {
        if (width < narrowest) {
            *std::max_element(widths.begin(), widths.end()) -= narrowest - width;
            width = narrowest;
        }
    }
}

struct FontChoice {
    const char* caption;
    int largestSize;
};
constexpr FontChoice FontChoices[] = {{"Title", 18}, {"Body", 12}, {"Value", 18}};

}  // namespace

TPrintBox::TPrintBox(Workspace& workspace, PageDevices& devices)
    : Actions(workspace, ProgramWindow::ColumnReport, "Regular Reports", "Close  Report Windw"),
      workspace_(workspace),
      devices_(devices)
{
    const WindowSize size =
        ReadWindowSize(workspace.settings, "ReportW:", "ReportH:", DefaultReportSize);
    Width = size.width;
    Height = size.height;
    workspace.ReportMode = ReportMode::AllRecords;

    LoadFormatTBtn = ToolButton("LoadFormatTBtn", "Load a Report Format", "document-open", true);
    SaveFormatTBtn =
        ToolButton("SaveFormatTBtn", "Save a Report Format", "document-save-as", false);
    ModeTBtn = ToolButton("ModeTBtn", "Toggle Between Searched Records or All Records",
                          "view-filter", false);
    ImportTBtn =
        ToolButton("ImportTBtn", "Import/Export Comma Delimited Files", "document-import", false);
    PreviewTBtn = ToolButton("PreviewTBtn", "Print Preview Report", "document-print-preview", true);

    AddBtn = {"Add", "Add a new field to the Report", true};
    UndoBtn = {"Undo", "Remove the Last added field", false};
    ClearBtn = {"Clear", "Clear the Report", false};
    for (int position = 0; position < ReportItemChoices; ++position) {
        ItemMenu.push_back({{}, position, true, {}});
    }
    CaptionItemMenu();
    Fields.readOnly = true;

    TitleText.text = "Report Title";
    for (EditControl* margin : {&LeftM, &RightM, &TopM, &BottomM}) {
        margin->text = "1.00";
    }
    SetBtn = {"Set", "Press Set After Entering Columns.", true};
    FontBtn = {"Font", "", true};
    for (const FontChoice& choice : FontChoices) {
        FontMenu.push_back({choice.caption, static_cast<int>(FontMenu.size()), true, {}});
    }
}

TPrintBox::~TPrintBox() = default;

std::vector<ActionControl*> TPrintBox::ToolBar()
{
    std::vector<ActionControl*> bar = {&LoadFormatTBtn, &SaveFormatTBtn, &ModeTBtn,
                                       &ImportTBtn,     &PreviewTBtn,    nullptr};
    const std::vector<ActionControl*> view = Actions.ToolBar();
    bar.insert(bar.end(), view.begin(), view.end());
    return bar;
}

// ---- the window comes and goes ----

void TPrintBox::FormActivate()
{
    CalculateSpace();
    // Widths the user set stay while they are for as many columns.
    if (static_cast<int>(Widths.size()) != ColNum.value) {
        DoColumns();
    } else if (PrintableWidth != captionedFor_) {
        CaptionSections();
    }
    CaptionItemMenu();
    if (workspace_.DatabaseLoaded && ItemCount() > 0) {
        ModeTBtn.enabled = true;
        FontBtn.enabled = true;
        PreviewTBtn.enabled = true;
    }
    Caption = workspace_.ReportMode == ReportMode::SearchList ? "Report (Searched Records)"
                                                              : "Report (All Records)";
    Actions.CopySaveState();
}

void TPrintBox::FormDeactivate()
{
    try {
        WriteWindowSize(workspace_.settings, "ReportW:", "ReportH:", {Width, Height});
    } catch (const WriteError&) {
        // The size is a convenience; the main window reports a settings file it cannot write.
    }
}

// ---- items ----

void TPrintBox::CaptionItemMenu()
{
    for (MenuItemControl& entry : ItemMenu) {
        entry.caption = ReportItemLabel(entry.tag, workspace_.database);
    }
}

bool TPrintBox::AddBtnClick()
{
    if (ItemCount() >= MaximumReportItems) {
        workspace_.services.dialogs.ShowInformation(
            "A report holds no more than 21 items.  Remove one before adding another.");
        return false;
    }
    return true;
}

void TPrintBox::ItemMenuClick(int position)
{
    if (position < 0 || position >= ReportItemChoices || ItemCount() >= MaximumReportItems) {
        return;
    }
    MenuItemControl& entry = ItemMenu[static_cast<std::size_t>(position)];
    if (!entry.enabled) {
        return;
    }
    ReportItems.push_back(position);
    Fields.lines.push_back(entry.caption);
    entry.enabled = false;
    EnableScreen();
}

void TPrintBox::DisableWithoutItems()
{
    for (bool* enabled :
         {&UndoBtn.enabled, &SaveFormatTBtn.enabled, &ImportTBtn.enabled, &ClearBtn.enabled,
          &ModeTBtn.enabled, &FontBtn.enabled, &PreviewTBtn.enabled}) {
        *enabled = false;
    }
}

void TPrintBox::UndoBtnClick()
{
    if (ReportItems.empty()) {
        return;
    }
    ItemMenu[static_cast<std::size_t>(ReportItems.back())].enabled = true;
    ReportItems.pop_back();
    if (!Fields.lines.empty()) {
        Fields.lines.pop_back();
    }
    if (ReportItems.empty()) {
        DisableWithoutItems();
    }
}

void TPrintBox::ClearBtnClick()
{
    ReportItems.clear();
    Fields.lines.clear();
    for (MenuItemControl& entry : ItemMenu) {
        entry.enabled = true;
    }
    DisableWithoutItems();
}

void TPrintBox::EnableScreen()
{
    if (ItemCount() == 0) {
        return;
    }
    ImportTBtn.enabled = true;
    UndoBtn.enabled = true;
    SaveFormatTBtn.enabled = true;
    ClearBtn.enabled = true;
    if (workspace_.DatabaseLoaded) {
        ModeTBtn.enabled = true;
        FontBtn.enabled = true;
        PreviewTBtn.enabled = true;
    }
}

// ---- columns and fonts ----

ColumnReportSetup TPrintBox::Setup() const
{
    ColumnReportSetup setup = SetupFromFormat(CurrentFormat());
    const CalendarDate today = workspace_.services.clock.Today();
    setup.Date = ReportDateText(today.year, today.month, today.day);
    return setup;
}

void TPrintBox::CalculateSpace()
{
    TOrvPrinter store(devices_.ReportPrinter(), devices_);
    const PrintableArea area = quillmark::CalculateSpace(store, Setup());
    PrintableWidth = area.width;
    PrintableHeight = area.height;
}

void TPrintBox::DoColumns()
{
    const int columns = std::max(ColNum.value, 1);
    Widths.assign(static_cast<std::size_t>(columns),
                  {Inches(PrintableWidth / static_cast<double>(columns) / TwipsPerInch),
                   WidthsWidth / columns});
    // The pixels left over by the division go to the last sections, one each.
    for (int extra = 0; extra < WidthsWidth % columns; ++extra) {
        Widths[static_cast<std::size_t>(columns - 1 - extra)].width += 1;
    }
    captionedFor_ = PrintableWidth;
}

void TPrintBox::SetBtnClick()
{
    // The margins may have changed since the window was activated.
    CalculateSpace();
    DoColumns();
}

void TPrintBox::CaptionSections()
{
    for (ColumnSection& section : Widths) {
        section.caption = Inches(ColumnWidthOnPaper(section.width, WidthsWidth, PrintableWidth) /
                                 static_cast<double>(TwipsPerInch));
    }
    captionedFor_ = PrintableWidth;
}

void TPrintBox::FitSections()
{
    std::vector<int> widths;
    for (const ColumnSection& section : Widths) {
        widths.push_back(section.width);
    }
    ShareWidth(widths, WidthsWidth, NarrowestSection);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        Widths[i].width = widths[i];
    }
}

void TPrintBox::WidthsSectionResize(int section, int width)
{
    const int count = static_cast<int>(Widths.size());
    if (section < 0 || section >= count) {
        return;
    }
    std::vector<int> widths;
    for (const ColumnSection& each : Widths) {
        widths.push_back(each.width);
    }
    // The boundary dragged moves; the sections on its far side make room or fill it.
    const bool last = section == count - 1;
    const auto first = static_cast<std::size_t>(last ? 0 : section + 1);
    const auto end = static_cast<std::size_t>(last ? section : count);
    int fixed = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if ((i < first || i >= end) && i != static_cast<std::size_t>(section)) {
            fixed += widths[i];
        }
    }
    const int giving = static_cast<int>(end - first);
    const int narrowest = std::min(NarrowestSection, WidthsWidth / count);
    const int widest = WidthsWidth - fixed - narrowest * giving;
    width = std::clamp(width, narrowest, std::max(widest, narrowest));
    widths[static_cast<std::size_t>(section)] = width;
    ShareWidth(std::span(widths).subspan(first, end - first), WidthsWidth - fixed - width,
               NarrowestSection);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        Widths[i].width = widths[i];
    }
    // Sections that did not share the header before cannot leave it short or overfull now.
    FitSections();
    CaptionSections();
}

void TPrintBox::WidthsResize(int width)
{
    WidthsWidth = std::max(width, 0);
    if (!Widths.empty()) {
        FitSections();
        CaptionSections();
    }
}

void TPrintBox::MarginChange()
{
    CalculateSpace();
    CaptionSections();
}

void TPrintBox::WidthsSectionClick(int section)
{
    if (section < 0 || section >= static_cast<int>(Widths.size())) {
        return;
    }
    RgbColour& colour = ColumnColours[static_cast<std::size_t>(section)];
    if (const std::optional<RgbColour> chosen = workspace_.services.dialogs.ChooseColour(colour)) {
        colour = *chosen;
    }
}

void TPrintBox::FontMenuClick(int entry)
{
    if (entry < 0 || entry > 2) {
        return;
    }
    PageFont* fonts[] = {&ReportTitleFont, &ReportBodyFont, &ReportValueFont};
    FontBox* boxes[] = {&HeaderFont, &BodyFont, &ValueFont};
    PageFont& font = *fonts[entry];
    if (const std::optional<PageFont> chosen =
            workspace_.services.dialogs.ChooseFont(font, FontChoices[entry].largestSize)) {
        font = *chosen;
    }
    boxes[entry]->font = font;
    boxes[entry]->text = FontChoices[entry].caption;
}

// ---- the format file ----

ReportFormat TPrintBox::CurrentFormat() const
{
    ReportFormat format;
    format.Title = TitleText.text;
    format.ShowTitle = ReportTitleBox.checked;
    format.ShowDate = DateBox.checked;
    format.ShowHeader = HeaderBox.checked;
    format.ShowPageNumbers = PageNumbersBox.checked;
    format.ShowRecordNumbers = RecordNumbersBox.checked;
    for (std::size_t i = 0; i < ReportItems.size(); ++i) {
        format.Items.push_back({ReportItems[i], ReportItemExtras[i],
                                i < Fields.lines.size() ? Fields.lines[i] : std::string()});
    }
    format.LeftMargin = LeftM.text;
    format.RightMargin = RightM.text;
    format.TopMargin = TopM.text;
    format.BottomMargin = BottomM.text;
    format.TitleFontBox = HeaderFont;
    format.BodyFontBox = BodyFont;
    format.ValueFontBox = ValueFont;
    format.BodyFont = ReportBodyFont;
    format.TitleFont = ReportTitleFont;
    format.ValueFont = ReportValueFont;
    for (const ColumnSection& section : Widths) {
        format.Sections.push_back({section.caption, section.width});
    }
    format.HeaderWidth = WidthsWidth;
    format.Indent = IndentBox.checked;
    format.Columns = std::to_string(ColNum.value);
    format.ColumnColours = ColumnColours;
    format.Portrait = PortraitMode.checked;
    format.Landscape = LandscapeMode.checked;
    return format;
}

void TPrintBox::ApplyFormat(const ReportFormat& format)
{
    TitleText.text = format.Title;
    ReportTitleBox.checked = format.ShowTitle;
    DateBox.checked = format.ShowDate;
    HeaderBox.checked = format.ShowHeader;
    PageNumbersBox.checked = format.ShowPageNumbers;
    RecordNumbersBox.checked = format.ShowRecordNumbers;
    ReportItems.clear();
    Fields.lines.clear();
    for (MenuItemControl& entry : ItemMenu) {
        entry.enabled = true;
    }
    for (std::size_t i = 0; i < format.Items.size() && i < ReportItemExtras.size(); ++i) {
        const ReportFormatItem& item = format.Items[i];
        ReportItems.push_back(item.position);
        ReportItemExtras[i] = item.extra;
        Fields.lines.push_back(item.caption);
        ItemMenu[static_cast<std::size_t>(item.position)].enabled = false;
    }
    LeftM.text = format.LeftMargin;
    RightM.text = format.RightMargin;
    TopM.text = format.TopMargin;
    BottomM.text = format.BottomMargin;
    HeaderFont = format.TitleFontBox;
    BodyFont = format.BodyFontBox;
    ValueFont = format.ValueFontBox;
    ReportBodyFont = format.BodyFont;
    ReportTitleFont = format.TitleFont;
    ReportValueFont = format.ValueFont;
    Widths.clear();
    for (const HeaderSection& section : format.Sections) {
        Widths.push_back({section.text, section.width});
    }
    // Sections filed for a header of another width, or wider together than theirs, keep their
    // shares of this one; their captions follow these margins.
    FitSections();
    CalculateSpace();
    CaptionSections();
    IndentBox.checked = format.Indent;
    ColNum.value = ColumnCount(format.Columns).value_or(ColNum.value);
    ColumnColours = format.ColumnColours;
    PortraitMode.checked = format.Portrait;
    LandscapeMode.checked = format.Landscape;
}

void TPrintBox::LoadFormatTBtnClick()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    FileDialogRequest request{"Load a Report Format", FormatFilters, "rpt"};
    request.filterIndex = 1;
    const std::optional<std::string> path = dialogs.OpenFileDialog(request);
    if (!path || path->empty()) {
        return;
    }
    ReportFormat format = CurrentFormat();
    try {
        LoadReportFormat(*path, format);
    } catch (const std::runtime_error&) {
        // What was read before the damage stays, as it does in the boxes.
        ApplyFormat(format);
        dialogs.ShowError("Sorry " + FileNameInMessage(*path) + " is not a valid report file");
        return;
    }
    ApplyFormat(format);
    dialogs.ShowInformation("Report format loaded");
    EnableScreen();
}

void TPrintBox::SaveFormatTBtnClick()
{
    if (!SaveFormatTBtn.enabled) {
        return;
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    std::optional<std::string> path;
    while (true) {
        path = dialogs.SaveFileDialog(
            {"Save Report Format", "Report File|*.rpt|Comma Delimited File|*.txt", "rpt"});
        if (!path || path->empty()) {
            return;
        }
        *path = WithDefaultExtension(*path, ".rpt");
        std::error_code error;
        if (!std::filesystem::exists(*path, error) ||
            dialogs.AskYesNo(FileNameInMessage(*path) +
                             " already exists.  Do you want to overwrite it ?")) {
            break;
        }
    }
    try {
        SaveReportFormat(*path, CurrentFormat());
    } catch (const WriteError& error) {
        dialogs.ShowError(FileNameInMessage(*path) + " could not be saved: " + error.what());
        return;
    }
    dialogs.ShowInformation("Report format saved");
}

// ---- tool bar ----

void TPrintBox::ModeTBtnClick()
{
    if (!ModeTBtn.enabled) {
        return;
    }
    workspace_.ReportMode = workspace_.ReportMode == ReportMode::AllRecords
                                ? ReportMode::SearchList
                                : ReportMode::AllRecords;
    Caption = workspace_.ReportMode == ReportMode::SearchList ? "Report (Searched Records)"
                                                              : "Report (All Records)";
}

void TPrintBox::ImportTBtnClick()
{
    if (!ImportTBtn.enabled) {
        return;
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<std::string> path =
        dialogs.OpenFileDialog({"Import Comma Delimated File", FormatFilters, "txt"});
    if (path && !path->empty()) {
        ImportOutcome outcome;
        {
            // Keeping the order for Undo takes long on a large database too.
            BusyWork busy(workspace_.services.shell,
                          "Importing " + FileNameInMessage(*path) + " ...");
            CommandStep step(workspace_);
            if (!workspace_.DatabaseLoaded) {
                workspace_.RecordList().clear();
                workspace_.DatabaseLoaded = true;
            }
            outcome = ImportCommaDelimitedFile(*path, ReportItems, workspace_.RecordList(),
                                               busy.Reporter());
            if (outcome.imported > 0) {
                workspace_.ChangeFlag = true;
            }
            step.Done("Import of " + RecordsCounted(outcome.imported));
            workspace_.services.shell.RefreshWindow(ProgramWindow::Main);  // its title is changed
        }
        if (outcome.unstorable) {
            dialogs.ShowError("Cannot import " + FileNameInMessage(*path) + ": " +
                              UnstorableCharacterMessage(*outcome.unstorable, false) +
                              ".  No records were added.");
        } else if (outcome.readError) {
            dialogs.ShowError("Cannot read " + FileNameInMessage(*path) + ": " +
                              *outcome.readError + ".  " + std::to_string(outcome.imported) +
                              " records were imported before the error.");
        } else {
            dialogs.ShowInformation("File Imported\n\n" + RecordsAddedMessage(outcome.imported));
        }
    }
    if (workspace_.DatabaseLoaded) {
        EnableScreen();
    }
}

void TPrintBox::PreviewTBtnClick()
{
    if (!PreviewTBtn.enabled) {
        return;
    }
    TOrvPrinter store(devices_.ReportPrinter(), devices_);
    const ColumnReportSetup setup = Setup();
    ColumnReportLayout layout(setup, workspace_.database, workspace_.ShortDescriptions, store);
    {
        const BusyWork busy(workspace_.services.shell, "Laying out the report ...");
        layout.Run(workspace_.ReportMode);
    }
    PrintableWidth = layout.PrintableWidth;
    PrintableHeight = layout.PrintableHeight;
    ExportGrid = std::move(layout.Table);
    if (layout.PageLimitReached) {
        workspace_.services.dialogs.ShowInformation(
            "Warning ... your report contains too much data.  Only the first " +
            std::to_string(layout.RecordsShown) + " records will be displayed.");
    }
    store.ShowSave = false;
    store.ShowLoad = false;
    store.ShowPrint = true;
    store.EnablePageChoice = store.PageCount() > 1;
    TOrvPreview preview(workspace_, store, ExportGrid, devices_);
    if (setup.ShowTitle) {
        preview.ReportTitle = setup.Title;
    }
    devices_.ShowPreview(preview);
}

void TPrintBox::PrintScreenTBtnClick()
{
    workspace_.services.shell.FormPrint(ProgramWindow::ColumnReport);
}

}  // namespace quillmark
