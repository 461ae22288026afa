// What goes to the printer, written to PDF files on the offscreen platform.

#include "forms/services.h"
#include "ui/printing.h"

#include <QFile>
#include <QPixmap>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace quillmark {

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void WindowPictureFitsOnePage()
    {
        QPixmap window(630, 461);
        window.fill(Qt::darkCyan);
        for (auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            QPrinter printer(QPrinter::HighResolution);
            PrintTo(printer, "window.pdf");
            printer.setPageOrientation(orientation);
            PrintWindowPicture(window, printer);
            QCOMPARE(Pages("window.pdf"), 1);
        }
    }

    void LongTablesRunOverSeveralPages()
    {
        PrintableTable table;
        table.title =
            "Experience: Ren\xE9"
            "e Smith";
        table.header = {"Employer", "Position", "Dates", "Notes"};
        QPrinter printer(QPrinter::HighResolution);
        PrintTo(printer, "short.pdf");
        PrintTable(table, printer);  // the header alone
        QCOMPARE(Pages("short.pdf"), 1);

        for (int row = 1; row <= 99; ++row) {
            table.rows.push_back(
                {"Acme " + std::to_string(row), "Clerk", "1990-1995",
                 "Nights\r\nthen days, and a note long enough to wrap in its cell"});
        }
        printer.setOutputFileName(folder_.filePath("long.pdf"));
        PrintTable(table, printer);
        QVERIFY(Pages("long.pdf") >= 3);
    }

private:
    void PrintTo(QPrinter& printer, const QString& name)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder_.filePath(name));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    int Pages(const QString& name)
    {
        QFile file(folder_.filePath(name));
        const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (!pdf.startsWith("%PDF")) {
            return -1;
        }
        return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
    }

    QTemporaryDir folder_;
};

}  // namespace quillmark

QTEST_MAIN(quillmark::PrintingTest)
#include "qt_printing_test.moc"
