#include "ui/utilities/about_window.h"
#include "ui/utilities/calculator_window.h"
#include "ui/utilities/calendar_window.h"
#include "ui/utilities/help_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace quillmark {
namespace {

QWidget* TopLevel(const QString& name)
{
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            if (found != nullptr) {
                return nullptr;  // two of a window that should be single
            }
            found = widget;
        }
    }
    return found;
}

// Runs `act` on the modal dialog once its event loop has started, as the user would.
void WhenModalOpens(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();  // a failed check must not leave the test waiting on the dialog
        }
    });
}

}  // namespace

class UtilityWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void CalculatorIsOneWindowDrivenByButtonsAndKeys();
    void CalendarPicksOrCancelsAndStaysOnTheScreen();
    void HelpOpensTopicsFollowsLinksAndServesModalWindows();
    void HelpListsItsPagesAndFindsThemByTheirWords();
    void HelpPagesLinkOnlyToPagesThatExist();
    void AboutBoxShowsNameAndVersion();
};

void UtilityWindowsTest::CalculatorIsOneWindowDrivenByButtonsAndKeys()
{
    QWidget owner;
    ShowCalculator(&owner);
    QWidget* calculator = TopLevel("CalculatorWindow");
    QVERIFY(calculator != nullptr && calculator->isVisible());
    auto* display = calculator->findChild<QLineEdit*>("Display");
    QVERIFY(display->isReadOnly());
    for (const char* name :
         {"Digit2Btn", "PlusBtn", "Digit3Btn", "MultiplyBtn", "Digit4Btn", "EqualsBtn"}) {
        auto* button = calculator->findChild<QPushButton*>(name);
        QVERIFY2(button != nullptr, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(display->text(), QString("20"));
    QTest::keyClicks(calculator, "12.5*2");
    QTest::keyClick(calculator, Qt::Key_Enter);
    QCOMPARE(display->text(), QString("25"));
    QTest::keyClicks(calculator, "4321");
    QTest::keyClick(calculator, Qt::Key_Backspace);
    QCOMPARE(display->text(), QString("432"));
    QTest::keyClick(calculator, Qt::Key_Escape);
    QCOMPARE(display->text(), QString("0"));

    // Closing only hides it: opened again it is the same window, figures and all.
    QTest::keyClicks(calculator, "42");
    calculator->close();
    ShowCalculator(&owner);
    QCOMPARE(TopLevel("CalculatorWindow"), calculator);
    QVERIFY(calculator->isVisible());
    QCOMPARE(display->text(), QString("42"));
}

void UtilityWindowsTest::CalendarPicksOrCancelsAndStaysOnTheScreen()
{
    // Opened from 28 February 2024, the user acts on the calendar; the day picked, if any.
    auto pick = [](std::function<void(QDialog&, QCalendarWidget&)> act) -> std::optional<QDate> {
        WhenModalOpens([act](QDialog& dialog) {
            act(dialog, *dialog.findChild<QCalendarWidget*>("Calendar"));
        });
        const std::optional<CalendarPick> day =
            ShowCalendarAt(nullptr, QPoint(10, 10), QDate(2024, 2, 28));
        return day ? std::optional(QDate(day->year, day->month, day->day)) : std::nullopt;
    };
    QCOMPARE(pick([](QDialog& dialog, QCalendarWidget& calendar) {
                 calendar.setSelectedDate(QDate(2001, 12, 24));
                 QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
             }),
             QDate(2001, 12, 24));
    // The days take the keys from the start; in a leap year the 29th follows the 28th.
    QCOMPARE(pick([](QDialog&, QCalendarWidget& calendar) {
                 auto* days = calendar.findChild<QAbstractItemView*>();
                 QTest::keyClick(days, Qt::Key_Right);
                 QTest::keyClick(days, Qt::Key_Return);
             }),
             QDate(2024, 2, 29));
    QCOMPARE(pick([](QDialog& dialog, QCalendarWidget& calendar) {
                 calendar.setSelectedDate(QDate(2001, 1, 1));
                 QTest::mouseClick(dialog.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
             }),
             std::nullopt);

    // Placed next to the pointer at the screen's corner, it stays on the screen.
    CalendarWindow calendar;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    calendar.PlaceAt(screen.bottomRight());
    QVERIFY(screen.contains(calendar.frameGeometry().topLeft()));
    QVERIFY(calendar.pos().x() + calendar.width() <= screen.right() + 1);
    QVERIFY(calendar.pos().y() + calendar.height() <= screen.bottom() + 1);
}

void UtilityWindowsTest::HelpOpensTopicsFollowsLinksAndServesModalWindows()
{
    QWidget owner;
    owner.show();
    OpenHelp(&owner, QUILLMARK_DATA_DIR "/help", "Getting Started");
    QWidget* help = TopLevel("HelpWindow");
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
    auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
    auto title = [browser] { return browser->documentTitle(); };
    QCOMPARE(title(), QString("Getting Started"));
    QVERIFY(browser->toPlainText().contains("Insert Record"));

    QTest::mouseClick(help->findChild<QPushButton*>("ContentsBtn"), Qt::LeftButton);
    QCOMPARE(title(), QString("Contents"));
    QTest::mouseClick(help->findChild<QPushButton*>("BackBtn"), Qt::LeftButton);
    QCOMPARE(title(), QString("Getting Started"));
    QTest::mouseClick(help->findChild<QPushButton*>("ForwardBtn"), Qt::LeftButton);
    QCOMPARE(title(), QString("Contents"));

    // Reopening reuses the window; a topic without a page opens the contents.
    OpenHelp(&owner, QUILLMARK_DATA_DIR "/help", "Introduction");
    QCOMPARE(TopLevel("HelpWindow"), help);
    QCOMPARE(title(), QString("Introduction"));
    OpenHelp(&owner, QUILLMARK_DATA_DIR "/help", "No Such Topic");
    QCOMPARE(title(), QString("Contents"));

    // An always-on-top modal window, as the category editor is, asks for help.
    QDialog editor(&owner);
    editor.setWindowFlag(Qt::WindowStaysOnTopHint);
    editor.setModal(true);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    OpenHelp(&editor, QUILLMARK_DATA_DIR "/help", "Customizing the Software");
    QCOMPARE(TopLevel("HelpWindow"), help);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(help->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
    QCOMPARE(title(), QString("Customizing the Software"));
    // A click from the window system reaches it: the modal window does not block it.
    const auto* contents = help->findChild<QPushButton*>("ContentsBtn");
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                      contents->mapTo(help, contents->rect().center()));
    QCOMPARE(title(), QString("Contents"));
}

void UtilityWindowsTest::HelpListsItsPagesAndFindsThemByTheirWords()
{
    QWidget owner;
    owner.show();
    OpenHelp(&owner, QUILLMARK_DATA_DIR "/help", "Album View");
    QWidget* help = TopLevel("HelpWindow");
    auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
    auto* list = help->findChild<QListWidget*>("HelpPages");
    auto* search = help->findChild<QLineEdit*>("HelpSearch");
    auto* result = help->findChild<QLabel*>("HelpSearchResult");
    const auto listed = [list] {
        QStringList titles;
        for (int row = 0; row < list->count(); ++row) {
            titles << list->item(row)->text();
        }
        return titles;
    };

    // Every page, the contents first and then as the contents list them; the page on show is
    // marked, and a click reads another.
    const QStringList all = listed();
    QCOMPARE(all.size(), QDir(QUILLMARK_DATA_DIR "/help").entryList({"*.html"}).size());
    QCOMPARE(all.mid(0, 3), (QStringList{"Contents", "Introduction", "Getting Started"}));
    QCOMPARE(list->currentItem()->text(), QString("Album View"));
    QListWidgetItem* graph = list->item(static_cast<int>(all.indexOf("Graph Function")));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(graph).center());
    QCOMPARE(browser->documentTitle(), QString("Graph Function"));

    // Words in any case and spacing narrow the list to the pages holding all of them; Enter
    // reads the first, at the first word.
    QTest::keyClicks(search, "  DISC  image ");
    QCOMPARE(listed(), (QStringList{"Contents", "CD Player"}));
    QCOMPARE(result->text(), QString("2 pages found"));
    search->clear();
    QTest::keyClicks(search, "continuous disc");
    QCOMPARE(listed(), QStringList{"CD Player"});
    QCOMPARE(result->text(), QString("1 page found"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(browser->documentTitle(), QString("CD Player"));
    QCOMPARE(browser->textCursor().selectedText().toLower(), QString("continuous"));
    QTest::keyClicks(search, " nowhere");
    QVERIFY(listed().isEmpty());
    QCOMPARE(result->text(), QString("No page holds all of these words."));
    search->clear();
    QCOMPARE(listed(), all);
    QVERIFY(result->isHidden());

    // Escape puts it away, wherever the focus is in it.
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!help->isVisible());
}

void UtilityWindowsTest::HelpPagesLinkOnlyToPagesThatExist()
{
    const QDir folder(QUILLMARK_DATA_DIR "/help");
    const QStringList pages = folder.entryList({"*.html"});
    QVERIFY(pages.contains("contents.html"));
    const QRegularExpression link(R"re((?:href|src)="([^"#:]+)(#[^"]*)?")re");
    int links = 0;
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            ++links;
            const QString target = match.captured(1);
            QVERIFY2(folder.exists(target), qPrintable(page + " links to " + target));
            const QString anchor = match.captured(2).mid(1);
            if (!anchor.isEmpty()) {
                QFile linked(folder.filePath(target));
                QVERIFY(linked.open(QIODevice::ReadOnly));
                QVERIFY2(linked.readAll().contains(("name=\"" + anchor + "\"").toUtf8()),
                         qPrintable(page + " links to a missing " + target + "#" + anchor));
            }
        }
    }
    QVERIFY(links > pages.size());
}

void UtilityWindowsTest::AboutBoxShowsNameAndVersion()
{
    QStringList shown;
    QString caption;
    WhenModalOpens([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            shown << label->text();
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("CloseBtn"), Qt::LeftButton);
    });
    ShowAboutBox(nullptr);  // returns only once closed
    QCOMPARE(caption, QString("About"));
    QVERIFY(shown.contains("Quillmark"));
    QVERIFY(shown.contains("Version 1.12"));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::UtilityWindowsTest)
#include "utility_windows_test.moc"
