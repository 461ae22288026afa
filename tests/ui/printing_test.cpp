// What goes to the printer, written to PDF files on the offscreen platform.

#include "app/services.h"
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
    void WindowPictureFitsOnePage();
    void LongTablesRunOverSeveralPages();

private:
    static void PrintToFile(QPrinter& printer, const QString& path)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    static int PagesIn(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        const QByteArray pdf = file.readAll();
        if (!pdf.startsWith("%PDF")) {
            return -1;
        }
        return static_cast<int>(
            QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
    }
};

void PrintingTest::WindowPictureFitsOnePage()
{
    QTemporaryDir folder;
    QPixmap window(630, 461);
    window.fill(Qt::darkCyan);
    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        const QString path = folder.filePath(QString("window%1.pdf").arg(orientation));
        QPrinter printer(QPrinter::HighResolution);
        PrintToFile(printer, path);
        printer.setPageOrientation(orientation);
        PrintWindowPicture(window, printer);
        QCOMPARE(PagesIn(path), 1);
    }
}

void PrintingTest::LongTablesRunOverSeveralPages()
{
    QTemporaryDir folder;
    PrintableTable table;
    table.title =
        "Experience: Ren\xE9"
        "e Smith";
    table.header = {"Employer", "Position", "Dates", "Notes"};
    QPrinter printer(QPrinter::HighResolution);
    const QString shortPath = folder.filePath("short.pdf");
    PrintToFile(printer, shortPath);
    PrintTable(table, printer);  // the header alone
    QCOMPARE(PagesIn(shortPath), 1);

    for (int row = 1; row <= 99; ++row) {
        table.rows.push_back({"Acme " + std::to_string(row), "Clerk", "1990-1995",
                              "Nights\r\nthen days, and a note long enough to wrap in its cell"});
    }
    const QString longPath = folder.filePath("long.pdf");
    printer.setOutputFileName(longPath);
    PrintTable(table, printer);
    QVERIFY(PagesIn(longPath) >= 3);
}

}  // namespace quillmark

QTEST_MAIN(quillmark::PrintingTest)
#include "printing_test.moc"
