#include "engine/reports/page_store.h"

#include <algorithm>
#include <stdexcept>

namespace quillmark {

namespace {

int WholeInches(int dots, int resolution)
{
    return resolution > 0 && dots > 0 ? dots / resolution : 0;
}

}  // namespace

TOrvPrinter::TOrvPrinter(const PrinterPage& printer, TextMeasurer& measurer)
    : printer_(printer),
      measurer_(measurer),
      pageWidth_(WholeInches(printer.printableWidth, printer.resolutionX)),
      pageHeight_(WholeInches(printer.printableHeight, printer.resolutionY))
{
}

void TOrvPrinter::Reset()
{
    pages_.clear();
    currentPage_ = 0;
    finished_ = false;
    NewPage();
}

void TOrvPrinter::NewPage()
{
    if (finished_) {
        return;
    }
    pages_.push_back(std::make_unique<RecordedPage>(pageWidth_ * TwipsPerInch,
                                                    pageHeight_ * TwipsPerInch, measurer_));
    currentPage_ = PageCount();
    RecordedPage& page = *pages_.back();
    page.SetBrush(std::nullopt);
    page.SetFont(PageFont{});
}

PageCanvas& TOrvPrinter::PageSurface(int n)
{
    if (n < 1 || n > PageCount()) {
        throw std::out_of_range("no such page");
    }
    return *pages_[static_cast<std::size_t>(n - 1)];
}

const RecordedPage& TOrvPrinter::Page(int n) const
{
    if (n < 1 || n > PageCount()) {
        throw std::out_of_range("no such page");
    }
    return *pages_[static_cast<std::size_t>(n - 1)];
}

void TOrvPrinter::SetFont(const PageFont& font)
{
    Canvas().SetFont(font);
}

int TOrvPrinter::TextWidth(std::string_view text)
{
    return Canvas().TextWidth(text);
}

void TOrvPrinter::Finish()
{
    if (finished_) {
        return;
    }
    for (const auto& page : pages_) {
        page->Close();
    }
    finished_ = true;
}

PagePlacement TOrvPrinter::Placement() const
{
    return {Margins.left, Margins.top, pageWidth_ * TwipsPerInch - Margins.left - Margins.right,
            pageHeight_ * TwipsPerInch - Margins.top - Margins.bottom};
}

bool TOrvPrinter::Print(int from, int to, PageOutput& output) const
{
    if (!finished_) {
        return false;
    }
    from = std::max(from, 1);
    to = std::min(to, PageCount());
    const PagePlacement placement = Placement();
    for (int page = from; page <= to; ++page) {
        if (page > from) {
            output.NewSheet();
        }
        output.PlayPage(Page(page), placement);
    }
    return true;
}

}  // namespace quillmark
