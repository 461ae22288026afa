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
    shown.replace("\r\n", "\n");
    shown.replace('\r', '\n');
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
    shown.replace("\r\n", " ");
    shown.replace('\r', ' ');
    shown.replace('\n', ' ');
    return shown;
}

// One row of cells at the height y, in screen pixels.
void DrawGridRow(QPainter& painter, const std::vector<int>& widths, int y,
                 const std::function<std::string(int)>& cellText, bool header)
{
    const QFontMetrics metrics = painter.fontMetrics();
    int x = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const QRect cell(x, y, widths[column], GridRowHeight);
        if (header) {
            painter.fillRect(cell, QColor(0xE0, 0xE0, 0xE0));
        }
        painter.drawRect(cell);
        const QRect inside = cell.adjusted(3, 0, -3, 0);
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(OneLine(cellText(static_cast<int>(column))),
                                            Qt::ElideRight, inside.width()));
        x += widths[column];
    }
}

}  // namespace

void PrintGrid(const PrintableGrid& grid, bool shrinkToFit, QPrinter& printer)
{
    std::vector<int> widths;
    int gridWidth = 0;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        widths.push_back(std::max(grid.ColumnWidth(column), 1));
        gridWidth += widths.back();
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Screen pixels to printer pixels; smaller when the grid is wider than the page.
    double scale = printer.resolution() / ScreenDpi;
    if (shrinkToFit && gridWidth > 0 && gridWidth * scale > page.width()) {
        scale = page.width() / static_cast<double>(gridWidth);
    }
    const int rowsPerPage =
        std::max(1, static_cast<int>(page.height() / scale / GridRowHeight) - 1);

    QPainter painter(&printer);
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(12);
    QFont bold = font;
    bold.setBold(true);
    painter.setPen(QPen(Qt::black, 0));

    const int rows = grid.RowCount();
    int row = 0;
    do {
        if (row > 0) {
            printer.newPage();
        }
        painter.setFont(bold);
        DrawGridRow(
            painter, widths, 0, [&grid](int column) { return grid.HeaderText(column); }, true);
        painter.setFont(font);
        for (int line = 1; line <= rowsPerPage && row < rows; ++line, ++row) {
            DrawGridRow(
                painter, widths, line * GridRowHeight,
                [&grid, row](int column) { return grid.CellText(row, column); }, false);
        }
    } while (row < rows);
}

}  // namespace quillmark
