#include "core/byte_stream.h"
#include "core/database.h"
#include "core/windows1252.h"
#include "engine/reports/comma_delimited.h"
#include "engine/reports/document_title.h"
#include "engine/reports/html_table.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(CommaDelimitedTest, CellsWithACommaAQuoteOrALineBreakAreQuoted)
{
    EXPECT_EQ(CommaDelimitedLine({"", "Smith", " x ", "Smith, Ann", "say \"hi\"", "\"",
                                  "one\r\ntwo", "a\rb", "c\n"}),
              "\"\",Smith, x ,\"Smith, Ann\",\"say \"\"hi\"\"\",\"\"\"\",\"one\r\ntwo\","
              "\"a\rb\",\"c\n\"");
}

std::string Html(const std::vector<std::vector<std::string>>& rows, const HtmlTableOptions& options)
{
    std::string bytes;
    StringSink sink(bytes);
    WriteHtmlTable(sink, rows, options);
    return bytes;
}

// The beginning and end a page gets around a header that does not begin it.
const std::string PageStart =
    "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>Staff</title>\r\n"
    "</head>\r\n<body>\r\n";
const std::string PageEnd = "</body>\r\n</html>\r\n";
const std::string TableStart =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n";

TEST(HtmlTableTest, ReportTablesCarryTheirTitlesAndStyleAndShowValuesAsTyped)
{
    HtmlTableOptions options;
    options.header = "<h1>Staff</h1>\r\n<p>\r\n";
    options.footer = "<hr>\r\n";
    options.title = "Staff";
    options.style = HtmlCellStyle{HtmlColour(0, 0, 0), HtmlColour(255, 255, 255), true, true};
    // Each cell of a record in the colours and style chosen.
    const auto cell = [](const std::string& text) {
        return "<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I>" + text +
               "</I></B></font></td>\r\n";
    };
    EXPECT_EQ(Html({{"Name", "Notes"}, {"R&D", "<5 years\r\nno"}, {"Ann", ""}}, options),
              PageStart + "<h1>Staff</h1>\r\n<p>\r\n" + TableStart +
                  "<tr>\r\n<td nowrap BGCOLOR=\"#C0C0C0\"><B>Name</B></td>\r\n"
                  "<td nowrap BGCOLOR=\"#C0C0C0\"><B>Notes</B></td>\r\n</tr>\r\n<tr>\r\n" +
                  cell("R&amp;D") + cell("&lt;5 years<br>\nno") + "</tr>\r\n<tr>\r\n" +
                  cell("Ann") + cell("<br>") + "</tr>\r\n</table><p>\r\n<hr>\r\n" + PageEnd);

    // Titles alone are an ordinary row; a plain table has no style at all.
    options.header.clear();
    options.footer.clear();
    options.style = HtmlCellStyle{};
    const std::string titlesOnly = Html({{"Name"}}, options);
    EXPECT_NE(
        titlesOnly.find("<td nowrap BGCOLOR=\"#FFFFFF\"><font color=\"#000000\">Name</font></td>"),
        std::string::npos);
    HtmlTableOptions plain;
    plain.title = "Staff";
    EXPECT_EQ(Html({{"#", ""}}, plain),
              PageStart + TableStart +
                  "<tr>\r\n<td nowrap>#</td>\r\n<td nowrap><br></td>\r\n</tr>\r\n</table><p>\r\n" +
                  PageEnd);
}

TEST(HtmlTableTest, PagesAreUtf8AndBegunOnceWhateverTheHeaderHolds)
{
    // Record text in the header, footer, title and cells alike; the title shows as typed.
    HtmlTableOptions options;
    options.header = "<h1>Caf\xE9</h1>\r\n";
    options.footer = "<p>\x80 5</p>\r\n";
    options.title = "Zo\xEB & <M\xFCller>\r\n";
    EXPECT_EQ(Html({{"Zo\xEB M\xFCller"}}, options),
              "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
              "<title>Zo\xC3\xAB &amp; &lt;M\xC3\xBCller&gt; </title>\r\n</head>\r\n<body>\r\n"
              "<h1>Caf\xC3\xA9</h1>\r\n" +
                  TableStart +
                  "<tr>\r\n<td nowrap>Zo\xC3\xAB M\xC3\xBCller</td>\r\n</tr>\r\n</table><p>\r\n"
                  "<p>\xE2\x82\xAC 5</p>\r\n</body>\r\n</html>\r\n");

    // A header that begins the page itself, in any case, gets no second beginning and no end
    // it did not open; the byte-order mark makes its own charset, if any, no matter.
    for (const char* header : {"<!doctype html>\r\n<title>Caf\xE9</title>\r\n",
                               "<HTML><head><meta charset=\"windows-1252\"></head>\r\n"}) {
        options.header = header;
        const std::string page = Html({{"x"}}, options);
        EXPECT_EQ(page.substr(0, page.find("<table")), "\xEF\xBB\xBF" + Windows1252ToUtf8(header))
            << header;
        EXPECT_TRUE(page.ends_with("</table><p>\r\n<p>\xE2\x82\xAC 5</p>\r\n")) << header;
    }
}

TEST(DocumentTitleTest, TheFirstOfReportDatabaseAndFileNameThatIsNotBlank)
{
    const struct {
        const char* report;
        const char* database;
        const char* path;
        const char* title;
    } cases[] = {
        {"Staff\tList", "Caf\xE9", "/home/ann/staff.dat", "Staff List"},
        {" ", "Caf\xE9", "/home/ann/staff.dat", "Caf\xE9"},
        {"", "\r\n", "/home/ann/Caf\xC3\xA9.old.dat", "Caf\xE9.old"},
        {"", "", "/home/ann/ .dat", "Untitled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Database database;
        database.DatabaseInfo.DatabaseName = c.database;
        EXPECT_EQ(DocumentTitle(c.report, database, c.path), c.title);
    }
}

}  // namespace
}  // namespace quillmark
