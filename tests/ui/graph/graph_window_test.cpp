// The graph window built for real: a category double-clicked in the tree draws its bars with
// Qt Charts, their names whole under a title, and the chart is saved as a PNG picture laid out
// for a page of its own.

#include "ui/graph/graph_window.h"
#include "forms/graph/graph_form.h"
#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "ui/graph/qt_chart.h"
#include "ui/text.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QHorizontalBarSeries>
#include <QTreeWidget>
#include <QValueAxis>
#include <QtTest>

namespace quillmark {

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ACategoryDoubleClickedIsDrawnAndSavedAsAPicture();
    void LongNamesAreReadWholeAndTheScaleRunsInRoundSteps();
};

namespace {

// The texts the chart shows: its title, the axes' labels and the bars' values.
QStringList ChartTexts(QChartView& view)
{
    QStringList texts;
    for (const QGraphicsItem* item : view.scene()->items()) {
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text != nullptr) {
            texts << text->toPlainText();
        }
    }
    return texts;
}

}  // namespace

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
    QTRY_COMPARE(window.findChild<QTreeWidget*>(QStringLiteral("SGraph"))->topLevelItemCount(), 10);
    auto* chart = window.findChild<QChartView*>(QStringLiteral("Graph"))->chart();
    auto bars = [chart] {
        QStringList shown;
        const auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
        const auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
        if (series == nullptr || axis == nullptr) {
            return shown;
        }
        for (int bar = 0; bar < axis->count(); ++bar) {
            shown << axis->at(bar).trimmed() + QStringLiteral(" ") +
                         QString::number(series->barSets().value(0)->at(bar));
        }
        return shown;
    };
    QCOMPARE(bars(), (QStringList{QStringLiteral("Full Time 1"), QStringLiteral("Part Time 2")}));

    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("SGraph"));
    tree->expandItem(tree->topLevelItem(0));
    QTreeWidgetItem* partTime = tree->topLevelItem(0)->child(1);
    tree->scrollToItem(partTime);
    // A double-click is a click and then a second press, as the mouse sends it.
    const QPoint at = tree->visualItemRect(partTime).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(bars(), (QStringList{QStringLiteral("Nights 1")}));

    QCOMPARE(chart->title(), QStringLiteral("Type: Part Time"));

    // The picture is laid out for a page of its own, drawn at twice the screen's size.
    const test::TemporaryFolder folder;
    session.dialogs.ChooseFile(folder.File("bars"));
    window.findChild<QAction*>(QStringLiteral("SaveChartImageBtn"))->trigger();
    QImage saved(QString::fromStdString(folder.File("bars.png")));
    QCOMPARE(saved.size(), QSize(2 * QtChart::ImageWidth, 2 * QtChart::ImageHeight));
    int barPixels = 0;
    for (int y = 0; y < saved.height(); y += 4) {
        for (int x = 0; x < saved.width(); x += 4) {
            const QColor pixel = saved.pixelColor(x, y);
            barPixels += pixel.blue() > 150 && pixel.red() < 100;
        }
    }
    QVERIFY2(barPixels > 1000, qPrintable(QString::number(barPixels)));
    QCOMPARE(session.dialogs.Texts().back(), "Chart Image Saved as " + folder.File("bars.png"));
}

// Names too long to stand under their bars lay the bars down, names on the left and whole; a
// window wide enough stands them up again. 99 915 records give an axis of 10 000s.
void GraphWindowTest::LongNamesAreReadWholeAndTheScaleRunsInRoundSteps()
{
    test::Session session;
    session.Start();
    const QStringList names = {QStringLiteral("Full Time Permanent"),  QStringLiteral("Part Time"),
                               QStringLiteral("Temporary Contract"),   QStringLiteral("Seasonal"),
                               QStringLiteral("Internship Programme"), QStringLiteral("Volunteer")};
    session.workspace.database.DescriptionTrees[1] =
        FromQt(names.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    GraphWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* view = window.findChild<QChartView*>(QStringLiteral("Graph"));
    QTRY_VERIFY(!view->chart()->series().isEmpty());
    QVERIFY(qobject_cast<QHorizontalBarSeries*>(view->chart()->series().value(0)) != nullptr);
    QTRY_VERIFY(ChartTexts(*view).contains(names.front()));  // once the chart is laid out
    const QStringList shown = ChartTexts(*view);
    for (const QString& name : names) {
        QVERIFY2(shown.contains(name),
                 qPrintable(name + QStringLiteral(" in ") + shown.join(u'|')));
    }
    QCOMPARE(view->chart()->title(), QStringLiteral("Type"));
    window.resize(1800, 600);
    QTRY_VERIFY(qobject_cast<QHorizontalBarSeries*>(view->chart()->series().value(0)) == nullptr);

    QtChart chart(nullptr);
    chart.OpenData(1);
    chart.SetScale(99915);
    chart.SetValue(0, 5503);
    chart.SetLabel(0, "Intern");
    chart.CloseData();
    const auto* counts = qobject_cast<QValueAxis*>(chart.View()->chart()->axes(Qt::Vertical)[0]);
    QCOMPARE(counts->max(), 100000.0);
    QCOMPARE(counts->tickCount(), 11);
    delete chart.View();
}

}  // namespace quillmark

QTEST_MAIN(quillmark::GraphWindowTest)
#include "graph_window_test.moc"
