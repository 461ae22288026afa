// The two report windows built for real on the offscreen platform. The column report: items
// picked, ten pages laid out with the screen's fonts, previewed, and written as PDF by Qt's
// writer. The HTML report: items picked from the menu, reordered, a header typed, and the page
// viewed; the font chooser with its colour.

#include "support/fake_services.h"
#include "support/next_menu.h"
#include "support/test_helpers.h"
#include "ui/column_report/column_report_window.h"
#include "ui/font_chooser.h"
#include "ui/html_report/html_report_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace quillmark {

using test::PickFromNextMenu;

class ReportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void TenPagesArePreviewedAndWrittenAsPdf();
    void ItemsArePickedAndThePageViewed();
};

void ReportWindowsTest::TenPagesArePreviewedAndWrittenAsPdf()
{
    test::Session session;
    session.Start();
    for (int i = 0; i < 800; ++i) {
        auto record = std::make_shared<ItemRecord>();
        record->RecordName = "Person " + std::to_string(i);
        record->Detail[1] = "Springfield";
        session.workspace.RecordList().push_back(record);
    }
    const test::TemporaryFolder folder;

    ColumnReportWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The items' group keeps its title off the window's edge.
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("Fields"))
                ->parentWidget()
                ->mapTo(&window, QPoint())
                .x() > 0);
    for (const char* item : {"Name", "City", "Status"}) {
        PickFromNextMenu(QLatin1StringView(item));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("AddBtn")), Qt::LeftButton);
    }

    // In the preview, once it is up: the PDF export, then closing.
    session.dialogs.ChooseFile(folder.File("staff"));
    QElapsedTimer clock;
    qint64 previewShown = -1;
    qint64 pdfWritten = -1;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        QVERIFY(preview != nullptr);
        previewShown = clock.restart();
        auto* exportMenu = preview->findChild<QMenu*>(QStringLiteral("ExportMenu"));
        QVERIFY(exportMenu != nullptr);
        for (QAction* entry : exportMenu->actions()) {
            if (entry->text() == QStringLiteral("Export to PDF")) {
                entry->trigger();
            }
        }
        pdfWritten = clock.elapsed();
        // The print dialog is the preview's, on top as the preview is, or it would open behind.
        QTimer::singleShot(0, [preview] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != preview && dialog->parentWidget() == preview);
            QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            dialog->close();
        });
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("PrintBtn")),
                          Qt::LeftButton);
        preview->close();
    });
    clock.start();
    window.findChild<QAction*>(QStringLiteral("PreviewTBtn"))->trigger();

    // Past ten pages the user is told, and the tenth page ends the report.
    QVERIFY(session.dialogs.Texts().size() >= 1);
    QVERIFY(session.dialogs.Texts().front().starts_with(
        "Warning ... your report contains too much data."));
    QCOMPARE(session.dialogs.Texts().back(), std::string("File Saved"));
    const std::string pdf = test::ReadFileBytes(folder.File("staff.pdf"));
    QVERIFY(pdf.starts_with("%PDF"));
    QCOMPARE(test::PdfPageCount(pdf), 11);
    qInfo("preview of eleven pages shown after %lld ms, PDF written in %lld ms", previewShown,
          pdfWritten);
}

namespace {

QStringList Shown(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        texts << list->item(row)->text();
    }
    return texts;
}

}  // namespace

void ReportWindowsTest::ItemsArePickedAndThePageViewed()
{
    test::Session session;
    session.Start();
    const test::TemporaryFolder folder;
    session.workspace.UserDataFolder = folder.Path();
    session.workspace.RecordList().front()->RecordName = "R&D";
    session.workspace.RecordList().front()->Working = true;

    HtmlReportWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* fields = window.findChild<QListWidget*>(QStringLiteral("Fields"));
    auto* view = window.findChild<QPushButton*>(QStringLiteral("ViewBtn"));
    QVERIFY(!view->isEnabled());
    for (const char* item : {"Name", "Status"}) {
        PickFromNextMenu(QLatin1StringView(item));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("AddBtn")), Qt::LeftButton);
    }
    QCOMPARE(Shown(fields), (QStringList{QStringLiteral("Name"), QStringLiteral("Status")}));
    fields->setCurrentRow(1);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("MoveUpBtn")), Qt::LeftButton);
    QCOMPARE(Shown(fields), (QStringList{QStringLiteral("Status"), QStringLiteral("Name")}));
    QCOMPARE(fields->currentRow(), 0);

    QTest::keyClicks(window.findChild<QPlainTextEdit*>(QStringLiteral("HeaderHTML")),
                     QStringLiteral("<h1>Staff</h1>"));
    QVERIFY(view->isEnabled());
    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(session.shell.DocumentsOpened, std::vector<std::string>{folder.File("rphtml.htm")});
    const std::string page = test::ReadFileBytes(folder.File("rphtml.htm"));
    QVERIFY(page.find("<body>\r\n<h1>Staff</h1>\r\n<table") != std::string::npos);
    QVERIFY(page.find(">Working</font>") < page.find(">R&amp;D</font>"));

    // The font chooser gives back the font it started at, and then the one picked, with the
    // colour it had.
    PageFont initial;
    initial.colour = {1, 2, 3};
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QVERIFY(!ChooseFontWithColour(&window, initial).has_value());
    initial.underline = true;
    QTimer::singleShot(0,
                       [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    const std::optional<PageFont> unchanged = ChooseFontWithColour(&window, initial);
    QVERIFY(unchanged.has_value());
    QVERIFY(unchanged->underline && !unchanged->bold && !unchanged->italic);
    initial.underline = false;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        // A family of the system's with a bold face of its own.
        QString family;
        for (const QString& candidate : QFontDatabase::families()) {
            if (QFontDatabase::styles(candidate).contains(QStringLiteral("Bold"))) {
                family = candidate;
                break;
            }
        }
        QFont font(family, 12);
        font.setBold(true);
        font.setUnderline(true);
        dialog->findChild<QFontDialog*>(QStringLiteral("Fonts"))->setCurrentFont(font);
        dialog->accept();
    });
    // Sizes above the chooser's limit are taken as the largest.
    const std::optional<PageFont> chosen = ChooseFontWithColour(&window, initial, 10);
    QVERIFY(chosen.has_value());
    QVERIFY(chosen->bold && chosen->underline && !chosen->italic);
    QCOMPARE(chosen->size, 10);
    QCOMPARE(chosen->colour, (RgbColour{1, 2, 3}));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::ReportWindowsTest)
#include "report_windows_test.moc"
