// The graph window built for real: a category double-clicked in the tree draws its bars with
// Qt Charts, and the chart is saved as a PNG picture.

#include "forms/graph/graph_form.h"
#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "ui/graph/graph_window.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QTreeWidget>
#include <QtTest>

namespace quillmark {

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ACategoryDoubleClickedIsDrawnAndSavedAsAPicture();
};

void GraphWindowTest::ACategoryDoubleClickedIsDrawnAndSavedAsAPicture()
{
    test::Session session;
    session.Start();
    session.workspace.database.DescriptionTrees[1] = "Full Time\r\nPart Time\r\n\tNights\r\n";
    ItemRecordList& records = session.workspace.RecordList();
    records.clear();
    for (const char* value : {"Full Time", "Nights : Part Time", "Part Time"}) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->Desc[1] = value;
    }

    GraphWindow window(session.workspace);
    window.show();
    // Each activation draws the first field afresh: the clicks come after it.
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(window.findChild<QTreeWidget*>("SGraph")->topLevelItemCount(), 10);
    auto* chart = window.findChild<QChartView*>("Graph")->chart();
    auto bars = [chart] {
        QStringList shown;
        const auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
        const auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
        if (series == nullptr || axis == nullptr) {
            return shown;
        }
        for (int bar = 0; bar < axis->count(); ++bar) {
            shown << axis->at(bar).trimmed() + " " +
                         QString::number(series->barSets().value(0)->at(bar));
        }
        return shown;
    };
    QCOMPARE(bars(), (QStringList{"Full Time 1", "Part Time 2"}));

    auto* tree = window.findChild<QTreeWidget*>("SGraph");
    tree->expandItem(tree->topLevelItem(0));
    QTreeWidgetItem* partTime = tree->topLevelItem(0)->child(1);
    tree->scrollToItem(partTime);
    // A double-click is a click and then a second press, as the mouse sends it.
    const QPoint at = tree->visualItemRect(partTime).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(bars(), (QStringList{"Nights 1"}));

    const test::TemporaryFolder folder;
    session.dialogs.ChooseFile(folder.File("bars"));
    window.findChild<QAction*>("SaveChartImageBtn")->trigger();
    QImage saved(QString::fromStdString(folder.File("bars.png")));
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), window.findChild<QChartView*>("Graph")->size());
}

}  // namespace quillmark

QTEST_MAIN(quillmark::GraphWindowTest)
#include "graph_window_test.moc"
