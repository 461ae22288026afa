#include "engine/reports/recorded_page.h"

namespace quillmark {

RecordedPage::RecordedPage(int width, int height, TextMeasurer& measurer)
    : width_(width), height_(height), measurer_(measurer)
{
}

void RecordedPage::Record(PageCall call)
{
    if (!closed_) {
        calls_.push_back(std::move(call));
    }
}

void RecordedPage::SetFont(const PageFont& font)
{
    if (closed_) {
        return;
    }
    font_ = font;
    PageCall call;
    call.kind = PageCall::Kind::Font;
    call.font = font;
    Record(std::move(call));
}

void RecordedPage::SetBrush(std::optional<RgbColour> colour)
{
    PageCall call;
    call.kind = PageCall::Kind::Brush;
    call.brush = colour;
    Record(std::move(call));
}

void RecordedPage::TextRect(const TwipRect& clip, int x, int y, std::string_view text)
{
    PageCall call;
    call.kind = PageCall::Kind::TextRect;
    call.rect = clip;
    call.x = x;
    call.y = y;
    call.text = text;
    Record(std::move(call));
}

void RecordedPage::TextOut(int x, int y, std::string_view text)
{
    PageCall call;
    call.kind = PageCall::Kind::TextOut;
    call.x = x;
    call.y = y;
    call.text = text;
    Record(std::move(call));
}

void RecordedPage::FillRect(const TwipRect& rect)
{
    PageCall call;
    call.kind = PageCall::Kind::FillRect;
    call.rect = rect;
    Record(std::move(call));
}

void RecordedPage::MoveTo(int x, int y)
{
    PageCall call;
    call.kind = PageCall::Kind::MoveTo;
    call.x = x;
    call.y = y;
    Record(std::move(call));
}

void RecordedPage::LineTo(int x, int y)
{
    PageCall call;
    call.kind = PageCall::Kind::LineTo;
    call.x = x;
    call.y = y;
    Record(std::move(call));
}

int RecordedPage::TextWidth(std::string_view text)
{
    return measurer_.TextWidth(font_, text);
}

void ReplayPage(const RecordedPage& page, PageDrawing& drawing)
{
    // Every page starts with a transparent brush, the pen at the corner and Arial 10 points.
    PageFont font;
    std::optional<RgbColour> brush;
    int penX = 0;
    int penY = 0;
    for (const PageCall& call : page.Calls()) {
        switch (call.kind) {
        case PageCall::Kind::Font:
            font = call.font;
            break;
        case PageCall::Kind::Brush:
            brush = call.brush;
            break;
        case PageCall::Kind::TextRect:
            if (brush) {
                drawing.Fill(call.rect, *brush);
            }
            drawing.Text(call.x, call.y, call.text, font, call.rect, std::nullopt);
            break;
        case PageCall::Kind::TextOut:
            drawing.Text(call.x, call.y, call.text, font, std::nullopt, brush);
            break;
        case PageCall::Kind::FillRect:
            if (brush) {
                drawing.Fill(call.rect, *brush);
            }
            break;
        case PageCall::Kind::MoveTo:
            penX = call.x;
            penY = call.y;
            break;
        case PageCall::Kind::LineTo:
            drawing.Line(penX, penY, call.x, call.y);
            penX = call.x;
            penY = call.y;
            break;
        }
    }
}

}  // namespace quillmark
