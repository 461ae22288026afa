#include "engine/reports/font_setting.h"

#include "core/value_reader.h"
#include "core/value_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace quillmark {

namespace {

constexpr std::string_view FontDialogClass = "TFontDialog";
constexpr std::string_view ColorDialogClass = "TColorDialog";

RgbColour ReadColour(ValueReader& reader)
{
    const std::int32_t number = reader.ReadInteger();
    // Negative numbers name the desktop's own colours, which mean nothing here.
    if (number < 0 || number > 0xFFFFFF) {
        reader.Fail("not a colour: " + std::to_string(number));
    }
    return ColourOfNumber(number);
}

void BeginComponent(ValueReader& reader, std::string_view expectedClass)
{
    std::string className;
    std::string objectName;
    reader.BeginRootComponent(className, objectName);
    if (className != expectedClass) {
        reader.Fail("expected a " + std::string(expectedClass) + ", found a " + className);
    }
}

void EndComponent(ValueReader& reader)
{
    reader.ReadListEnd();
    reader.SkipChildren();
}

struct StyleName {
    std::string_view name;
    bool FontSetting::*flag;
};
constexpr std::array<StyleName, 4> Styles = {{{"fsBold", &FontSetting::Bold},
                                              {"fsItalic", &FontSetting::Italic},
                                              {"fsUnderline", &FontSetting::Underline},
                                              {"fsStrikeOut", &FontSetting::StrikeOut}}};

}  // namespace

PageFont PageFontOf(const FontSetting& setting)
{
    PageFont font;
    font.name = setting.Name;
    font.size = std::max(1, static_cast<int>(std::lround(std::abs(setting.Height) * 72.0 / 96)));
    font.bold = setting.Bold;
    font.italic = setting.Italic;
    font.underline = setting.Underline;
    font.strikeOut = setting.StrikeOut;
    font.colour = setting.Colour;
    return font;
}

FontSetting WithPageFont(FontSetting setting, const PageFont& font)
{
    if (font.size != PageFontOf(setting).size) {
        setting.Height = -static_cast<int>(std::lround(font.size * 96.0 / 72));
    }
    setting.Name = font.name;
    setting.Bold = font.bold;
    setting.Italic = font.italic;
    setting.Underline = font.underline;
    setting.StrikeOut = font.strikeOut;
    setting.Colour = font.colour;
    return setting;
}

void WriteFontDialog(ValueWriter& writer, std::string_view objectName, const FontSetting& font,
                     int maxFontSize)
{
    writer.BeginRootComponent(FontDialogClass, objectName);
    writer.WritePropertyName("Font.Charset");
    writer.WriteInteger(font.Charset);
    writer.WritePropertyName("Font.Color");
    writer.WriteInteger(ColourNumber(font.Colour));
    writer.WritePropertyName("Font.Height");
    writer.WriteInteger(font.Height);
    writer.WritePropertyName("Font.Name");
    writer.WriteString(font.Name);
    writer.WritePropertyName("Font.Style");
    std::vector<std::string> style;
    for (const StyleName& entry : Styles) {
        if (font.*entry.flag) {
            style.emplace_back(entry.name);
        }
    }
    writer.WriteSet(style);
    writer.WritePropertyName("MinFontSize");
    writer.WriteInteger(0);
    writer.WritePropertyName("MaxFontSize");
    writer.WriteInteger(maxFontSize);
    writer.EndProperties();
    writer.EndChildren();
}

void ReadFontDialog(ValueReader& reader, FontSetting& font)
{
    BeginComponent(reader, FontDialogClass);
    while (!reader.EndOfList()) {
        const std::string property = reader.ReadPropertyName();
        if (property == "Font.Charset") {
            font.Charset = reader.ReadInteger();
        } else if (property == "Font.Color") {
            font.Colour = ReadColour(reader);
        } else if (property == "Font.Height") {
            font.Height = reader.ReadInteger();
        } else if (property == "Font.Name") {
            font.Name = reader.ReadString();
        } else if (property == "Font.Style") {
            FontSetting styled = font;
            for (const StyleName& entry : Styles) {
                styled.*entry.flag = false;
            }
            for (const std::string& element : reader.ReadSet()) {
                const auto* known =
                    std::find_if(Styles.begin(), Styles.end(),
                                 [&](const StyleName& s) { return s.name == element; });
                if (known == Styles.end()) {
                    reader.Fail("unknown font style " + element);
                }
                styled.*known->flag = true;
            }
            font = styled;
        } else if (property == "MinFontSize" || property == "MaxFontSize") {
            reader.ReadInteger();  // limits of the chooser, not of the font
        } else {
            reader.Fail("unknown property " + property);
        }
    }
    EndComponent(reader);
}

void WriteColorDialog(ValueWriter& writer, std::string_view objectName, RgbColour colour)
{
    writer.BeginRootComponent(ColorDialogClass, objectName);
    writer.WritePropertyName("Color");
    writer.WriteInteger(ColourNumber(colour));
    writer.EndProperties();
    writer.EndChildren();
}

void ReadColorDialog(ValueReader& reader, RgbColour& colour)
{
    BeginComponent(reader, ColorDialogClass);
    while (!reader.EndOfList()) {
        const std::string property = reader.ReadPropertyName();
        if (property != "Color") {
            reader.Fail("unknown property " + property);
        }
        colour = ReadColour(reader);
    }
    EndComponent(reader);
}

}  // namespace quillmark
