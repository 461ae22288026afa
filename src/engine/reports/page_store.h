#pragma once

#include "engine/reports/page_canvas.h"
#include "engine/reports/recorded_page.h"

#include <memory>
#include <vector>

namespace quillmark {

// The printer pages are laid out for, in its own dots: resolution, the printable area, where
// that area starts on the paper, and the paper.
struct PrinterPage {
    int resolutionX = 600;
    int resolutionY = 600;
    int printableWidth = 5100;  // 8.5 by 11 inches, all of it printable
    int printableHeight = 6600;
    int offsetX = 0;
    int offsetY = 0;
    int paperWidth = 5100;
    int paperHeight = 6600;
    bool operator==(const PrinterPage&) const = default;
};

struct PageMargins {
    int left = 0;  // twips
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PageMargins&) const = default;
};

// Where a page goes on a sheet: its origin in twips from the printable corner, and the size
// of the area inside the margins it is cut off at.
struct PagePlacement {
    int originX = 0;
    int originY = 0;
    int clipWidth = 0;
    int clipHeight = 0;
};

// A printer's job or a PDF file: pages played one a sheet.
class PageOutput {
public:
    virtual ~PageOutput() = default;
    virtual void NewSheet() = 0;
    virtual void PlayPage(const RecordedPage& page, const PagePlacement& placement) = 0;
};

// The page store: each page of a report recorded in twips while the report is laid out, to be
// shown, printed and exported afterwards.
class TOrvPrinter {
public:
    TOrvPrinter(const PrinterPage& printer, TextMeasurer& measurer);

    // Discards every page and starts one new page.
    void Reset();
    // A new page to draw on, which becomes the current one; nothing once finished.
    void NewPage();
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Page n, 1 to the page count.
    PageCanvas& PageSurface(int n);
    const RecordedPage& Page(int n) const;
    PageCanvas& Canvas() { return PageSurface(currentPage_); }
    void SetFont(const PageFont& font);
    int TextWidth(std::string_view text);
    // Closes every page for drawing. Finishing twice does nothing more.
    void Finish();
    bool Finished() const { return finished_; }

    PageMargins Margins;
    // The printer's printable area in whole inches, fractions dropped (8.5 inches count as 8).
    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }
    const PrinterPage& Printer() const { return printer_; }

    // Pages from to to, one a sheet, each placed at the margins and cut off inside them.
    // Nothing is printed before the store is finished; false then.
    bool Print(int from, int to, PageOutput& output) const;
    PagePlacement Placement() const;

    // What the preview shows and offers.
    bool ShowMargins = true;
    bool ShowGrid = false;
    RgbColour BackgroundColour{80, 80, 80};
    RgbColour GridColour{80, 80, 80};
    bool ShowSave = true;
    bool ShowLoad = true;
    bool ShowPrint = true;
    bool EnablePageChoice = true;

private:
    PrinterPage printer_;
    TextMeasurer& measurer_;
    std::vector<std::unique_ptr<RecordedPage>> pages_;
    int currentPage_ = 0;
    bool finished_ = false;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
};

}  // namespace quillmark
