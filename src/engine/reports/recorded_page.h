#pragma once

#include "engine/reports/page_canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// A drawing call as it was made on a page.
struct PageCall {
    enum class Kind { Font, Brush, TextRect, TextOut, FillRect, MoveTo, LineTo };
    Kind kind = Kind::Font;
    TwipRect rect;  // TextRect and FillRect
    int x = 0;      // TextRect, TextOut, MoveTo, LineTo
    int y = 0;
    std::string text;                // TextRect, TextOut
    PageFont font;                   // Font
    std::optional<RgbColour> brush;  // Brush
    bool operator==(const PageCall&) const = default;
};

// A page kept as the calls that drew it, to be played again unchanged on the screen, a printer
// or a PDF file. A closed page takes no more drawing.
class RecordedPage : public PageCanvas {
public:
    RecordedPage(int width, int height, TextMeasurer& measurer);

    int Width() const { return width_; }  // twips
    int Height() const { return height_; }
    const std::vector<PageCall>& Calls() const { return calls_; }
    void Close() { closed_ = true; }

    void SetFont(const PageFont& font) override;
    const PageFont& Font() const override { return font_; }
    void SetBrush(std::optional<RgbColour> colour) override;
    void TextRect(const TwipRect& clip, int x, int y, std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void FillRect(const TwipRect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    int TextWidth(std::string_view text) override;

private:
    void Record(PageCall call);

    int width_;
    int height_;
    TextMeasurer& measurer_;
    PageFont font_;
    std::vector<PageCall> calls_;
    bool closed_ = false;
};

// What a recorded page is played onto: the calls with the brush, pen and font they were made
// with worked out, so that every device draws the same thing.
class PageDrawing {
public:
    virtual ~PageDrawing() = default;
    virtual void Fill(const TwipRect& rect, RgbColour colour) = 0;
    // Text with its top left corner at (x, y) in the font; cut off at clip when there is one;
    // on a background of that colour when there is one (the text's own box for text at a
    // point, the clip rectangle for text in a rectangle).
    virtual void Text(int x, int y, std::string_view text, const PageFont& font,
                      const std::optional<TwipRect>& clip,
                      const std::optional<RgbColour>& background) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

void ReplayPage(const RecordedPage& page, PageDrawing& drawing);

}  // namespace quillmark
