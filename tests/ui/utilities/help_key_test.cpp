// F1 pressed in each window of the program, built for real on the offscreen platform, asks for
// that window's own help topic, and every topic asked for has a page of its own to open.

#include "engine/reports/page_store.h"
#include "forms/categories/add_description_form.h"
#include "forms/preview/preview_form.h"
#include "support/fake_page_devices.h"
#include "support/fake_services.h"
#include "ui/album/album_window.h"
#include "ui/categories/add_description_dialog.h"
#include "ui/cd_player/cd_player_window.h"
#include "ui/column_report/column_report_window.h"
#include "ui/graph/graph_window.h"
#include "ui/html_report/html_report_window.h"
#include "ui/main/main_window.h"
#include "ui/preview/preview_window.h"
#include "ui/search/search_window.h"
#include "ui/spreadsheet/spreadsheet_window.h"
#include "ui/utilities/help_window.h"

#include <QApplication>
#include <QDialog>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace quillmark {

class HelpKeyTest : public QObject {
    Q_OBJECT

private slots:
    void F1InEveryWindowOpensItsOwnPage();
};

namespace {

// F1 typed where the window has put the focus.
void PressF1In(QWidget& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, Qt::Key_F1);
}

}  // namespace

void HelpKeyTest::F1InEveryWindowOpensItsOwnPage()
{
    test::Session session;
    session.Start();
    HelpKey helpKey(session.shell);
    qApp->installEventFilter(&helpKey);
    const QList<HelpPage> pages = ReadHelpPages(QStringLiteral(QUILLMARK_DATA_DIR "/help"));

    std::vector<std::string>& asked = session.shell.HelpTopics;
    // The window's topic was asked for once, and its page is a page of its own.
    const auto expectTopic = [&](const char* window, const std::string& topic) {
        QVERIFY2(asked.size() == 1, window);
        QCOMPARE(QString::fromStdString(asked.front()), QString::fromStdString(topic));
        asked.clear();
        const QString fileName = HelpTopicFileName(QString::fromStdString(topic));
        const auto page = std::find_if(pages.begin(), pages.end(), [&](const HelpPage& each) {
            return each.fileName == fileName;
        });
        QVERIFY2(page != pages.end(), qPrintable(fileName));
        QCOMPARE(page->title,
                 topic.empty() ? QStringLiteral("Contents") : QString::fromStdString(topic));
        QVERIFY2(page->foldedText.size() > 800,
                 qPrintable(fileName + QStringLiteral(" says too little")));
    };

    Workspace& workspace = session.workspace;
    const auto pressIn = [&](std::unique_ptr<QWidget> window, const char* name,
                             const std::string& topic) {
        PressF1In(*window);
        expectTopic(name, topic);
    };
    pressIn(std::make_unique<MainWindow>(workspace), "main", "");
    pressIn(std::make_unique<SearchWindow>(workspace), "search", "Search Function");
    pressIn(std::make_unique<SpreadsheetWindow>(workspace), "spreadsheet", "Spreadsheet View");
    pressIn(std::make_unique<AlbumWindow>(workspace), "album", "Album View");
    pressIn(std::make_unique<GraphWindow>(workspace), "graph", "Graph Function");
    pressIn(std::make_unique<CdPlayerWindow>(workspace), "CD player", "CD Player");
    pressIn(std::make_unique<HtmlReportWindow>(workspace), "HTML report", "HTML Reports");

    ColumnReportWindow report(workspace);
    PressF1In(report);
    expectTopic("column report", "Regular Reports");
    // The preview has no help button of its own: it is the report's.
    test::FakePageDevices devices;
    TOrvPrinter store{devices.Printer, devices};
    store.Reset();
    store.Canvas().TextOut(0, 0, "1");
    const ExportTable table{{"#", "Name"}, {"1.", "Lee, Ann"}};
    TOrvPreview preview{workspace, store, table, devices};
    {
        PreviewWindow window(preview, devices, &report);
        PressF1In(window);
        expectTopic("preview", "Regular Reports");
    }

    // The category editor's help button; then a dialog without help of its own, a message box
    // say, answers for the window it was opened from.
    auto graph = std::make_unique<GraphWindow>(workspace);
    graph->show();
    TAddDescription editor(workspace, 1);
    {
        AddDescriptionDialog dialog(editor, graph.get());
        PressF1In(dialog);
        expectTopic("category editor", "Customizing the Software");
    }
    {
        QDialog box(graph.get());
        PressF1In(box);
        expectTopic("dialog of the graph", "Graph Function");
    }
    qApp->removeEventFilter(&helpKey);
}

}  // namespace quillmark

QTEST_MAIN(quillmark::HelpKeyTest)
#include "help_key_test.moc"
