#include "core/byte_stream.h"
#include "engine/reports/comma_delimited.h"
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

TEST(HtmlTableTest, ReportTablesCarryTheirTitlesAndStyleAndShowValuesAsTyped)
{
    HtmlTableOptions options;
    options.headerLines = {"<h1>Staff</h1>", "<p>"};
    options.footerLines = {"<hr>"};
    options.style = HtmlCellStyle{HtmlColour(0, 0, 0), HtmlColour(255, 255, 255), true, true};
    EXPECT_EQ(Html({{"Name", "Notes"}, {"R&D", "<5 years\r\nno"}, {"Ann", ""}}, options),
              "<h1>Staff</h1>\r\n<p>\r\n"
              "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n"
              "<tr>\r\n"
              "<td nowrap BGCOLOR=\"#C0C0C0\"><B>Name</B></td>\r\n"
              "<td nowrap BGCOLOR=\"#C0C0C0\"><B>Notes</B></td>\r\n"
              "</tr>\r\n<tr>\r\n"
              "<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I>R&amp;D</I></B></font>"
              "</td>\r\n"
              "<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I>&lt;5 years<br>\nno"
              "</I></B></font></td>\r\n"
              "</tr>\r\n<tr>\r\n"
              "<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I>Ann</I></B></font>"
              "</td>\r\n"
              "<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I><br></I></B></font>"
              "</td>\r\n"
              "</tr>\r\n</table><p>\r\n<hr>\r\n");

    // Titles alone are an ordinary row; a plain table has no style at all.
    options.headerLines.clear();
    options.footerLines.clear();
    options.style = HtmlCellStyle{};
    EXPECT_NE(Html({{"Name"}}, options)
                  .find("<td nowrap BGCOLOR=\"#FFFFFF\"><font "
                        "color=\"#000000\">Name</font></td>"),
              std::string::npos);
    EXPECT_EQ(Html({{"#", ""}}, {}),
              "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n"
              "<tr>\r\n<td nowrap>#</td>\r\n<td nowrap><br></td>\r\n</tr>\r\n</table><p>\r\n");
}

}  // namespace
}  // namespace quillmark
