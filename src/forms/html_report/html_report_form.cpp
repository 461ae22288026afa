#include "forms/html_report/html_report_form.h"

#include "core/database.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/record_fields.h"
#include "engine/reports/document_title.h"
#include "engine/text_file_encoding.h"
#include "forms/workspace.h"

#include <algorithm>
#include <filesystem>

namespace quillmark {

namespace {

constexpr const char* HtmlFilter = "HTML File|*.htm";
constexpr const char* FormatFilter = "HTML Report Format|*.hrf";
constexpr const char* DataGridName = "ReportData";

std::string CannotCreateMessage(const std::string& path, const std::string& reason)
{
    return "Cannot create file \"" + FileNameInMessage(path) + "\". " + reason;
}

// The working header and footer may be missing; the report then goes without.
std::string LinesIfReadable(const std::string& path)
{
    try {
        return HtmlPageLines(ReadWholeFile(path));
    } catch (const ReadError&) {
        return {};
    }
}

std::string TooLargeMessage(const std::string& path)
{
    return "Cannot load \"" + FileNameInMessage(path) + "\". A header or footer holds at most " +
           std::to_string(HtmlPartLineLimit) + " lines and 1 MB.";
}

}  // namespace

THTMLReport::THTMLReport(Workspace& workspace)
    : Actions(workspace, ProgramWindow::HtmlReport, "HTML Reports", "Close HTML Report Window"),
      workspace_(workspace)
{
    LoadFormatBtn = ToolButton("LoadFormatBtn", "Load Report Form", "document-open");
    SaveFormatBtn = ToolButton("SaveFormatBtn", "Save Report Format", "document-save-as");
    ClearBtn = ToolButton("ClearBtn", "Clear the Report", "edit-clear-all");
    FontBtn = ToolButton("FontBtn", "Select Report Font", "preferences-desktop-font");
    ColorBtn = ToolButton("ColorBtn", "Select Report Colors", "format-fill-color");
    ppreview = ToolButton("ppreview", "Preview Report in Browser", "document-print-preview");
    ClearBtn.enabled = false;
    LoadFormatBtn.shortcut = "Ctrl+O";
    SaveFormatBtn.shortcut = "Ctrl+S";
    PreviewMenu = {{"Print Settings", 0, true, {}}, {"Print", 1, true, {}}};
    for (const RecordField* field : FieldsNumberedBy(&RecordField::reportNumber)) {
        ItemMenu.push_back({"", field->reportNumber, true, {}});
    }
    CaptionItemMenu();
}

std::vector<ActionControl*> THTMLReport::ToolBar()
{
    return {&LoadFormatBtn, &SaveFormatBtn, &ClearBtn, &FontBtn, &ColorBtn, &ppreview};
}

// ---- the window comes and goes ----

void THTMLReport::CaptionItemMenu()
{
    // The report titles a field as the database does, whatever the record window's labels read.
    for (MenuItemControl& entry : ItemMenu) {
        entry.caption = FieldTitleOf(*FieldByReportNumber(entry.tag), workspace_.database);
    }
}

void THTMLReport::FormActivate()
{
    // Captions renamed meanwhile show at once; items already chosen keep their titles.
    CaptionItemMenu();
    Actions.CopySaveState();
}

// ---- the item list ----

void THTMLReport::SetItemState()
{
    const bool any = !Fields.empty();
    RemoveBtn.enabled = any;
    ClearBtn.enabled = any;
    ViewBtn.enabled = any;
}

void THTMLReport::ItemMenuClick(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(ItemMenu.size())) {
        return;
    }
    MenuItemControl& item = ItemMenu[static_cast<std::size_t>(entry)];
    if (!item.enabled) {
        return;
    }
    Fields.push_back({item.caption, item.tag});
    item.enabled = false;
    SetItemState();
}

void THTMLReport::FieldsClick(int line)
{
    FieldsIndex = line >= 0 && line < static_cast<int>(Fields.size()) ? line : -1;
}

void THTMLReport::RemoveBtnClick()
{
    if (FieldsIndex < 0 || FieldsIndex >= static_cast<int>(Fields.size())) {
        return;
    }
    const int code = Fields[static_cast<std::size_t>(FieldsIndex)].code;
    Fields.erase(Fields.begin() + FieldsIndex);
    FieldsIndex = -1;
    for (MenuItemControl& entry : ItemMenu) {
        if (entry.tag == code) {
            entry.enabled = true;
        }
    }
    SetItemState();
}

void THTMLReport::MoveUpBtnClick()
{
    if (FieldsIndex < 1 || FieldsIndex >= static_cast<int>(Fields.size())) {
        return;
    }
    std::swap(Fields[static_cast<std::size_t>(FieldsIndex)],
              Fields[static_cast<std::size_t>(FieldsIndex - 1)]);
    --FieldsIndex;
}

void THTMLReport::MoveDownBtnClick()
{
    if (FieldsIndex < 0 || FieldsIndex + 1 >= static_cast<int>(Fields.size())) {
        return;
    }
    std::swap(Fields[static_cast<std::size_t>(FieldsIndex)],
              Fields[static_cast<std::size_t>(FieldsIndex + 1)]);
    ++FieldsIndex;
}

void THTMLReport::ClearBtnClick()
{
    Fields.clear();
    FieldsIndex = -1;
    for (MenuItemControl& entry : ItemMenu) {
        entry.enabled = true;
    }
    SetItemState();
}

// ---- header, footer and look ----

void THTMLReport::LoadLines(MemoControl& box, const std::string& title)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<std::string> path = dialogs.OpenFileDialog({title, HtmlFilter, "htm"});
    if (!path || path->empty()) {
        return;
    }
    std::error_code sizeError;
    if (std::filesystem::file_size(*path, sizeError) > HtmlPartByteLimit && !sizeError) {
        dialogs.ShowError(TooLargeMessage(*path));
        return;
    }
    DecodedText decoded;
    try {
        // Today's editors write UTF-8; the box, like the records, holds Windows-1252.
        decoded = DecodeTextFile(ReadWholeFile(*path));
    } catch (const ReadError& error) {
        dialogs.ShowError("Cannot open file \"" + FileNameInMessage(*path) + "\". " + error.what());
        return;
    }
    if (decoded.unstorable) {
        dialogs.ShowError("Cannot load \"" + FileNameInMessage(*path) + "\". " +
                          UnstorableCharacterMessage(*decoded.unstorable, false) + ".");
        return;
    }
    std::vector<std::string> lines = TextFileLines(decoded.text);
    if (!FitsHtmlPart(lines)) {
        dialogs.ShowError(TooLargeMessage(*path));
        return;
    }
    box.lines = std::move(lines);
}

void THTMLReport::LoadHeaderBtnClick()
{
    LoadLines(HeaderHTML, "Load Header");
}

void THTMLReport::LoadFooterBtnClick()
{
    LoadLines(FooterHTML, "Load Footer");
}

void THTMLReport::FontBtnClick()
{
    if (const std::optional<PageFont> font =
            workspace_.services.dialogs.ChooseFont(PageFontOf(ReportFont), 0)) {
        ReportFont = WithPageFont(ReportFont, *font);
    }
}

void THTMLReport::ColorBtnClick()
{
    if (const std::optional<RgbColour> colour =
            workspace_.services.dialogs.ChooseColour(ReportColor)) {
        ReportColor = *colour;
    }
}

// ---- the report ----

std::string THTMLReport::WorkingFile(const std::string& name) const
{
    const std::string& folder = workspace_.UserDataFolder;
    if (folder.empty()) {
        return name;
    }
    std::error_code ignored;  // a folder that cannot be made fails the write that follows
    std::filesystem::create_directories(folder, ignored);
    return folder + "/" + name;
}

bool THTMLReport::GenerateReport()
{
    std::vector<int> codes;
    for (const HtmlReportItem& item : Fields) {
        codes.push_back(item.code);
    }
    {
        const BusyWork busy(workspace_.services.shell, "Building the report ...");
        ReportData = BuildHtmlReportTable(workspace_.database, codes, SearchListOnly.checked,
                                          workspace_.ShortDescriptions);
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    if (ReportData.limitReached) {
        dialogs.ShowInformation(HtmlReportLimitWarning);
    }
    for (const auto& [name, box] :
         {std::pair{"header.htm", &HeaderHTML}, {"footer.htm", &FooterHTML}}) {
        const std::string path = WorkingFile(name);
        try {
            SaveFileSafely(path, [box](ByteSink& sink) {
                std::string text;
                for (const std::string& line : box->lines) {
                    text += line + "\r\n";
                }
                sink.Write(text);
            });
        } catch (const WriteError& error) {
            dialogs.ShowError(CannotCreateMessage(path, error.what()));
            return false;
        }
    }
    return true;
}

bool THTMLReport::WriteDocument(const std::string& path)
{
    const HtmlTableOptions options =
        HtmlReportOptions(LinesIfReadable(WorkingFile("header.htm")),
                          LinesIfReadable(WorkingFile("footer.htm")), ReportFont, ReportColor,
                          DocumentTitle({}, workspace_.database, workspace_.DatabaseFileName));
    std::string failure;
    {
        const BusyWork busy(workspace_.services.shell,
                            "Writing " + FileNameInMessage(path) + " ...");
        try {
            SaveFileSafely(path,
                           [&](ByteSink& sink) { WriteHtmlTable(sink, ReportData.rows, options); });
        } catch (const WriteError& error) {
            failure = CannotCreateMessage(path, error.what());
        }
    }
    if (!failure.empty()) {
        workspace_.services.dialogs.ShowError(failure);
        return false;
    }
    return true;
}

std::optional<std::string> THTMLReport::AskSaveFile(const FileDialogRequest& request,
                                                    const std::string& extension)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    for (;;) {
        const std::optional<std::string> chosen = dialogs.SaveFileDialog(request);
        if (!chosen || chosen->empty()) {
            return std::nullopt;
        }
        const std::string path = WithDefaultExtension(*chosen, extension);
        std::error_code error;
        if (!std::filesystem::exists(path, error) ||
            dialogs.AskYesNo(FileNameInMessage(path) +
                             " already exists.  Do you want to overwrite it ?")) {
            return path;
        }
    }
}

void THTMLReport::SaveHTMLBtnClick()
{
    const std::optional<std::string> path = AskSaveFile({"Save HTML", HtmlFilter, "htm"}, ".htm");
    if (!path || !GenerateReport() || !WriteDocument(*path)) {
        return;
    }
    workspace_.services.dialogs.ShowInformation("HTML report saved as " + FileNameInMessage(*path) +
                                                ".");
}

void THTMLReport::ViewBtnClick()
{
    if (!ViewBtn.enabled || !GenerateReport()) {
        return;
    }
    const std::string path = WorkingFile("rphtml.htm");
    if (WriteDocument(path)) {
        workspace_.services.shell.OpenDocument(path);
    }
}

void THTMLReport::ppreviewClick()
{
    GenerateReport();
}

void THTMLReport::PreviewMenuClick(int entry)
{
    Shell& shell = workspace_.services.shell;
    if (entry == 0) {
        shell.ShowPrintSettings(DataGridName);
        return;
    }
    if (entry != 1 || ReportData.rows.empty()) {
        return;
    }
    PrintableTable table;
    table.title = Caption;
    table.header = ReportData.rows.front();
    table.rows.assign(ReportData.rows.begin() + 1, ReportData.rows.end());
    shell.PrintTable(DataGridName, table);
}

void THTMLReport::PrintScreenTBtnClick()
{
    if (workspace_.services.shell.FormPrint(ProgramWindow::HtmlReport)) {
        workspace_.services.dialogs.ShowInformation("Form sent to Printer.");
    }
}

// ---- format files ----

void THTMLReport::SaveFormatBtnClick()
{
    const std::optional<std::string> path =
        AskSaveFile({"Save Report Format", FormatFilter, "hrf"}, ".hrf");
    if (!path) {
        return;
    }
    Dialogs& dialogs = workspace_.services.dialogs;
    // A format that could not be loaded again is not saved.
    if (!FitsHtmlPart(HeaderHTML.lines) || !FitsHtmlPart(FooterHTML.lines)) {
        dialogs.ShowError(
            "The header or footer is too long to keep in a format: it holds at most " +
            std::to_string(HtmlPartLineLimit) + " lines and 1 MB.");
        return;
    }
    HtmlReportFormat format;
    format.Fields = Fields;
    format.HeaderHTML = HeaderHTML.lines;
    format.FooterHTML = FooterHTML.lines;
    format.ReportFont = ReportFont;
    format.ReportColor = ReportColor;
    format.SearchListOnly = SearchListOnly.checked;
    try {
        SaveHtmlReportFormat(*path, format);
    } catch (const WriteError& error) {
        dialogs.ShowError(CannotCreateMessage(*path, error.what()));
        return;
    }
    dialogs.ShowInformation("HTML Report Format Saved.");
}

void THTMLReport::LoadFormatBtnClick()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<std::string> path =
        dialogs.OpenFileDialog({"Load Report Form", FormatFilter, "hrf"});
    if (!path || path->empty()) {
        return;
    }
    HtmlReportFormat format;
    try {
        format = LoadHtmlReportFormat(*path);
    } catch (const std::runtime_error&) {  // unreadable or damaged: the window stays as it was
        dialogs.ShowError("HTML Report Format file is invalid.  No format loaded.");
        return;
    }
    Fields = std::move(format.Fields);
    FieldsIndex = -1;
    HeaderHTML.lines = std::move(format.HeaderHTML);
    FooterHTML.lines = std::move(format.FooterHTML);
    ReportFont = format.ReportFont;
    ReportColor = format.ReportColor;
    SearchListOnly.checked = format.SearchListOnly;
    // The menu offers what the report does not hold yet.
    for (MenuItemControl& entry : ItemMenu) {
        entry.enabled = std::none_of(Fields.begin(), Fields.end(),
                                     [&entry](const auto& item) { return item.code == entry.tag; });
    }
    SetItemState();
    dialogs.ShowInformation("HTML Report Format file loaded.");
}

}  // namespace quillmark
