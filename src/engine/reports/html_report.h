#pragma once

#include "core/record_fields.h"
#include "engine/reports/font_setting.h"
#include "engine/reports/html_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class ByteSink;
class ValueReader;
struct Database;

// The items a report can show are the fields with a report number, which is the item's code.
inline const int HtmlReportItemCount = ReportItemCount();
bool IsHtmlReportItem(int code);

// A report takes at most this many records; the rest are left out, with a warning.
inline constexpr int HtmlReportRecordLimit = 1000;
inline constexpr const char* HtmlReportLimitWarning =
    "Warning ... HTML Reports are limited to a maximum of 1000 records.  Some records will not be "
    "displayed.";

struct HtmlReportItem {
    std::string title;
    int code = 0;
    bool operator==(const HtmlReportItem&) const = default;
};

// The report as a table: row 0 the items' titles, then one row per record.
struct HtmlReportTable {
    std::vector<std::vector<std::string>> rows;
    bool limitReached = false;  // records were left out
};

// The records in list order, or only those on the search list, at most HtmlReportRecordLimit.
// Titles follow the codes and the captions of the moment; record numbers count all records.
HtmlReportTable BuildHtmlReportTable(const Database& database, const std::vector<int>& codes,
                                     bool searchListOnly, bool shortDescriptions);

// How the report's page looks: its data cells in the font's colour and style on the
// background, the header and footer lines around the table, the page's title.
HtmlTableOptions HtmlReportOptions(std::string header, std::string footer, const FontSetting& font,
                                   RgbColour background, std::string title);

// The lines of a header or footer file: CR LF, LF and CR each end one.
std::vector<std::string> TextFileLines(std::string_view bytes);

// What a header or footer box takes at most, from a file or a format: a box of more lines
// would take the window minutes to show.
inline constexpr std::size_t HtmlPartLineLimit = 10'000;
inline constexpr std::size_t HtmlPartByteLimit = 1'048'576;  // its lines with their CR LFs
bool FitsHtmlPart(const std::vector<std::string>& lines);

// Everything the report window can keep in an HTML report format file.
struct HtmlReportFormat {
    std::vector<HtmlReportItem> Fields;
    std::vector<std::string> HeaderHTML;
    std::vector<std::string> FooterHTML;
    FontSetting ReportFont;
    RgbColour ReportColor = WhiteColour;
    bool SearchListOnly = false;
    bool operator==(const HtmlReportFormat&) const = default;
};

void WriteHtmlReportFormat(ByteSink& sink, const HtmlReportFormat& format);
// Reads into format, which should start empty; a damaged file is a FormatError. An item whose
// code is no report item, an item listed twice, or a header or footer too large for its box
// counts as damage.
void ReadHtmlReportFormat(ValueReader& reader, HtmlReportFormat& format);

// The format file on disk: written through the safe save (WriteError), read whole (ReadError
// when it cannot be read, FormatError when it is damaged).
void SaveHtmlReportFormat(const std::string& path, const HtmlReportFormat& format);
HtmlReportFormat LoadHtmlReportFormat(const std::string& path);

}  // namespace quillmark
