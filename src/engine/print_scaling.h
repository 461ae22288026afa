#pragma once

#include <algorithm>
#include <cmath>

namespace quillmark {

struct PrintedSize {
    int width = 0;
    int height = 0;
    bool operator==(const PrintedSize&) const = default;
};

// How large a window's picture is printed so that it fills one page and keeps its proportions:
// a landscape (or square) page is filled in height, a portrait page in width. A window too
// wide for a landscape page (or too tall for a portrait one) is fitted to the other side
// instead, so that none of it falls off the paper. All sizes in pixels of their device; the
// result is rounded to whole printer pixels.
inline PrintedSize ScaleToPage(int windowWidth, int windowHeight, int pageWidth, int pageHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) {
        return {};
    }
    const double toPageHeight = static_cast<double>(pageHeight) / windowHeight;
    const double toPageWidth = static_cast<double>(pageWidth) / windowWidth;
    double scale = pageWidth >= pageHeight ? toPageHeight : toPageWidth;
    if (windowWidth * scale > pageWidth + 0.5 || windowHeight * scale > pageHeight + 0.5) {
        scale = pageWidth >= pageHeight ? toPageWidth : toPageHeight;
    }
    return {std::min(pageWidth, static_cast<int>(std::lround(windowWidth * scale))),
            std::min(pageHeight, static_cast<int>(std::lround(windowHeight * scale)))};
}

}  // namespace quillmark
