#pragma once

#include "engine/reports/column_report.h"
#include "engine/reports/page_canvas.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class ByteSink;
class ValueReader;

struct ReportFormatItem {
    int position = 0;  // in the item menu, 0 to 34
    int extra = 0;     // filed with the item; nothing uses it
    std::string caption;
    bool operator==(const ReportFormatItem&) const = default;
};

// A read-only box showing a font in that font.
struct FontBox {
    PageFont font;
    std::string text;
    bool operator==(const FontBox&) const = default;
};

struct HeaderSection {
    std::string text;
    int width = 0;  // pixels
    bool operator==(const HeaderSection&) const = default;
};

// Everything a column report format file (".rpt") holds, in the order it is filed.
struct ReportFormat {
    std::string Title = "Report Title";
    bool ShowTitle = true;
    bool ShowDate = true;
    bool ShowHeader = true;
    bool ShowPageNumbers = true;
    bool ShowRecordNumbers = true;
    std::vector<ReportFormatItem> Items;
    std::string LeftMargin = "1.00";  // inches, as typed
    std::string RightMargin = "1.00";
    std::string TopMargin = "1.00";
    std::string BottomMargin = "1.00";
    FontBox TitleFontBox{{}, "Title"};
    FontBox BodyFontBox{{}, "Body"};
    FontBox ValueFontBox{{}, "Value"};
    PageFont BodyFont;
    PageFont TitleFont;
    PageFont ValueFont;
    std::vector<HeaderSection> Sections;
    int HeaderWidth = 0;  // pixels
    bool Indent = false;
    std::string Columns = "3";
    std::array<RgbColour, ReportColumnColours> ColumnColours = ColumnReportSetup::FilledColours();
    bool Portrait = true;
    bool Landscape = false;
    bool operator==(const ReportFormat&) const = default;
};

// A margin box's text as inches: a number from 0 to 2, "." or "," before the decimals.
std::optional<double> MarginInches(const std::string& text);
// The column count's text as a number from 1 to 9.
std::optional<int> ColumnCount(const std::string& text);

void WriteReportFormat(ByteSink& sink, const ReportFormat& format);
// Reads the values in the order they are filed, each into format as it is read, so that when
// the file turns out damaged (FormatError) what was read before stays. The item list is
// emptied first and holds the items read whole.
void ReadReportFormat(ValueReader& reader, ReportFormat& format);

// Through SaveFileSafely; WriteError with the system's reason.
void SaveReportFormat(const std::string& path, const ReportFormat& format);
// ReadError when the file cannot be read, FormatError when it is no report format.
void LoadReportFormat(const std::string& path, ReportFormat& format);

// The settings of a format the layout needs; the margins and column count as the file holds
// them, when they read as numbers.
ColumnReportSetup SetupFromFormat(const ReportFormat& format);

}  // namespace quillmark
