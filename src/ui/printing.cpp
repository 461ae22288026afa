#include "ui/printing.h"

#include "engine/print_scaling.h"
#include "forms/services.h"
#include "ui/text.h"

#include <algorithm>
#include <functional>

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace quillmark {

void PrintWindowPicture(const QPixmap& picture, QPrinter& printer)
{
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const PrintedSize size =
        ScaleToPage(picture.width(), picture.height(), page.width(), page.height());
    QPainter painter(&printer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(0, 0, size.width, size.height), picture);
}

namespace {

// Cells keep their line breaks as CR LF; the document wants one break per line.
QString CellText(const std::string& text)
{
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

}  // namespace

void PrintTable(const PrintableTable& table, QPrinter& printer)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat titleFormat;
    titleFormat.setFontWeight(QFont::Bold);
    titleFormat.setFontPointSize(document.defaultFont().pointSizeF() * 1.4);
    cursor.insertText(ToQt(table.title), titleFormat);
    cursor.insertBlock();

    const int columns = static_cast<int>(table.header.size());
    if (columns == 0) {
        document.print(&printer);
        return;
    }
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(4);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* grid = cursor.insertTable(static_cast<int>(table.rows.size()) + 1, columns, format);
    QTextCharFormat headerFormat;
    headerFormat.setFontWeight(QFont::Bold);
    for (int column = 0; column < columns; ++column) {
        grid->cellAt(0, column).firstCursorPosition().insertText(
            CellText(table.header[static_cast<std::size_t>(column)]), headerFormat);
    }
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const std::vector<std::string>& cells = table.rows[row];
        for (int column = 0; column < columns && column < static_cast<int>(cells.size());
             ++column) {
            grid->cellAt(static_cast<int>(row) + 1, column)
                .firstCursorPosition()
                .insertText(CellText(cells[static_cast<std::size_t>(column)]));
        }
    }
    document.print(&printer);
}

namespace {

constexpr int GridRowHeight = 21;  // the grid's rows on the screen, in pixels
constexpr double ScreenDpi = 96.0;

QString OneLine(const std::string& text)
{
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    shown.replace(u'\r', u' ');
    shown.replace(u'\n', u' ');
    return shown;
}

// The columns of one page across: as many as fit side by side, at least one.
struct ColumnBand {
    std::size_t first = 0;
    std::size_t end = 0;  // one past the last
};

std::vector<ColumnBand> ColumnBands(const std::vector<int>& widths, int pageWidth)
{
    std::vector<ColumnBand> bands;
    for (std::size_t column = 0; column < widths.size();) {
        ColumnBand band{column, column + 1};
        int used = widths[column];
        while (band.end < widths.size() && used + widths[band.end] <= pageWidth) {
            used += widths[band.end++];
        }
        bands.push_back(band);
        column = band.end;
    }
    return bands;
}

// One row of a band of cells at the height y, in screen pixels; a column wider than the page
// is cut at its edge.
void DrawGridRow(QPainter& painter, const std::vector<int>& widths, ColumnBand band, int pageWidth,
                 int y, const std::function<std::string(int)>& cellText, bool header)
{
    const QFontMetrics metrics = painter.fontMetrics();
    int x = 0;
    for (std::size_t column = band.first; column < band.end; ++column) {
        const QRect cell(x, y, std::min(widths[column], pageWidth - x), GridRowHeight);
        if (header) {
            painter.fillRect(cell, QColor(0xE0, 0xE0, 0xE0));
        }
        painter.drawRect(cell);
        const QRect inside = cell.adjusted(3, 0, -3, 0);
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(OneLine(cellText(static_cast<int>(column))),
                                            Qt::ElideRight, inside.width()));
        x += cell.width();
    }
}

}  // namespace

void PrintGrid(const PrintableGrid& grid, QPrinter& printer, const ProgressReport& progress)
{
    std::vector<int> widths;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        widths.push_back(std::max(grid.ColumnWidth(column), 1));
    }
    // Drawn in screen pixels, each an inch's 96th on paper: columns as wide as on the screen
    // and the text as large.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = printer.resolution() / ScreenDpi;
    const int pageWidth = std::max(1, static_cast<int>(page.width() / scale));
    const int rowsPerPage =
        std::max(1, static_cast<int>(page.height() / scale / GridRowHeight) - 1);

    QPainter painter(&printer);
    if (!painter.isActive()) {
        return;
    }
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(12);
    QFont bold = font;
    bold.setBold(true);
    painter.setPen(QPen(Qt::black, 0));

    // Down the rows first, then on to the next columns across, the column titles at the top of
    // every page.
    const int rows = grid.RowCount();
    const std::vector<ColumnBand> bands = ColumnBands(widths, pageWidth);
    const std::size_t pages = bands.size() * static_cast<std::size_t>(std::max(
                                                 1, (rows + rowsPerPage - 1) / rowsPerPage));
    std::size_t printed = 0;
    for (const ColumnBand& band : bands) {
        int row = 0;
        do {
            if (printed > 0) {
                printer.newPage();
            }
            if (progress) {
                progress(printed, pages);
            }
            ++printed;
            painter.setFont(bold);
            DrawGridRow(
                painter, widths, band, pageWidth, 0,
                [&grid](int column) { return grid.HeaderText(column); }, true);
            painter.setFont(font);
            for (int line = 1; line <= rowsPerPage && row < rows; ++line, ++row) {
                DrawGridRow(
                    painter, widths, band, pageWidth, line * GridRowHeight,
                    [&grid, row](int column) { return grid.CellText(row, column); }, false);
            }
        } while (row < rows);
    }
}

}  // namespace quillmark
