// The spreadsheet window built for real on the offscreen platform: the grid reads the records
// through its model, typing in a cell reaches the record and nothing else, a dragged column
// lands under the pointer, and a wide grid prints across pages at its size on the screen, as
// the main window's picture and its tables print on pages of their own.

#include "ui/spreadsheet/spreadsheet_window.h"
#include "forms/main/view_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "ui/printing.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QPrinter>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <array>
#include <memory>

namespace quillmark {

namespace {

// 35 columns of 300 pixels and one of 3000, 100 rows.
class WideGrid : public PrintableGrid {
public:
    int ColumnCount() const override { return 36; }
    int RowCount() const override { return 100; }
    std::string HeaderText(int column) const override { return "Title " + std::to_string(column); }
    int ColumnWidth(int column) const override { return column == 35 ? 3000 : 300; }
    std::string CellText(int row, int column) const override
    {
        return std::to_string(row) + "," + std::to_string(column);
    }
    std::string BusyText() const override { return "Printing ..."; }
};

}  // namespace

class SpreadsheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        session_ = std::make_unique<test::Session>();
        session_->Start();
        ItemRecordList& records = session_->workspace.RecordList();
        records.clear();
        for (const char* name : {"Ann Smith", "Bob Jones"}) {
            records.push_back(std::make_shared<ItemRecord>());
            records.back()->RecordName = name;
        }
        records[0]->Detail[2] = "1985-03-04";  // typed before the box had its mask
        // Name, Birth Date.
        session_->workspace.SpreadsheetColumns.FieldNumbers.fill(-1);
        session_->workspace.SpreadsheetColumns.FieldNumbers[0] = 230;
        session_->workspace.SpreadsheetColumns.FieldNumbers[1] = 130;
        OpenWindow();
    }

    void cleanup()
    {
        window_.reset();
        const std::vector<std::string> problems = session_->dialogs.Problems;
        session_.reset();
        QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
    }

    void TypingInACellReachesItsRecord()
    {
        QCOMPARE(grid_->model()->rowCount(), 2);
        QCOMPARE(grid_->model()->headerData(1, Qt::Horizontal),
                 QVariant(QStringLiteral("Birth Date")));
        QCOMPARE(grid_->model()->index(1, 0).data(), QVariant(QStringLiteral("Bob Jones")));

        grid_->setCurrentIndex(grid_->model()->index(1, 0));
        QCOMPARE(session_->workspace.CurrentIndex, 1);
        // The first key opens the editor with itself; the rest go to the editor.
        QTest::keyClick(grid_, 'B');
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->objectName(), QStringLiteral("SpreadViewEditor"));
        QTest::keyClicks(editor, QStringLiteral("ea"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // Return commits once the key is done with
        QCOMPARE(session_->Record(1).RecordName, std::string("Bea"));
        QCOMPARE(grid_->model()->index(1, 0).data(), QVariant(QStringLiteral("Bea")));

        // Ctrl+Z in the grid takes the cell back through the main window's steps; Ctrl+Y does it
        // again.
        QTest::keyClick(grid_, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session_->Record(1).RecordName, std::string("Bob Jones"));
        QCOMPARE(session_->view.Actions.Redo.caption, std::string("Redo Changes to Bea"));
        QCOMPARE(grid_->model()->index(1, 0).data(), QVariant(QStringLiteral("Bob Jones")));
        QTest::keyClick(grid_, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(grid_->model()->index(1, 0).data(), QVariant(QStringLiteral("Bea")));
    }

    void OpeningAndLeavingACellKeepsItsValue()
    {
        // A value that does not fit the date mask is edited whole and without the mask; an
        // empty date comes back empty, not as the mask's separators.
        for (int row : {0, 1}) {
            grid_->setCurrentIndex(grid_->model()->index(row, 1));
            QTest::keyClick(grid_, Qt::Key_F2);
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor != nullptr);
            QCOMPARE(editor->objectName(), QStringLiteral("SpreadViewEditor"));
            QCOMPARE(editor->text(),
                     row == 0 ? QStringLiteral("1985-03-04") : QStringLiteral("//"));
            QTest::keyClick(editor, Qt::Key_Tab);
        }
        QCOMPARE(session_->Record(0).Detail[2], std::string("1985-03-04"));
        QCOMPARE(session_->Record(1).Detail[2], std::string());
    }

    // A title dragged along the title row leaves the grid where it is, and the column goes
    // to the title under the pointer. The grid used to scroll away under a pointer held high
    // or low in the row, and the column then landed where the pointer had been.
    void ADraggedColumnDropsUnderThePointer()
    {
        std::array<int, SpreadsheetColumnCount>& fields =
            session_->workspace.SpreadsheetColumns.FieldNumbers;
        for (int column = 0; column < 10; ++column) {
            fields[static_cast<std::size_t>(column)] = 110 + 10 * column;  // the detail fields
        }
        OpenWindow();
        QScrollBar* scrollBar = grid_->horizontalScrollBar();
        scrollBar->setValue(3);
        QHeaderView* header = grid_->horizontalHeader();
        QWidget* titles = header->viewport();
        const int moving = header->visualIndexAt(1);
        const auto at = [header](int visual, int eighths) {
            const int section = header->logicalIndex(visual);
            return QPoint(header->sectionViewportPosition(section) +
                              header->sectionSize(section) * eighths / 8,
                          3);
        };
        const QPoint drop = at(moving + 1, 6);
        QCursor::setPos(titles->mapToGlobal(drop));
        QTest::mousePress(titles, Qt::LeftButton, {}, at(moving, 1));
        for (int x = at(moving, 1).x(); x < drop.x(); x += 10) {
            QTest::mouseMove(titles, QPoint(x, drop.y()));
        }
        QTest::mouseMove(titles, drop);
        QTest::qWait(400);
        QCOMPARE(scrollBar->value(), 3);
        const int under = header->visualIndexAt(drop.x());
        QTest::mouseRelease(titles, Qt::LeftButton, {}, drop);

        const int movedField = 110 + 10 * moving;
        QCOMPARE(std::find(fields.begin(), fields.end(), movedField) - fields.begin(), under);
    }

    // What is printed takes the pages it needs: a window's picture one either way round, a table
    // one for its header alone and more as its rows run on. On A4 across with half-inch margins,
    // 10.69 by 7.27 inches, 1026 by 698 screen pixels hold three grid columns of 300 and 32 rows
    // below the titles: the 35 columns take 12 pages across, the one too wide for any page one
    // more, each of them 4 pages down.
    void PicturesTablesAndWideGridsPrintOnAsManyPagesAsTheyNeed()
    {
        const test::TemporaryFolder folder;
        const auto toPdf = [&folder](QPrinter& printer, const char* name) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(folder.File(name)));
            printer.setPageSize(QPageSize(QPageSize::A4));
        };
        const auto pages = [&folder](const char* name) {
            return test::PdfPageCount(test::ReadFileBytes(folder.File(name)));
        };
        QPixmap picture(630, 461);
        picture.fill(Qt::darkCyan);
        for (auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            QPrinter printer(QPrinter::HighResolution);
            toPdf(printer, "window.pdf");
            printer.setPageOrientation(orientation);
            PrintWindowPicture(picture, printer);
            QCOMPARE(pages("window.pdf"), 1);
        }

        PrintableTable table;
        table.title =
            "Experience: Ren\xE9"
            "e Smith";
        table.header = {"Employer", "Position", "Dates", "Notes"};
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, "short.pdf");
        PrintTable(table, printer);
        QCOMPARE(pages("short.pdf"), 1);
        for (int row = 1; row <= 99; ++row) {
            table.rows.push_back(
                {"Acme " + std::to_string(row), "Clerk", "1990-1995",
                 "Nights\r\nthen days, and a note long enough to wrap in its cell"});
        }
        toPdf(printer, "long.pdf");
        PrintTable(table, printer);
        QVERIFY(pages("long.pdf") >= 3);

        QPrinter across(QPrinter::HighResolution);
        toPdf(across, "grid.pdf");
        across.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        PrintGrid(WideGrid(), across);
        QCOMPARE(pages("grid.pdf"), 13 * 4);
    }

private:
    void OpenWindow()
    {
        window_ = std::make_unique<SpreadsheetWindow>(session_->workspace);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        grid_ = window_->findChild<QTableView*>(QStringLiteral("SpreadView"));
        QVERIFY(grid_ != nullptr);
    }

    std::unique_ptr<test::Session> session_;
    std::unique_ptr<SpreadsheetWindow> window_;
    QTableView* grid_ = nullptr;
};

}  // namespace quillmark

QTEST_MAIN(quillmark::SpreadsheetWindowTest)
#include "spreadsheet_window_test.moc"
