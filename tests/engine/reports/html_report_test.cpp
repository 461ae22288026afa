#include "support/test_helpers.h"

#include "core/database.h"
#include "core/value_reader.h"
#include "engine/reports/html_report.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using test::B;
using test::Hex;
using test::I;
using test::Name;
using test::Repeat;
using test::S;
using Rows = std::vector<std::vector<std::string>>;

std::shared_ptr<ItemRecord>& Add(Database& database, const std::string& name)
{
    auto& record = database.RecordList.emplace_back(std::make_shared<ItemRecord>());
    record->RecordName = name;
    return record;
}

TEST(HtmlReportTest, RowsHoldTheItemsOfTheRecordsIncluded)
{
    Database database;
    Add(database, "R&D")->Working = true;
    auto& second = Add(database, "<5 years");
    second->Detail[0] = "12 Main St\r\nFlat 2";
    second->SalaryFigures[1] = "12.50";
    second->Other[1] = "2001/02/03";
    Add(database, "Cy")->Desc[1] = "Nights : Part Time";
    const std::vector<int> codes = {230, 210, 220, 110, 300, 240, 10};
    const std::vector<std::string> titles = {
        "Name", "Status", "Record #", "Street", "Hourly Salary", "Employment Date", "Type"};

    EXPECT_EQ(BuildHtmlReportTable(database, codes, false, false).rows,
              (Rows{titles,
                    {"R&D", "Working", "1", "", "", "", ""},
                    {"<5 years", "", "2", "12 Main St\r\nFlat 2", "12.50", "2001/02/03", ""},
                    {"Cy", "", "3", "", "", "", "Nights : Part Time"}}));
    // Only listed records, numbered as in the whole list; short description values.
    database.RecordList[2]->InSearchList = true;
    EXPECT_EQ(BuildHtmlReportTable(database, {220, 10}, true, true).rows,
              (Rows{{"Record #", "Type"}, {"3", "Nights "}}));

    // No record on the search list: the titles are the one row.
    database.RecordList[2]->InSearchList = false;
    EXPECT_EQ(BuildHtmlReportTable(database, {230, 210}, true, false).rows,
              (Rows{{"Name", "Status"}}));

    // The page's cells take the font's colour and style on the background.
    FontSetting font;
    font.Colour = {255, 255, 255};
    font.Bold = font.Underline = true;
    const HtmlTableOptions page =
        HtmlReportOptions("<h1>Staff</h1>\r\n", "<hr>\r\n", font, {0x12, 0x34, 0x56}, "Staff");
    EXPECT_EQ(page.header, "<h1>Staff</h1>\r\n");
    EXPECT_EQ(page.footer, "<hr>\r\n");
    EXPECT_EQ(page.title, "Staff");
    ASSERT_TRUE(page.style);
    EXPECT_EQ(page.style->background, "123456");
    EXPECT_EQ(page.style->fontColour, "FFFFFF");
    EXPECT_TRUE(page.style->bold && page.style->underline && !page.style->italic);
}

TEST(HtmlReportTest, AThousandRecordsAtMost)
{
    const struct {
        int records;
        int listedFrom;  // records from this position on are on the search list
        bool searchListOnly;
        std::size_t rows;
        bool limitReached;
        std::string lastNumber;
    } cases[] = {
        {1000, 0, false, 1000, false, "1000"},
        {1001, 0, false, 1000, true, "1000"},
        {1500, 500, true, 1000, false, "1500"},
        {1501, 500, true, 1000, true, "1500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        Database database;
        for (int position = 0; position < c.records; ++position) {
            Add(database, "")->InSearchList = position >= c.listedFrom;
        }
        const HtmlReportTable table =
            BuildHtmlReportTable(database, {220}, c.searchListOnly, false);
        EXPECT_EQ(table.rows.size() - 1, c.rows);
        EXPECT_EQ(table.limitReached, c.limitReached);
        EXPECT_EQ(table.rows.back().front(), c.lastNumber);
    }
}

TEST(HtmlReportTest, HeaderAndFooterFilesSplitAtEveryLineEnd)
{
    EXPECT_EQ(TextFileLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(TextFileLines("<p>\r\n\r\n"), (std::vector<std::string>{"<p>", ""}));
    EXPECT_EQ(TextFileLines(""), std::vector<std::string>{});
    // The page takes the same lines, each ended by CR LF.
    EXPECT_EQ(HtmlPageLines("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(HtmlPageLines("<p>\r\n\r\n"), "<p>\r\n\r\n");
    EXPECT_EQ(HtmlPageLines("\n\r\r\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(HtmlPageLines(""), "");
}

// The bytes of a format file: items, header and footer lines, font chooser, colour chooser and
// the search-list option, each as the value stream writes it.
std::string FormatFileBytes(const std::string& style, const std::string& fontColour)
{
    return Hex("01") + S("Name") + I(230) + S("Status") + I(210) + Hex("00") +  //
           Hex("01") + S("<h1>Staff</h1>") + S("") + Hex("00") +                //
           Hex("01 00") +                                                       //
           "TPF0" + Name("TFontDialog") + Name("ReportFont") +                  //
           Name("Font.Charset") + I(1) + Name("Font.Color") + fontColour +      //
           Name("Font.Height") + I(-11) + Name("Font.Name") + S("MS Sans Serif") +
           Name("Font.Style") + Hex("0B") + style + Hex("00") +  //
           Name("MinFontSize") + I(0) + Name("MaxFontSize") + I(0) + Hex("00 00") + "TPF0" +
           Name("TColorDialog") + Name("ReportColor") +            //
           Name("Color") + Hex("04 12 34 56 00") + Hex("00 00") +  //
           B(true);
}

TEST(HtmlReportTest, FormatFilesKeepEveryChoice)
{
    HtmlReportFormat format;
    format.Fields = {{"Name", 230}, {"Status", 210}};
    format.HeaderHTML = {"<h1>Staff</h1>", ""};
    format.ReportFont.Colour = {0xFF, 0xFF, 0xFF};  // the last colour there is
    format.ReportFont.Bold = true;
    format.ReportFont.Underline = true;
    format.ReportColor = {0x12, 0x34, 0x56};
    format.SearchListOnly = true;
    const std::string bytes = FormatFileBytes(Name("fsBold") + Name("fsUnderline"), I(0xFFFFFF));

    std::string written;
    StringSink sink(written);
    WriteHtmlReportFormat(sink, format);
    EXPECT_EQ(test::ToHex(written), test::ToHex(bytes));
    ValueReader reader(bytes);
    HtmlReportFormat read;
    ReadHtmlReportFormat(reader, read);
    EXPECT_EQ(read, format);

    // Damage anywhere is an error, never a crash or a wrong format taken as good.
    const std::string good = FormatFileBytes("", I(0));
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"not a report item", Hex("01") + S("X") + I(235) + Hex("00")},
        {"unknown style", FormatFileBytes(Name("fsBlink"), I(0))},
        {"a desktop colour", FormatFileBytes("", Hex("04 08 00 00 80"))},
        {"a colour past white", FormatFileBytes("", I(0x1000000))},
        {"a colour as text", FormatFileBytes("", S("clRed"))},
        {"another chooser", Hex("01 00 01 00 01 00") + "TPF0" + Name("TColorDialog") +
                                Name("ReportFont") + Hex("00 00")},
        {"an unknown property", Hex("01 00 01 00 01 00") + "TPF0" + Name("TFontDialog") +
                                    Name("ReportFont") + Name("Font.Pitch") + I(0) + Hex("00 00")},
        {"an item twice", Hex("01") + S("A") + I(230) + S("B") + I(220) + S("A") + I(230)},
        {"more header lines than the box takes",
         Hex("01 00 01") + Repeat(S(""), HtmlPartLineLimit + 1) + Hex("00 01 00")},
        {"a footer longer than the box takes",
         Hex("01 00 01 00 01") + S(std::string(HtmlPartByteLimit - 1, 'x')) + Hex("00")},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.what);
        ValueReader damagedReader(d.bytes);
        HtmlReportFormat into;
        EXPECT_THROW(ReadHtmlReportFormat(damagedReader, into), FormatError);
    }
    // Thirty thousand copies of one item: reading stops at the second, not after the last.
    const std::string item = S("Name") + I(230);
    const std::string items = Hex("01") + Repeat(item, 30000) + Hex("00");
    ValueReader repeated(items);
    HtmlReportFormat once;
    try {
        ReadHtmlReportFormat(repeated, once);
        ADD_FAILURE() << "read";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.Offset(), 1 + item.size() + S("Name").size());
    }
    EXPECT_EQ(once.Fields.size(), 1u);
    // The boxes take a part of exactly their size, and not a line or a byte more.
    EXPECT_TRUE(FitsHtmlPart(std::vector<std::string>(HtmlPartLineLimit)));
    EXPECT_FALSE(FitsHtmlPart(std::vector<std::string>(HtmlPartLineLimit + 1)));
    EXPECT_TRUE(FitsHtmlPart({std::string(HtmlPartByteLimit - 2, 'x')}));
    EXPECT_FALSE(FitsHtmlPart({std::string(HtmlPartByteLimit - 1, 'x')}));
    std::string fullFooter = good;
    fullFooter.replace(fullFooter.find(std::string("\x01\x00TPF0", 6)), 2,
                       Hex("01") + S(std::string(HtmlPartByteLimit - 2, 'x')) + Hex("00"));
    ValueReader fullReader(fullFooter);
    HtmlReportFormat full;
    ReadHtmlReportFormat(fullReader, full);
    EXPECT_EQ(full.FooterHTML.size(), 1u);
    // Items are numbered in tens, from the first to the last.
    const int last = 10 * HtmlReportItemCount;
    for (const auto& [code, isItem] :
         {std::pair(10, true), {last, true}, {0, false}, {15, false}, {last + 10, false}}) {
        EXPECT_EQ(IsHtmlReportItem(code), isItem) << code;
    }

    for (std::size_t size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        ValueReader cut(std::string_view(good).substr(0, size));
        HtmlReportFormat into;
        EXPECT_THROW(ReadHtmlReportFormat(cut, into), FormatError);
    }
}

}  // namespace
}  // namespace quillmark
