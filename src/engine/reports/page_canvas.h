#pragma once

#include "core/rgb_colour.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// Pages are laid out in twips, 1440 to the inch, from the top left corner of the area inside
// the margins.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPoint = 20;

struct PageFont {
    std::string name = "Arial";
    int size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    RgbColour colour = BlackColour;
    bool operator==(const PageFont&) const = default;
};

// A font's height in twips, measured as the page store measures it: at 1440 units per inch.
inline int FontHeight(const PageFont& font)
{
    return font.size * TwipsPerPoint;
}

struct TwipRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const TwipRect&) const = default;
};

// How wide a text is set in a font, in twips. The windows measure with the screen's fonts,
// the tool with its PDF writer's, tests with a fixed width per character.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(const PageFont& font, std::string_view text) = 0;
};

// One page being drawn, in twips. Text is Windows-1252.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    virtual void SetFont(const PageFont& font) = 0;
    virtual const PageFont& Font() const = 0;
    // The colour rectangles and text backgrounds are filled with; nothing for none.
    virtual void SetBrush(std::optional<RgbColour> colour) = 0;
    // The rectangle filled with the brush, then the text drawn from (x, y), cut off at the
    // rectangle's edges.
    virtual void TextRect(const TwipRect& clip, int x, int y, std::string_view text) = 0;
    // The text with its top left corner at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual void FillRect(const TwipRect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A thin black line from the pen's position, which moves to the end.
    virtual void LineTo(int x, int y) = 0;
    virtual int TextWidth(std::string_view text) = 0;
};

}  // namespace quillmark
