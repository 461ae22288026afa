#include "forms/preview/preview_form.h"

#include "core/byte_stream.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/whole_number.h"
#include "engine/reports/document_title.h"
#include "engine/reports/page_store.h"
#include "forms/export_encoding.h"
#include "forms/preview/page_devices.h"
#include "forms/workspace.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

namespace quillmark {

namespace {

constexpr const char* FitBoth = "Fit Both";
constexpr const char* FitWidth = "Fit Width";
// A picture of no size, or one larger than a window can hold, is no zoom.
constexpr long long SmallestScale = 4;
constexpr long long LargestScale = 2000;

ActionControl Button(std::string caption, std::string name)
{
    ActionControl action;
    action.caption = std::move(caption);
    action.buttonName = std::move(name);
    return action;
}

}  // namespace

TOrvPreview::TOrvPreview(Workspace& workspace, TOrvPrinter& store, const ExportTable& table,
                         PageDevices& devices)
    : workspace_(workspace), store_(store), table_(table), devices_(devices)
{
    MarginBtn = Button("Margin", "MarginBtn");
    MarginBtn.checkable = true;
    GridBtn = Button("Grid", "GridBtn");
    GridBtn.checkable = true;
    PrintBtn = Button("Print", "PrintBtn");
    ExportBtn = Button("Export", "ExportBtn");
    CloseBtn = Button("Close", "CloseBtn");
    ExportMenu = {{"Export to CSV", 0, true, {}},
                  {"Export to HTML", 1, true, {}},
                  {"Export to PDF", 2, true, {}}};
    Zoom.items = {FitBoth, FitWidth, "200", "150", "100", "50", "25"};
    Zoom.editable = true;
}

void TOrvPreview::FormShow()
{
    store_.Finish();
    PrintBtn.enabled = store_.ShowPrint;
    const int count = store_.PageCount();
    SpinEdit1 = {1, 1, std::max(count, 1), store_.EnablePageChoice && count > 1};
    SpinEdit1Hint = "Total Pages " + std::to_string(count);
    Zoom.text = FitWidth;
    appliedZoom_ = FitWidth;
    MarginBtn.checked = store_.ShowMargins;
    GridBtn.checked = store_.ShowGrid;
    ApplyScale(FitWidthScale());
    ShowPage(1);
}

int TOrvPreview::FitWidthScale() const
{
    const PageMargins& margins = store_.Margins;
    const double inches = store_.ShowMargins
                              ? store_.PageWidth()
                              : store_.PageWidth() - (margins.left + margins.right) /
                                                         static_cast<double>(TwipsPerInch);
    return inches > 0 ? static_cast<int>(std::lround((Width - 50) / inches)) : 0;
}

void TOrvPreview::ApplyScale(long long pixelsPerInch)
{
    pixelsPerInch = std::clamp(pixelsPerInch, SmallestScale, LargestScale);
    Scale = static_cast<int>(pixelsPerInch - pixelsPerInch % 4);
    SizePicture();
}

void TOrvPreview::SizePicture()
{
    const PageMargins& margins = store_.Margins;
    if (store_.ShowMargins) {
        PictureWidth = store_.PageWidth() * Scale;
        PictureHeight = store_.PageHeight() * Scale;
    } else {
        PictureWidth = static_cast<int>(std::lround(
            (store_.PageWidth() - (margins.left + margins.right) / double(TwipsPerInch)) * Scale));
        PictureHeight = static_cast<int>(std::lround(
            (store_.PageHeight() - (margins.top + margins.bottom) / double(TwipsPerInch)) * Scale));
    }
    FormResize();
}

void TOrvPreview::FormResize()
{
    const int room = ScrollBoxWidth - PictureWidth;
    PictureLeft = room >= 21 ? room / 2 - 12 : 10;
}

void TOrvPreview::ZoomChange()
{
    const std::string text = Zoom.text;
    if (text == FitWidth) {
        ApplyScale(FitWidthScale());
    } else if (text == FitBoth) {
        const PageMargins& margins = store_.Margins;
        const double inches = store_.ShowMargins
                                  ? store_.PageHeight()
                                  : store_.PageHeight() - (margins.top + margins.bottom) /
                                                              static_cast<double>(TwipsPerInch);
        ApplyScale(inches > 0 ? std::lround((Height - 45) / inches) : 0);
    } else if (const std::optional<int> percent = ReadWholeNumber(text)) {
        ApplyScale(static_cast<long long>(ScreenPixelsPerInch) * *percent / 100);
    } else {
        workspace_.services.dialogs.ShowError("'" + text + "' is not a valid integer value");
        Zoom.text = appliedZoom_;
        return;
    }
    appliedZoom_ = text;
}

void TOrvPreview::ShowPage(int page)
{
    PageShown = std::clamp(page, 1, std::max(store_.PageCount(), 1));
    SpinEdit1.value = PageShown;
    Pages.caption =
        "Page " + std::to_string(PageShown) + " of " + std::to_string(store_.PageCount());
}

void TOrvPreview::SpinEdit1Change()
{
    ShowPage(SpinEdit1.value);
}

void TOrvPreview::MarginBtnClick()
{
    store_.ShowMargins = !store_.ShowMargins;
    MarginBtn.checked = store_.ShowMargins;
    SizePicture();
}

void TOrvPreview::GridBtnClick()
{
    store_.ShowGrid = !store_.ShowGrid;
    GridBtn.checked = store_.ShowGrid;
}

void TOrvPreview::PrintBtnClick()
{
    if (!PrintBtn.enabled) {
        return;
    }
    const std::optional<PageRange> range = devices_.ChoosePrintRange(store_.PageCount());
    if (!range) {
        return;
    }
    if (std::unique_ptr<PageOutput> job = devices_.StartPrintJob()) {
        store_.Print(range->from, range->to, *job);
    }
}

std::optional<SaveFileChoice> TOrvPreview::ExportFile(const FileDialogRequest& request)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    while (true) {
        std::optional<SaveFileChoice> choice = dialogs.SaveFileDialogWithFilter(request);
        if (!choice || choice->path.empty()) {
            return std::nullopt;
        }
        choice->path = WithDefaultExtension(choice->path, "." + request.defaultExtension);
        std::error_code error;
        if (!std::filesystem::exists(choice->path, error) ||
            dialogs.AskYesNo(FileNameInMessage(choice->path) +
                             " already exists.  Do you want to overwrite it ?")) {
            return choice;
        }
    }
}

void TOrvPreview::ExportMenuClick(int entry)
{
    std::optional<SaveFileChoice> choice;
    std::function<void(ByteSink&)> write;
    std::string pdf;
    const std::string title =
        DocumentTitle(ReportTitle, workspace_.database, workspace_.DatabaseFileName);
    switch (entry) {
    case 0:
        choice = ExportFile(EncodingFileRequest(workspace_.settings, "Export to CSV",
                                                "Comma Delimited File", "*.CSV", "csv"));
        if (choice) {
            write = [this, encoding = ChosenEncoding(workspace_.settings, choice->filterIndex)](
                        ByteSink& file) {
                EncodingSink sink(file, encoding);
                WriteExportCsv(sink, table_);
            };
        }
        break;
    case 1:
        choice = ExportFile({"Export to HTML", "HTML File|*.HTM", "htm"});
        write = [this, &title](ByteSink& sink) { WriteExportHtml(sink, table_, title); };
        break;
    case 2:
        choice = ExportFile({"Export to PDF", "PDF File|*.pdf", "pdf"});
        write = [&pdf](ByteSink& sink) { sink.Write(pdf); };
        break;
    default:
        return;
    }
    if (!choice) {
        return;
    }
    const std::string& path = choice->path;
    Dialogs& dialogs = workspace_.services.dialogs;
    try {
        if (entry == 2) {
            const std::unique_ptr<PdfOutput> document = devices_.StartPdf(store_.Printer(), title);
            store_.Print(1, store_.PageCount(), *document);
            pdf = document->Finish();
        }
        SaveFileSafely(path, write);
    } catch (const WriteError& error) {
        dialogs.ShowError("Cannot create file " + FileNameInMessage(path) + ": " + error.what());
        return;
    }
    dialogs.ShowInformation("File Saved");
}

void TOrvPreview::CloseBtnClick()
{
    Closed = true;
}

}  // namespace quillmark
