#include "ui/preview/qt_page_devices.h"

#include "core/byte_stream.h"

#include "ui/preview/page_painter.h"
#include "ui/preview/preview_window.h"
#include "ui/qt_services.h"
#include "ui/text.h"
#include "ui/window_placement.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>

namespace quillmark {

namespace {

// A PDF document made in memory, for the form to save as it saves every file.
class PdfDocument : public PdfOutput {
public:
    PdfDocument(const PrinterPage& paper, const std::string& title)
    {
        buffer_.open(QIODevice::WriteOnly);
        writer_ = std::make_unique<QPdfWriter>(&buffer_);
        writer_->setResolution(paper.resolutionX > 0 ? paper.resolutionX : 600);
        writer_->setCreator(QStringLiteral("Quillmark"));
        writer_->setTitle(ToQt(title));
        const double inch = 72.0;
        writer_->setPageSize(QPageSize(QSizeF(paper.paperWidth * inch / paper.resolutionX,
                                              paper.paperHeight * inch / paper.resolutionY),
                                       QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer_->setPageMargins(QMarginsF());
        output_ = std::make_unique<PainterOutput>(*writer_, 0, 0);
    }

    void NewSheet() override { output_->NewSheet(); }
    void PlayPage(const RecordedPage& page, const PagePlacement& placement) override
    {
        output_->PlayPage(page, placement);
    }
    std::string Finish() override
    {
        const bool started = output_->Started();
        output_.reset();
        writer_.reset();
        if (!started) {
            throw WriteError("The PDF document could not be made.");
        }
        return buffer_.data().toStdString();
    }

private:
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<PainterOutput> output_;
};

}  // namespace

QtPageDevices::QtPageDevices(QWidget* owner)
    : owner_(owner), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // Offsets and margins are the report's to place: the painter starts at the paper's corner.
    printer_->setFullPage(true);
}

QtPageDevices::~QtPageDevices() = default;

int QtPageDevices::TextWidth(const PageFont& font, std::string_view text)
{
    return MeasureTwips(font, text);
}

PrinterPage QtPageDevices::ReportPrinter()
{
    // The printable area is the paper less the margins the printer cannot print on.
    QPageLayout printable = printer_->pageLayout();
    printable.setMargins(printable.minimumMargins());
    const int resolution = printer_->resolution();
    const QRect paper = printable.fullRectPixels(resolution);
    const QMargins unprintable = printable.marginsPixels(resolution);
    PrinterPage page;
    page.resolutionX = resolution;
    page.resolutionY = resolution;
    page.paperWidth = paper.width();
    page.paperHeight = paper.height();
    page.offsetX = unprintable.left();
    page.offsetY = unprintable.top();
    page.printableWidth = paper.width() - unprintable.left() - unprintable.right();
    page.printableHeight = paper.height() - unprintable.top() - unprintable.bottom();
    return page;
}

void QtPageDevices::ShowPreview(TOrvPreview& preview)
{
    PreviewWindow window(preview, *this, owner_);
    window.exec();
}

std::optional<PageRange> QtPageDevices::ChoosePrintRange(int pageCount)
{
    const BoxOpen open;
    // From the preview, the dialog is the preview's: it is kept on top, and a dialog of the
    // report window would open behind it and leave both waiting.
    QWidget* parent = AskingWindow(owner_);
    QPrintDialog dialog(printer_.get(), parent);
    KeepAbove(&dialog, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, pageCount);
    printer_->setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (printer_->printRange() == QPrinter::PageRange) {
        return PageRange{printer_->fromPage(), printer_->toPage()};
    }
    return PageRange{1, pageCount};
}

std::unique_ptr<PageOutput> QtPageDevices::StartPrintJob()
{
    const PrinterPage page = ReportPrinter();
    auto job = std::make_unique<PainterOutput>(*printer_, page.offsetX, page.offsetY);
    if (!job->Started()) {
        return nullptr;
    }
    return job;
}

std::unique_ptr<PdfOutput> QtPageDevices::StartPdf(const PrinterPage& paper,
                                                   const std::string& title)
{
    return std::make_unique<PdfDocument>(paper, title);
}

}  // namespace quillmark
