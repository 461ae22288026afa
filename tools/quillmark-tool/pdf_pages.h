#pragma once

#include "engine/reports/page_canvas.h"
#include "engine/reports/page_store.h"

#include <memory>
#include <string>

namespace quillmark {

// Text widths as the PDF writer sets the text: the system's fonts found by name through
// fontconfig, as the program's windows find them.
class CairoTextMeasurer : public TextMeasurer {
public:
    CairoTextMeasurer();
    ~CairoTextMeasurer() override;
    CairoTextMeasurer(const CairoTextMeasurer&) = delete;
    CairoTextMeasurer& operator=(const CairoTextMeasurer&) = delete;
    int TextWidth(const PageFont& font, std::string_view text) override;

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

// A PDF document in memory, a sheet of the paper's size for each page played; its title is
// record text.
class PdfPages : public PageOutput {
public:
    PdfPages(int paperWidthTwips, int paperHeightTwips, const std::string& title);
    ~PdfPages() override;
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    void NewSheet() override;
    void PlayPage(const RecordedPage& page, const PagePlacement& placement) override;
    // Ends the document; its bytes. Throws WriteError when cairo could not make it or could
    // not draw some of its text.
    std::string Finish();

private:
    struct Document;
    std::unique_ptr<Document> document_;
};

}  // namespace quillmark
