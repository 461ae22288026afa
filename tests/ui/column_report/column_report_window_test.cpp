// The column report window built for real on the offscreen platform: items picked, ten pages
// laid out with the screen's fonts, previewed, and written as PDF by Qt's writer.

#include "ui/column_report/column_report_window.h"
#include "core/database.h"
#include "support/fake_services.h"
#include "support/next_menu.h"
#include "support/test_helpers.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace quillmark {

using test::PickFromNextMenu;

class ColumnReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void TenPagesArePreviewedAndWrittenAsPdf();
};

void ColumnReportWindowTest::TenPagesArePreviewedAndWrittenAsPdf()
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

}  // namespace quillmark

QTEST_MAIN(quillmark::ColumnReportWindowTest)
#include "column_report_window_test.moc"
