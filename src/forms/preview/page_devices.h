#pragma once

#include "engine/reports/page_canvas.h"
#include "engine/reports/page_store.h"

#include <memory>
#include <optional>
#include <string>

namespace quillmark {

class TOrvPreview;

struct PageRange {
    int from = 1;
    int to = 1;
    bool operator==(const PageRange&) const = default;
};

// A PDF document being made: its pages played onto it, then its bytes.
class PdfOutput : public PageOutput {
public:
    // Throws WriteError when the document could not be made.
    virtual std::string Finish() = 0;
};

// Where laid-out pages go besides the report window: the screen's fonts that measure their
// text, the preview window, the printer and PDF documents.
class PageDevices : public TextMeasurer {
public:
    // The printer reports are laid out for: the default one, or the one last printed on.
    virtual PrinterPage ReportPrinter() = 0;
    // The preview, modal until the form says it is closed.
    virtual void ShowPreview(TOrvPreview& preview) = 0;
    // The print dialog with page numbers from 1 to pageCount, all of them preset; the range
    // chosen, or nothing when it is cancelled.
    virtual std::optional<PageRange> ChoosePrintRange(int pageCount) = 0;
    // A job on the printer the print dialog chose, ended when it is released; nothing when
    // the job cannot start.
    virtual std::unique_ptr<PageOutput> StartPrintJob() = 0;
    // A PDF document of sheets of that paper, with its title (record text) and the program as
    // its creator.
    virtual std::unique_ptr<PdfOutput> StartPdf(const PrinterPage& paper,
                                                const std::string& title) = 0;
};

}  // namespace quillmark
