#include "engine/reports/report_format_file.h"
#include "core/value_reader.h"
#include "support/test_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillmark {
namespace {

using test::B;
using test::Hex;
using test::I;
using test::S;

std::string Property(std::string_view name, const std::string& value)
{
    return test::Name(name) + value;
}

std::string Component(std::string_view className, std::string_view objectName,
                      const std::string& properties)
{
    return "TPF0" + test::Name(className) + test::Name(objectName) + properties + Hex("00 00");
}

// Colour, height at 96 pixels an inch, name and style, as the font choosers file them.
std::string Font(std::int32_t colour, std::int32_t height, std::string_view name,
                 const std::string& style)
{
    return Property("Font.Color", I(colour)) + Property("Font.Height", I(height)) +
           Property("Font.Name", S(name)) + Property("Font.Style", Hex("0B") + style + Hex("00"));
}

const std::string PlainFont = Font(0, -13, "Arial", "");
const std::string TitleFont =
    Font(0x0000FF, -16, "Times New Roman", test::Name("fsBold") + test::Name("fsItalic"));

std::string FontBoxBytes(std::string_view name, const std::string& font, std::string_view text)
{
    return Component("TEdit", name,
                     font + Property("ReadOnly", B(true)) + Property("Text", S(text)));
}

std::string Section(std::string_view text, int width)
{
    return Hex("01") + Property("Style", Hex("07") + test::Name("hsOwnerDraw")) +
           Property("Text", S(text)) + Property("Width", I(width)) + Hex("00");
}

std::string Colour(std::int32_t value)
{
    return Component("TColorDialog", "SelectColColor", Property("Color", I(value)));
}

// The example's two items: name, and status with its extra choice.
const std::string ExampleItems = I(2) + I(22) + I(0) + S("Name") + I(20) + I(7) + S("Status");

// A format of two items over three columns, the middle one light blue, the title in red bold
// italic Times New Roman of 12 points, indented, half-inch top margin.
std::string ExampleBytes()
{
    std::string bytes =
        S("Staff") + B(true) + B(false) + B(true) + B(true) + B(false) + ExampleItems + S("1.00") +
        S("1.00") + S("0.50") + S("1.00") + FontBoxBytes("HeaderFont", TitleFont, "Title") +
        FontBoxBytes("BodyFont", PlainFont, "Body") +
        FontBoxBytes("ValueFont", PlainFont, "Value") +
        Component("TFontDialog", "a", PlainFont + Property("MaxFontSize", I(12))) +
        Component("TFontDialog", "b", TitleFont + Property("MaxFontSize", I(18))) +
        Component("TFontDialog", "c", PlainFont + Property("MaxFontSize", I(18))) +
        Component("THeaderControl", "Widths",
                  Property("Width", I(450)) +
                      Property("Sections", Hex("0E") + Section("2.67", 150) + Section("2.67", 150) +
                                               Section("2.67", 150) + Hex("00"))) +
        Component("TCheckBox", "ic",
                  Property("Caption", S("Indent")) + Property("Checked", B(true))) +
        S("3");
    for (int column = 0; column < 10; ++column) {
        bytes += Colour(column == 1 ? 0xFFE0C0 : 0xFFFFFF);
    }
    return bytes + B(true) + B(false);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to)
{
    return bytes.replace(bytes.find(from), from.size(), to);
}

// Reads into the format given, so that a test can see what a failed read left in it.
void Read(const std::string& bytes, ReportFormat& format)
{
    ValueReader reader(bytes);
    ReadReportFormat(reader, format);
    EXPECT_EQ(reader.Remaining(), 0u);
}

ReportFormat Example()
{
    ReportFormat format;
    format.Title = "Staff";
    format.ShowDate = false;
    format.ShowRecordNumbers = false;
    format.Items = {{22, 0, "Name"}, {20, 7, "Status"}};
    format.TopMargin = "0.50";
    PageFont title{"Times New Roman", 12, true, true, false, false, {255, 0, 0}};
    format.TitleFontBox.font = title;
    format.TitleFont = title;
    format.Sections = {{"2.67", 150}, {"2.67", 150}, {"2.67", 150}};
    format.HeaderWidth = 450;
    format.Indent = true;
    format.ColumnColours[1] = {0xC0, 0xE0, 0xFF};
    return format;
}

TEST(ReportFormatFileTest, WritesAndReadsTheFiledOrder)
{
    std::string written;
    StringSink sink(written);
    WriteReportFormat(sink, Example());
    EXPECT_EQ(test::ToHex(written), test::ToHex(ExampleBytes()));

    ReportFormat read;
    Read(ExampleBytes(), read);
    EXPECT_EQ(read, Example());

    const ColumnReportSetup setup = SetupFromFormat(read);
    EXPECT_EQ(setup.Items, (std::vector<int>{22, 20}));
    EXPECT_EQ(setup.TopMargin, 0.5);
    EXPECT_EQ(setup.Columns, 3);
    EXPECT_EQ(setup.TitleFont.size, 12);
}

TEST(ReportFormatFileTest, AFormatAtEveryLimitReadsWhole)
{
    // The most items, the first and the last item choice, no margin and the widest one, all
    // four font styles, header widths from none to the widest, and a colour by its name.
    std::string bytes = ExampleBytes();
    const auto replace = [&](const std::string& from, const std::string& to) {
        bytes = Replaced(bytes, from, to);
    };
    std::string items = I(MaximumReportItems) + I(0) + I(0) + S("First");
    for (int i = 1; i < MaximumReportItems; ++i) {
        items += I(ReportItemChoices - 1) + I(0) + S("Last");
    }
    replace(ExampleItems, items);
    replace(S("1.00") + S("1.00") + S("0.50"), S("0") + S(" 2 ") + S("0,5"));
    replace(test::Name("fsBold") + test::Name("fsItalic"),
            test::Name("fsUnderline") + test::Name("fsStrikeOut"));
    replace(Property("Width", I(450)), Property("Width", I(0)));
    replace(Section("2.67", 150), Section("2.67", 32767));
    replace(Property("Font.Color", I(0x0000FF)),
            Property("Font.Color", Hex("07") + test::Name("clRed")));

    ReportFormat format;
    Read(bytes, format);
    ASSERT_EQ(format.Items.size(), static_cast<std::size_t>(MaximumReportItems));
    EXPECT_EQ(format.Items.front().position, 0);
    EXPECT_EQ(format.Items.back().position, ReportItemChoices - 1);
    EXPECT_EQ(format.TitleFontBox.font,
              (PageFont{"Times New Roman", 12, false, false, true, true, {255, 0, 0}}));
    EXPECT_EQ(format.HeaderWidth, 0);
    EXPECT_EQ(format.Sections.front().width, 32767);

    Read(Replaced(ExampleBytes(), ExampleItems, I(0)), format);
    EXPECT_TRUE(format.Items.empty());

    // Margins run from 0 to 2 inches, columns from 1 to 9.
    const std::nullopt_t no = std::nullopt;
    const struct {
        const char* text;
        std::optional<double> margin;
        std::optional<int> columns;
    } numbers[] = {{"0", 0, no},      {"1", 1, 1},  {"2", 2, 2},    {"2.01", no, no},
                   {"-0.01", no, no}, {"9", no, 9}, {"10", no, no}, {"", no, no}};
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.text);
        EXPECT_EQ(MarginInches(n.text), n.margin);
        EXPECT_EQ(ColumnCount(n.text), n.columns);
    }
}

TEST(ReportFormatFileTest, DamagedFilesFailAndKeepWhatWasReadBefore)
{
    const std::string good = ExampleBytes();
    // Every shortened file fails without reading past its end.
    for (std::size_t size = 0; size < good.size(); ++size) {
        ReportFormat format;
        EXPECT_THROW(Read(good.substr(0, size), format), FormatError) << size << " bytes";
    }

    const std::string head = S("Staff") + B(true) + B(false) + B(true) + B(true) + B(false);
    const std::string margins = S("1.00") + S("1.00") + S("0.50") + S("1.00");
    const auto withItems = [&](const std::string& items) {
        return Replaced(good, ExampleItems, items);
    };
    // Widths wider than any screen would put columns off the page; ten columns the column count
    // never offers.
    const std::string widest = Property("Width", I(std::numeric_limits<std::int32_t>::max()));
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t itemsKept;
        bool indentRead = false;
    };
    const Case cases[] = {
        {"22 items", withItems(I(22) + test::Repeat(I(0) + I(0) + S(""), 22)), 0},
        {"a negative item count", withItems(I(-1)), 0},
        {"item 35", withItems(I(2) + I(22) + I(0) + S("Name") + I(35) + I(0) + S("")), 1},
        {"item -1", withItems(I(1) + I(-1) + I(0) + S("")), 0},
        {"a margin past 2 inches", head + ExampleItems + S("2.5"), 2},
        {"a margin that is no number", head + ExampleItems + S("1in"), 2},
        {"a font of no size",
         head + ExampleItems + margins +
             Component("TEdit", "HeaderFont", Property("Font.Height", I(0))),
         2},
        {"a boolean where the title is", B(true), 0},
        {"a wide section", Replaced(good, Property("Width", I(150)), widest), 2},
        {"a wide header", Replaced(good, Property("Width", I(450)), widest), 2},
        {"ten columns", Replaced(good, S("3") + Colour(0xFFFFFF), S("10") + Colour(0xFFFFFF)), 2,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportFormat format;
        format.Items = {{1, 0, "old"}, {2, 0, "old"}, {3, 0, "old"}};
        EXPECT_THROW(Read(c.bytes, format), FormatError);
        if (c.bytes.size() > head.size()) {
            EXPECT_EQ(format.Title, "Staff") << "what was read stays";
            EXPECT_EQ(format.Items.size(), c.itemsKept);
            EXPECT_EQ(format.Indent, c.indentRead);
        }
    }
}

}  // namespace
}  // namespace quillmark
