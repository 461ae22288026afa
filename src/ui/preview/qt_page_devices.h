#pragma once

#include "forms/preview/page_devices.h"

#include <memory>

class QPrinter;
class QWidget;

namespace quillmark {

// The report window's pages on this desktop: measured with the screen's fonts, previewed in
// the preview window, printed on the printer the print dialog chose (the default one until
// then) and written to PDF by Qt's PDF writer.
class QtPageDevices : public PageDevices {
public:
    explicit QtPageDevices(QWidget* owner);
    ~QtPageDevices() override;

    int TextWidth(const PageFont& font, std::string_view text) override;
    PrinterPage ReportPrinter() override;
    void ShowPreview(TOrvPreview& preview) override;
    std::optional<PageRange> ChoosePrintRange(int pageCount) override;
    std::unique_ptr<PageOutput> StartPrintJob() override;
    std::unique_ptr<PdfOutput> StartPdf(const PrinterPage& paper,
                                        const std::string& title) override;

private:
    QWidget* owner_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace quillmark
