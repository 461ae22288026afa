#include "engine/reports/column_report.h"

#include "core/byte_stream.h"
#include "core/database.h"
#include "core/field_catalogue.h"
#include "engine/reports/comma_delimited.h"
#include "engine/reports/document_title.h"
#include "engine/reports/html_table.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace quillmark {

namespace {

// Room for the page number at the right of the head.
constexpr int PageNumberWidth = 250;

// No character is narrower than a twip, so a line as wide as this shows no more characters
// than it has twips: the rest of a text, however long, is neither measured nor drawn.
std::string_view WhatFits(std::string_view text, int width)
{
    return text.substr(0, std::min(text.size(), static_cast<std::size_t>(std::max(width, 0))));
}

}  // namespace

std::string ReportItemLabel(int item, const Database& database)
{
    return FieldTitle(ReportNumberOfItem(item), FieldNumbering::Report, database);
}

std::string ReportCellValue(const ItemRecord& record, int position, int item,
                            bool shortDescriptions)
{
    const int number = ReportNumberOfItem(item);
    std::string value =
        FieldValue(record, position + 1, number, FieldNumbering::Report, shortDescriptions);
    const RecordField* field = FieldByReportNumber(number);
    if (value.empty() && field != nullptr && field->kind == FieldKind::Status) {
        return "None";
    }
    return value;
}

std::string ReportDateText(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
    return text;
}

int MarginTwips(double inches)
{
    return static_cast<int>(std::nearbyint(inches * TwipsPerInch));
}

int ColumnWidthOnPaper(int sectionWidth, int headerWidth, int printableWidth)
{
    if (headerWidth <= 0) {
        return 0;
    }
    const double twips = static_cast<double>(sectionWidth) / headerWidth * printableWidth;
    return static_cast<int>(std::clamp(std::round(twips), 0.0, double{INT_MAX}));
}

PrintableArea CalculateSpace(TOrvPrinter& store, const ColumnReportSetup& setup)
{
    store.Reset();
    store.Margins = {MarginTwips(setup.LeftMargin), MarginTwips(setup.TopMargin),
                     MarginTwips(setup.RightMargin), MarginTwips(setup.BottomMargin)};
    return {store.PageWidth() * TwipsPerInch - store.Margins.left - store.Margins.right,
            store.PageHeight() * TwipsPerInch - store.Margins.top - store.Margins.bottom};
}

ColumnReportLayout::ColumnReportLayout(const ColumnReportSetup& setup, const Database& database,
                                       bool shortDescriptions, TOrvPrinter& store)
    : setup_(setup), database_(database), shortDescriptions_(shortDescriptions), store_(store)
{
}

void ColumnReportLayout::CalculateSpace()
{
    const PrintableArea area = quillmark::CalculateSpace(store_, setup_);
    PrintableWidth = area.width;
    PrintableHeight = area.height;
    const int columns = std::clamp(setup_.Columns, 1, MaximumReportColumns);
    widths_.assign(static_cast<std::size_t>(columns), PrintableWidth / columns);
    for (std::size_t column = 0;
         column < widths_.size() && column < setup_.SectionWidths.size() && setup_.HeaderWidth > 0;
         ++column) {
        widths_[column] = std::clamp(
            ColumnWidthOnPaper(setup_.SectionWidths[column], setup_.HeaderWidth, PrintableWidth), 0,
            std::max(PrintableWidth, 0));
    }
    // Sections wider together than their header, as older versions filed them, would push the
    // last columns off the paper: the columns share the printable width in their proportions.
    long long total = 0;
    for (const int width : widths_) {
        total += width;
    }
    if (total > PrintableWidth && PrintableWidth > 0) {
        long long before = 0;
        int edge = 0;
        for (int& width : widths_) {
            before += width;
            const int next = static_cast<int>(before * PrintableWidth / total);
            width = next - edge;
            edge = next;
        }
    }
}

int ColumnReportLayout::ColumnWidth(int column) const
{
    if (column < 0 || column >= static_cast<int>(widths_.size())) {
        return 0;
    }
    return widths_[static_cast<std::size_t>(column)];
}

int ColumnReportLayout::LineHeight()
{
    const PageFont& font = store_.Canvas().Font();
    return FontHeight(font) + font.size;
}

void ColumnReportLayout::WriteCell(std::string_view text)
{
    if (tableOff_ || ExportRow < 0 || ExportColumn < 0) {
        return;
    }
    std::vector<std::string>& row = Table[static_cast<std::size_t>(ExportRow)];
    const auto column = static_cast<std::size_t>(ExportColumn);
    if (row.size() <= column) {
        row.resize(column + 1);
    }
    row[column] = text;
    tableWidth_ = std::max(tableWidth_, row.size());
}

void ColumnReportLayout::Text(std::string_view text, int item)
{
    const int columns = static_cast<int>(widths_.size());
    // A cell never lands beyond the last column, whatever wrapped before it.
    if (ColumnIndex >= columns) {
        NewLine();
        if (setup_.Indent && columns > 1) {
            PrintX += ColumnWidth(0);
            ColumnIndex += 1;
        }
    }
    PageCanvas& canvas = store_.Canvas();
    canvas.SetBrush(setup_.ColumnColours[static_cast<std::size_t>(ColumnIndex)]);
    const int width = ColumnWidth(ColumnIndex);
    canvas.TextRect({PrintX, PrintY, PrintX + width, PrintY + LineHeight() + 2}, PrintX, PrintY,
                    OnOneLine(WhatFits(text, width), drawn_));
    WriteCell(text);
    PrintX += width;
    ColumnIndex += 1;
    if (ColumnIndex >= columns && item < static_cast<int>(setup_.Items.size()) - 1) {
        NewLine();
        // With one column there is nothing to indent into.
        if (setup_.Indent && columns > 1) {
            PrintX += ColumnWidth(0);
            ColumnIndex += 1;
        }
    }
}

void ColumnReportLayout::NewLine()
{
    PrintY += LineHeight();
    // A head taller than the page stays on its page rather than starting page after page.
    if (!inHead_ && PrintY + LineHeight() > PrintableHeight) {
        store_.NewPage();
        PageNumber += 1;
        PrintY = 0;
        ColumnIndex = 0;
        PrintHead();
    }
    PrintX = 0;
    ColumnIndex = 0;
}

void ColumnReportLayout::PrintHead()
{
    inHead_ = true;
    PageCanvas& canvas = store_.Canvas();
    PrintX = 0;
    PrintY += 10;
    canvas.SetFont(setup_.TitleFont);
    bool drawn = false;
    if (setup_.ShowPageNumbers) {
        canvas.TextRect(
            {PrintableWidth - PageNumberWidth, PrintY, PrintableWidth, PrintY + LineHeight() + 2},
            PrintableWidth - PageNumberWidth, PrintY, std::to_string(PageNumber));
        drawn = true;
    }
    if (setup_.ShowTitle) {
        const std::string_view title = OnOneLine(WhatFits(setup_.Title, PrintableWidth), drawn_);
        canvas.TextOut((PrintableWidth - canvas.TextWidth(title)) / 2, PrintY, title);
        drawn = true;
    }
    if (setup_.ShowDate) {
        canvas.TextOut(0, PrintY, setup_.Date);
        drawn = true;
    }
    if (drawn) {
        PrintY += LineHeight();
        PrintX = 0;
    }
    canvas.SetFont(setup_.BodyFont);
    PrintY += 75;
    PrintX = 0;
    for (int column = 0; column < static_cast<int>(widths_.size()); ++column) {
        canvas.SetBrush(setup_.ColumnColours[static_cast<std::size_t>(column)]);
        canvas.FillRect({PrintX, PrintY, PrintX + ColumnWidth(column), PrintableHeight});
        PrintX += ColumnWidth(column);
    }
    canvas.MoveTo(0, PrintY);
    canvas.LineTo(PrintableWidth, PrintY);
    PrintY += 50;
    // The labels start in the first column, as the cells below them do.
    PrintX = 0;
    ColumnIndex = 0;
    PreviewRecord(-1, true);
    PrintY += FontHeight(canvas.Font()) + 50;
    canvas.MoveTo(0, PrintY);
    canvas.LineTo(PrintableWidth, PrintY);
    PrintY += 100;
    inHead_ = false;
}

void ColumnReportLayout::PreviewRecord(int position, bool header)
{
    // The labels go into the export table once; the heads of later pages, which may come in
    // the middle of a record, leave the table and the record's place in it alone.
    const bool tableWasOff = tableOff_;
    const int exportRow = ExportRow;
    const int exportColumn = ExportColumn;
    if (header && labelsWritten_) {
        tableOff_ = true;
    } else {
        Table.emplace_back();
        ExportRow += 1;
    }
    ExportColumn = -1;
    if (!header) {
        RecordsShown += 1;
    }
    if (setup_.ShowRecordNumbers) {
        ExportColumn += 1;
        Text(header ? std::string("#") : std::to_string(RecordSequence) + ".", 0);
    }
    const ItemRecord* record =
        header ? nullptr : database_.RecordList[static_cast<std::size_t>(position)].get();
    for (int j = 0; j < static_cast<int>(setup_.Items.size()); ++j) {
        const int item = setup_.Items[static_cast<std::size_t>(j)];
        ExportColumn += 1;
        Text(header ? ReportItemLabel(item, database_)
                    : ReportCellValue(*record, position, item, shortDescriptions_),
             j);
    }
    if (header) {
        if (labelsWritten_) {
            ExportRow = exportRow;
            ExportColumn = exportColumn;
        }
        labelsWritten_ = true;
        tableOff_ = tableWasOff;
    }
}

void ColumnReportLayout::Run(ReportMode mode)
{
    CalculateSpace();
    PrintX = 0;
    PrintY = 0;
    PageNumber = 1;
    store_.SetFont(setup_.TitleFont);
    RecordsShown = 0;
    Table.clear();
    tableWidth_ = 0;
    labelsWritten_ = false;
    tableOff_ = false;
    ExportRow = -1;
    ExportColumn = 0;
    ColumnIndex = 0;
    RecordSequence = 0;
    PageLimitReached = false;

    PrintHead();
    const ItemRecordList& records = database_.RecordList;
    for (std::size_t position = 0; position < records.size(); ++position) {
        if (mode == ReportMode::SearchList && !records[position]->InSearchList) {
            continue;
        }
        ColumnIndex = 0;
        PrintX = 0;
        RecordSequence += 1;
        PreviewRecord(static_cast<int>(position), false);
        if (PageNumber > MaximumReportPages) {
            PageLimitReached = true;
            break;
        }
        NewLine();
        ColumnIndex = 0;
    }
    store_.Finish();
    for (std::vector<std::string>& row : Table) {
        row.resize(tableWidth_);
    }
}

void WriteExportCsv(ByteSink& sink, const ExportTable& table)
{
    std::string text;
    for (const std::vector<std::string>& row : table) {
        text += CommaDelimitedLine(row);
        text += "\r\n";
    }
    sink.Write(text);
}

void WriteExportHtml(ByteSink& sink, const ExportTable& table, const std::string& title)
{
    HtmlTableOptions options;
    options.title = title;
    WriteHtmlTable(sink, table, options);
}

}  // namespace quillmark
