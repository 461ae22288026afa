#pragma once

#include "core/rgb_colour.h"
#include "engine/reports/page_canvas.h"

#include <string>
#include <string_view>

namespace quillmark {

class ValueReader;
class ValueWriter;

// A font as the font chooser gives it and the report format files keep it. Height is in pixels,
// negative for the height of the characters without the space above them, as the files have it.
struct FontSetting {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    RgbColour Colour;  // black, the colour of window text
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Charset = 1;  // the system's default character set
    bool operator==(const FontSetting&) const = default;
};

// The font as the chooser offers it and pages set it: whole points of a 96 dots-per-inch screen.
PageFont PageFontOf(const FontSetting& setting);
// The setting with the chooser's font. Its height stays as it was when the size in points did
// not change, so that a font only looked at is filed as it came.
FontSetting WithPageFont(FontSetting setting, const PageFont& font);

// The font chooser as a component stream: class "TFontDialog", the font as "Font.Charset",
// "Font.Color", "Font.Height", "Font.Name" and "Font.Style", then "MinFontSize" and
// "MaxFontSize" (0 for no limit).
void WriteFontDialog(ValueWriter& writer, std::string_view objectName, const FontSetting& font,
                     int maxFontSize = 0);
// Assigns each property as it is read, so that a failure keeps what came before it. Another
// class, an unknown property, style or colour, or a wrong tag is a FormatError.
void ReadFontDialog(ValueReader& reader, FontSetting& font);

// The colour chooser as a component stream: class "TColorDialog" carrying "Color".
void WriteColorDialog(ValueWriter& writer, std::string_view objectName, RgbColour colour);
void ReadColorDialog(ValueReader& reader, RgbColour& colour);

}  // namespace quillmark
