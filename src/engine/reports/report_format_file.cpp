#include "engine/reports/report_format_file.h"

#include "core/byte_stream.h"
#include "core/file_io.h"
#include "core/value_reader.h"
#include "core/value_tags.h"
#include "core/value_writer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quillmark {

namespace {

// Font sizes a file may give; anything else is damage, not a font.
constexpr int LargestFontSize = 1000;
// The widest a column header or one of its sections can be, in pixels: wider than any screen.
constexpr std::int32_t LargestHeaderWidth = 32767;
// The screen resolution font heights are filed at, as the chooser's own streams do.
constexpr double FiledPixelsPerInch = 96;

RgbColour ColourOfValue(std::int32_t value)
{
    if (value < 0) {
        // The system's colours by their number: the window's background, its text, buttons.
        switch (value & 0xFF) {
        case 5:
            return WhiteColour;
        case 15:
            return {192, 192, 192};
        default:
            return BlackColour;
        }
    }
    return ColourOfNumber(value);
}

std::optional<RgbColour> ColourOfName(const std::string& name)
{
    struct Named {
        const char* name;
        RgbColour colour;
    };
    static constexpr Named colours[] = {
        {"clBlack", {0, 0, 0}},         {"clMaroon", {128, 0, 0}},    {"clGreen", {0, 128, 0}},
        {"clOlive", {128, 128, 0}},     {"clNavy", {0, 0, 128}},      {"clPurple", {128, 0, 128}},
        {"clTeal", {0, 128, 128}},      {"clGray", {128, 128, 128}},  {"clSilver", {192, 192, 192}},
        {"clRed", {255, 0, 0}},         {"clLime", {0, 255, 0}},      {"clYellow", {255, 255, 0}},
        {"clBlue", {0, 0, 255}},        {"clFuchsia", {255, 0, 255}}, {"clAqua", {0, 255, 255}},
        {"clWhite", {255, 255, 255}},   {"clWindowText", {0, 0, 0}},  {"clWindow", {255, 255, 255}},
        {"clBtnFace", {192, 192, 192}},
    };
    for (const Named& named : colours) {
        if (name == named.name) {
            return named.colour;
        }
    }
    return std::nullopt;
}

RgbColour ReadColour(ValueReader& reader, RgbColour current)
{
    if (reader.PeekTag() == Tag::Identifier) {
        return ColourOfName(reader.ReadIdentifier()).value_or(current);
    }
    return ColourOfValue(reader.ReadInteger());
}

std::int32_t FiledHeight(int size)
{
    return -static_cast<std::int32_t>(std::lround(size * FiledPixelsPerInch / 72));
}

int CheckedFontSize(ValueReader& reader, std::int64_t size)
{
    if (size < 1 || size > LargestFontSize) {
        reader.Fail("a font size of " + std::to_string(size) + " points");
    }
    return static_cast<int>(size);
}

void WriteFontProperties(ValueWriter& writer, const PageFont& font)
{
    writer.WritePropertyName("Font.Color");
    writer.WriteInteger(ColourNumber(font.colour));
    writer.WritePropertyName("Font.Height");
    writer.WriteInteger(FiledHeight(font.size));
    writer.WritePropertyName("Font.Name");
    writer.WriteString(font.name);
    std::vector<std::string> style;
    if (font.bold) {
        style.emplace_back("fsBold");
    }
    if (font.italic) {
        style.emplace_back("fsItalic");
    }
    if (font.underline) {
        style.emplace_back("fsUnderline");
    }
    if (font.strikeOut) {
        style.emplace_back("fsStrikeOut");
    }
    writer.WritePropertyName("Font.Style");
    writer.WriteSet(style);
}

// A font property, when the name is one; false for any other property.
bool ReadFontProperty(ValueReader& reader, const std::string& property, PageFont& font)
{
    if (property == "Font.Color") {
        font.colour = ReadColour(reader, font.colour);
    } else if (property == "Font.Height") {
        const std::int64_t height = std::abs(static_cast<std::int64_t>(reader.ReadInteger()));
        font.size = CheckedFontSize(reader, std::llround(height * 72 / FiledPixelsPerInch));
    } else if (property == "Font.Size") {
        font.size = CheckedFontSize(reader, reader.ReadInteger());
    } else if (property == "Font.Name") {
        font.name = reader.ReadString();
    } else if (property == "Font.Style") {
        font.bold = font.italic = font.underline = font.strikeOut = false;
        for (const std::string& element : reader.ReadSet()) {
            font.bold |= element == "fsBold";
            font.italic |= element == "fsItalic";
            font.underline |= element == "fsUnderline";
            font.strikeOut |= element == "fsStrikeOut";
        }
    } else {
        return false;
    }
    return true;
}

void EndComponent(ValueWriter& writer)
{
    writer.EndProperties();
    writer.EndChildren();
}

// Reads one component's properties, handing each to read, which reads its value and says
// whether it knew it; the others are skipped.
template <typename ReadProperty>
void ReadComponent(ValueReader& reader, ReadProperty read)
{
    std::string className;
    std::string objectName;
    reader.BeginRootComponent(className, objectName);
    while (!reader.EndOfList()) {
        const std::string property = reader.ReadPropertyName();
        if (!read(property)) {
            reader.SkipValue();
        }
    }
    reader.ReadListEnd();
    reader.SkipChildren();
}

void WriteFontBox(ValueWriter& writer, const char* name, const FontBox& box)
{
    writer.BeginRootComponent("TEdit", name);
    WriteFontProperties(writer, box.font);
    writer.WritePropertyName("ReadOnly");
    writer.WriteBoolean(true);
    writer.WritePropertyName("Text");
    writer.WriteString(box.text);
    EndComponent(writer);
}

void ReadFontBox(ValueReader& reader, FontBox& box)
{
    ReadComponent(reader, [&](const std::string& property) {
        if (property == "Text") {
            box.text = reader.ReadString();
            return true;
        }
        return ReadFontProperty(reader, property, box.font);
    });
}

void WriteFontChooser(ValueWriter& writer, const char* name, const PageFont& font, int largestSize)
{
    writer.BeginRootComponent("TFontDialog", name);
    WriteFontProperties(writer, font);
    writer.WritePropertyName("MaxFontSize");
    writer.WriteInteger(largestSize);
    EndComponent(writer);
}

void ReadFontChooser(ValueReader& reader, PageFont& font)
{
    ReadComponent(reader, [&](const std::string& property) {
        return ReadFontProperty(reader, property, font);
    });
}

void WriteHeader(ValueWriter& writer, const ReportFormat& format)
{
    writer.BeginRootComponent("THeaderControl", "Widths");
    writer.WritePropertyName("Width");
    writer.WriteInteger(format.HeaderWidth);
    writer.WritePropertyName("Sections");
    writer.WriteCollectionBegin();
    for (const HeaderSection& section : format.Sections) {
        writer.WriteListBegin();
        writer.WritePropertyName("Style");
        writer.WriteIdentifier("hsOwnerDraw");
        writer.WritePropertyName("Text");
        writer.WriteString(section.text);
        writer.WritePropertyName("Width");
        writer.WriteInteger(section.width);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
    EndComponent(writer);
}

int CheckedWidth(ValueReader& reader)
{
    const std::int32_t width = reader.ReadInteger();
    if (width < 0 || width > LargestHeaderWidth) {
        reader.Fail("a width of " + std::to_string(width));
    }
    return width;
}

void ReadHeader(ValueReader& reader, ReportFormat& format)
{
    ReadComponent(reader, [&](const std::string& property) {
        if (property == "Width") {
            format.HeaderWidth = CheckedWidth(reader);
            return true;
        }
        if (property != "Sections") {
            return false;
        }
        format.Sections.clear();
        reader.ReadCollectionBegin();
        while (!reader.EndOfList()) {
            const std::uint8_t tag = reader.PeekTag();
            if (tag == Tag::Int8 || tag == Tag::Int16 || tag == Tag::Int32) {
                reader.ReadInteger();  // an item's order number
            }
            HeaderSection section;
            reader.ReadListBegin();
            while (!reader.EndOfList()) {
                const std::string name = reader.ReadPropertyName();
                if (name == "Text") {
                    section.text = reader.ReadString();
                } else if (name == "Width") {
                    section.width = CheckedWidth(reader);
                } else {
                    reader.SkipValue();
                }
            }
            reader.ReadListEnd();
            format.Sections.push_back(std::move(section));
        }
        reader.ReadListEnd();
        return true;
    });
}

}  // namespace

std::optional<double> MarginInches(const std::string& text)
{
    std::string number = text;
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    while (!number.empty() && number.front() == ' ') {
        number.erase(number.begin());
    }
    while (!number.empty() && number.back() == ' ') {
        number.pop_back();
    }
    double inches = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), inches,
                                              std::chars_format::fixed);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        !(inches >= 0 && inches <= 2)) {
        return std::nullopt;
    }
    return inches;
}

std::optional<int> ColumnCount(const std::string& text)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < 1 ||
        count > MaximumReportColumns) {
        return std::nullopt;
    }
    return count;
}

void WriteReportFormat(ByteSink& sink, const ReportFormat& format)
{
    ValueWriter writer(sink);
    writer.WriteString(format.Title);
    writer.WriteBoolean(format.ShowTitle);
    writer.WriteBoolean(format.ShowDate);
    writer.WriteBoolean(format.ShowHeader);
    writer.WriteBoolean(format.ShowPageNumbers);
    writer.WriteBoolean(format.ShowRecordNumbers);
    writer.WriteInteger(static_cast<std::int32_t>(format.Items.size()));
    for (const ReportFormatItem& item : format.Items) {
        writer.WriteInteger(item.position);
        writer.WriteInteger(item.extra);
        writer.WriteString(item.caption);
    }
    writer.WriteString(format.LeftMargin);
    writer.WriteString(format.RightMargin);
    writer.WriteString(format.TopMargin);
    writer.WriteString(format.BottomMargin);
    WriteFontBox(writer, "HeaderFont", format.TitleFontBox);
    WriteFontBox(writer, "BodyFont", format.BodyFontBox);
    WriteFontBox(writer, "ValueFont", format.ValueFontBox);
    WriteFontChooser(writer, "a", format.BodyFont, 12);
    WriteFontChooser(writer, "b", format.TitleFont, 18);
    WriteFontChooser(writer, "c", format.ValueFont, 18);
    WriteHeader(writer, format);
    writer.BeginRootComponent("TCheckBox", "ic");
    writer.WritePropertyName("Caption");
    writer.WriteString("Indent");
    writer.WritePropertyName("Checked");
    writer.WriteBoolean(format.Indent);
    EndComponent(writer);
    writer.WriteString(format.Columns);
    for (const RgbColour& colour : format.ColumnColours) {
        writer.BeginRootComponent("TColorDialog", "SelectColColor");
        writer.WritePropertyName("Color");
        writer.WriteInteger(ColourNumber(colour));
        EndComponent(writer);
    }
    writer.WriteBoolean(format.Portrait);
    writer.WriteBoolean(format.Landscape);
    writer.Flush();
}

void ReadReportFormat(ValueReader& reader, ReportFormat& format)
{
    format.Title = reader.ReadString();
    format.ShowTitle = reader.ReadBoolean();
    format.ShowDate = reader.ReadBoolean();
    format.ShowHeader = reader.ReadBoolean();
    format.ShowPageNumbers = reader.ReadBoolean();
    format.ShowRecordNumbers = reader.ReadBoolean();
    format.Items.clear();
    const std::int32_t count = reader.ReadInteger();
    if (count < 0 || count > MaximumReportItems) {
        reader.Fail(std::to_string(count) + " report items");
    }
    for (int i = 0; i < count; ++i) {
        ReportFormatItem item;
        item.position = reader.ReadInteger();
        if (item.position < 0 || item.position >= ReportItemChoices) {
            reader.Fail("an item numbered " + std::to_string(item.position));
        }
        item.extra = reader.ReadInteger();
        item.caption = reader.ReadString();
        format.Items.push_back(std::move(item));
    }
    for (std::string* margin :
         {&format.LeftMargin, &format.RightMargin, &format.TopMargin, &format.BottomMargin}) {
        std::string text = reader.ReadString();
        if (!MarginInches(text)) {
            reader.Fail("a margin of \"" + text + "\" inches");
        }
        *margin = std::move(text);
    }
    ReadFontBox(reader, format.TitleFontBox);
    ReadFontBox(reader, format.BodyFontBox);
    ReadFontBox(reader, format.ValueFontBox);
    ReadFontChooser(reader, format.BodyFont);
    ReadFontChooser(reader, format.TitleFont);
    ReadFontChooser(reader, format.ValueFont);
    ReadHeader(reader, format);
    ReadComponent(reader, [&](const std::string& property) {
        if (property == "Checked") {
            format.Indent = reader.ReadBoolean();
            return true;
        }
        return false;
    });
    std::string columns = reader.ReadString();
    if (!ColumnCount(columns)) {
        reader.Fail("\"" + columns + "\" columns");
    }
    format.Columns = std::move(columns);
    for (RgbColour& colour : format.ColumnColours) {
        ReadComponent(reader, [&](const std::string& property) {
            if (property == "Color") {
                colour = ReadColour(reader, colour);
                return true;
            }
            return false;
        });
    }
    format.Portrait = reader.ReadBoolean();
    format.Landscape = reader.ReadBoolean();
}

void SaveReportFormat(const std::string& path, const ReportFormat& format)
{
    SaveFileSafely(path, [&format](ByteSink& sink) { WriteReportFormat(sink, format); });
}

void LoadReportFormat(const std::string& path, ReportFormat& format)
{
    FileSource source(path);
    ValueReader reader(source, source.Size());
    ReadReportFormat(reader, format);
}

ColumnReportSetup SetupFromFormat(const ReportFormat& format)
{
    ColumnReportSetup setup;
    setup.Title = format.Title;
    setup.ShowTitle = format.ShowTitle;
    setup.ShowDate = format.ShowDate;
    setup.ShowPageNumbers = format.ShowPageNumbers;
    setup.ShowRecordNumbers = format.ShowRecordNumbers;
    setup.Indent = format.Indent;
    for (const ReportFormatItem& item : format.Items) {
        setup.Items.push_back(item.position);
    }
    setup.Columns = ColumnCount(format.Columns).value_or(3);
    for (const HeaderSection& section : format.Sections) {
        setup.SectionWidths.push_back(section.width);
    }
    setup.HeaderWidth = format.HeaderWidth;
    setup.ColumnColours = format.ColumnColours;
    setup.LeftMargin = MarginInches(format.LeftMargin).value_or(1);
    setup.TopMargin = MarginInches(format.TopMargin).value_or(1);
    setup.RightMargin = MarginInches(format.RightMargin).value_or(1);
    setup.BottomMargin = MarginInches(format.BottomMargin).value_or(1);
    setup.TitleFont = format.TitleFont;
    setup.BodyFont = format.BodyFont;
    return setup;
}

}  // namespace quillmark
