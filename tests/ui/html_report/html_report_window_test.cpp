// The HTML report window built for real on the offscreen platform: items picked from the
// menu, reordered, a header typed, and the page viewed; the font chooser with its colour.

#include "ui/html_report/html_report_window.h"
#include "support/fake_services.h"
#include "support/next_menu.h"
#include "support/test_helpers.h"
#include "ui/font_chooser.h"

#include <QApplication>
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

class HtmlReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ItemsArePickedAndThePageViewed();
};

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

void HtmlReportWindowTest::ItemsArePickedAndThePageViewed()
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

QTEST_MAIN(quillmark::HtmlReportWindowTest)
#include "html_report_window_test.moc"
