#include "ui/printing.h"

#include "engine/print_scaling.h"
#include "forms/services.h"
#include "ui/text.h"

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

}  // namespace quillmark
