#pragma once

#include "core/record_fields.h"
#include "engine/reports/page_canvas.h"
#include "engine/reports/page_store.h"
#include "engine/reports/report_mode.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class ByteSink;
struct Database;
struct ItemRecord;

// The column report's items are the report fields by their place in the item menu, from 0
// (ReportNumberOfItem).
inline const int ReportItemChoices = ReportItemCount();
inline constexpr int MaximumReportItems = 21;
inline constexpr int MaximumReportPages = 10;
inline constexpr int MaximumReportColumns = 9;
inline constexpr int ReportColumnColours = 10;

// The label an item has in the page head and the item menu.
std::string ReportItemLabel(int item, const Database& database);
// What a record shows under an item; a record with no status shows "None".
std::string ReportCellValue(const ItemRecord& record, int position, int item,
                            bool shortDescriptions);

// "2001/03/09": the date in the page head and in imported records.
std::string ReportDateText(int year, int month, int day);

// A margin typed in inches, in twips: to the nearest twip, halves to the even one.
int MarginTwips(double inches);

// A column's width on paper: its share of the column header, times the printable width.
int ColumnWidthOnPaper(int sectionWidth, int headerWidth, int printableWidth);

struct ColumnReportSetup {
    std::string Title = "Report Title";
    bool ShowTitle = true;
    bool ShowDate = true;
    bool ShowPageNumbers = true;
    bool ShowRecordNumbers = true;
    bool Indent = false;
    std::vector<int> Items;  // entry positions, in order
    int Columns = 3;
    // The column header's section widths and its own width, in pixels; a column without a
    // section takes an equal share of the printable width.
    std::vector<int> SectionWidths;
    int HeaderWidth = 0;
    std::array<RgbColour, ReportColumnColours> ColumnColours = FilledColours();
    double LeftMargin = 1;  // inches
    double TopMargin = 1;
    double RightMargin = 1;
    double BottomMargin = 1;
    PageFont TitleFont;
    PageFont BodyFont;
    std::string Date;  // as the head shows it

    static std::array<RgbColour, ReportColumnColours> FilledColours()
    {
        std::array<RgbColour, ReportColumnColours> colours;
        colours.fill(WhiteColour);
        return colours;
    }
};

struct PrintableArea {
    int width = 0;
    int height = 0;
};

// A fresh start for the store: one empty page, the margins in twips; the area inside them.
PrintableArea CalculateSpace(TOrvPrinter& store, const ColumnReportSetup& setup);

// The table of the report's cells: a row of labels, then a row per record laid out; every row
// as wide as the widest.
using ExportTable = std::vector<std::vector<std::string>>;

// Lays records out on pages: a head on each page (page number, title, date, the column
// stripes and a line of labels between two rules), then each record's cells across the
// columns, wrapping onto further lines.
class ColumnReportLayout {
public:
    ColumnReportLayout(const ColumnReportSetup& setup, const Database& database,
                       bool shortDescriptions, TOrvPrinter& store);

    // The records the mode names, until the record that passes onto page 11.
    void Run(ReportMode mode);

    void CalculateSpace();
    void PrintHead();
    // A record's cells, or the labels when header is set.
    void PreviewRecord(int position, bool header);
    void Text(std::string_view text, int item);
    void NewLine();
    int LineHeight();
    int ColumnWidth(int column) const;

    int PrintX = 0;
    int PrintY = 0;
    int PageNumber = 0;
    int ColumnIndex = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    int RecordSequence = 0;
    int RecordsShown = 0;
    int ExportRow = -1;
    int ExportColumn = 0;
    bool PageLimitReached = false;
    ExportTable Table;

private:
    void WriteCell(std::string_view text);

    const ColumnReportSetup& setup_;
    const Database& database_;
    bool shortDescriptions_;
    TOrvPrinter& store_;
    std::vector<int> widths_;
    std::string drawn_;  // a text as drawn, when it differs from the value
    std::size_t tableWidth_ = 0;
    bool inHead_ = false;
    bool labelsWritten_ = false;
    bool tableOff_ = false;
};

// The export table as a comma-delimited file: a line a row, each ended by CR LF.
void WriteExportCsv(ByteSink& sink, const ExportTable& table);
// The export table as an HTML page of plain cells under the title.
void WriteExportHtml(ByteSink& sink, const ExportTable& table, const std::string& title);

}  // namespace quillmark
