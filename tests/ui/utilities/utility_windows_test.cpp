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

QWidget* TopLevel(const char* name)
{
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1StringView(name)) {
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
    void HelpOpensTopicsListsAndFindsPagesAndServesModalWindows();
    void HelpPagesLinkOnlyToPagesThatExist();
    void AboutBoxShowsNameAndVersion();
};

void UtilityWindowsTest::CalculatorIsOneWindowDrivenByButtonsAndKeys()
{
    QWidget owner;
    ShowCalculator(&owner);
    QWidget* calculator = TopLevel("CalculatorWindow");
    QVERIFY(calculator != nullptr && calculator->isVisible());
    auto* display = calculator->findChild<QLineEdit*>(QStringLiteral("Display"));
    QVERIFY(display->isReadOnly());
    for (const char* name :
         {"Digit2Btn", "PlusBtn", "Digit3Btn", "MultiplyBtn", "Digit4Btn", "EqualsBtn"}) {
        auto* button = calculator->findChild<QPushButton*>(QLatin1StringView(name));
        QVERIFY2(button != nullptr, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(display->text(), QStringLiteral("20"));
    QTest::keyClicks(calculator, QStringLiteral("12.5*2"));
    QTest::keyClick(calculator, Qt::Key_Enter);
    QCOMPARE(display->text(), QStringLiteral("25"));
    QTest::keyClicks(calculator, QStringLiteral("4321"));
    QTest::keyClick(calculator, Qt::Key_Backspace);
    QCOMPARE(display->text(), QStringLiteral("432"));
    QTest::keyClick(calculator, Qt::Key_Escape);
    QCOMPARE(display->text(), QStringLiteral("0"));

    // Closing only hides it: opened again it is the same window, figures and all.
    QTest::keyClicks(calculator, QStringLiteral("42"));
    calculator->close();
    ShowCalculator(&owner);
    QCOMPARE(TopLevel("CalculatorWindow"), calculator);
    QVERIFY(calculator->isVisible());
    QCOMPARE(display->text(), QStringLiteral("42"));
}

void UtilityWindowsTest::CalendarPicksOrCancelsAndStaysOnTheScreen()
{
    // Opened from 28 February 2024, the user acts on the calendar; the day picked, if any.
    auto pick = [](std::function<void(QDialog&, QCalendarWidget&)> act) -> std::optional<QDate> {
        WhenModalOpens([act](QDialog& dialog) {
            act(dialog, *dialog.findChild<QCalendarWidget*>(QStringLiteral("Calendar")));
        });
        const std::optional<CalendarPick> day =
            ShowCalendarAt(nullptr, QPoint(10, 10), QDate(2024, 2, 28));
        return day ? std::optional(QDate(day->year, day->month, day->day)) : std::nullopt;
    };
    QCOMPARE(pick([](QDialog& dialog, QCalendarWidget& calendar) {
                 calendar.setSelectedDate(QDate(2001, 12, 24));
                 QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")),
                                   Qt::LeftButton);
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
                 QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                                   Qt::LeftButton);
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

void UtilityWindowsTest::HelpOpensTopicsListsAndFindsPagesAndServesModalWindows()
{
    const QString folder = QStringLiteral(QUILLMARK_DATA_DIR "/help");
    QWidget owner;
    owner.show();
    OpenHelp(&owner, folder, QStringLiteral("Getting Started"));
    QWidget* help = TopLevel("HelpWindow");
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    auto title = [browser] { return browser->documentTitle(); };
    QCOMPARE(title(), QStringLiteral("Getting Started"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Insert Record")));
    auto click = [help](const char* button) {
        QTest::mouseClick(help->findChild<QPushButton*>(QLatin1StringView(button)), Qt::LeftButton);
    };
    click("ContentsBtn");
    QCOMPARE(title(), QStringLiteral("Contents"));
    click("BackBtn");
    QCOMPARE(title(), QStringLiteral("Getting Started"));
    click("ForwardBtn");
    QCOMPARE(title(), QStringLiteral("Contents"));

    // Reopening reuses the window; a topic without a page opens the contents.
    OpenHelp(&owner, folder, QStringLiteral("Introduction"));
    QCOMPARE(TopLevel("HelpWindow"), help);
    QCOMPARE(title(), QStringLiteral("Introduction"));
    OpenHelp(&owner, folder, QStringLiteral("No Such Topic"));
    QCOMPARE(title(), QStringLiteral("Contents"));

    // Every page is listed, the contents first and then as the contents list them; the page on
    // show is marked, and a click reads another.
    OpenHelp(&owner, folder, QStringLiteral("Album View"));
    auto* list = help->findChild<QListWidget*>(QStringLiteral("HelpPages"));
    auto* search = help->findChild<QLineEdit*>(QStringLiteral("HelpSearch"));
    auto* result = help->findChild<QLabel*>(QStringLiteral("HelpSearchResult"));
    const auto listed = [list] {
        QStringList titles;
        for (int row = 0; row < list->count(); ++row) {
            titles << list->item(row)->text();
        }
        return titles;
    };
    const QStringList all = listed();
    QCOMPARE(all.size(), QDir(folder).entryList({QStringLiteral("*.html")}).size());
    QCOMPARE(all.mid(0, 3), (QStringList{QStringLiteral("Contents"), QStringLiteral("Introduction"),
                                         QStringLiteral("Getting Started")}));
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Album View"));
    QListWidgetItem* graph =
        list->item(static_cast<int>(all.indexOf(QStringLiteral("Graph Function"))));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(graph).center());
    QCOMPARE(title(), QStringLiteral("Graph Function"));

    // Words in any case and spacing narrow the list to the pages holding all of them; Enter
    // reads the first, at the first word.
    QTest::keyClicks(search, QStringLiteral("  DISC  image "));
    QCOMPARE(listed(), (QStringList{QStringLiteral("Contents"), QStringLiteral("CD Player")}));
    QCOMPARE(result->text(), QStringLiteral("2 pages found"));
    search->clear();
    QTest::keyClicks(search, QStringLiteral("continuous disc"));
    QCOMPARE(listed(), QStringList{QStringLiteral("CD Player")});
    QCOMPARE(result->text(), QStringLiteral("1 page found"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(title(), QStringLiteral("CD Player"));
    QCOMPARE(browser->textCursor().selectedText().toLower(), QStringLiteral("continuous"));
    QTest::keyClicks(search, QStringLiteral(" nowhere"));
    QVERIFY(listed().isEmpty());
    QCOMPARE(result->text(), QStringLiteral("No page holds all of these words."));
    search->clear();
    QCOMPARE(listed(), all);
    QVERIFY(result->isHidden());

    // Escape puts it away, wherever the focus is in it.
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!help->isVisible());

    // An always-on-top modal window, as the category editor is, asks for help.
    QDialog editor(&owner);
    editor.setWindowFlag(Qt::WindowStaysOnTopHint);
    editor.setModal(true);
    editor.show();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    OpenHelp(&editor, folder, QStringLiteral("Customizing the Software"));
    QCOMPARE(TopLevel("HelpWindow"), help);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(help->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(help->screen()->availableGeometry().contains(help->frameGeometry()));
    QCOMPARE(title(), QStringLiteral("Customizing the Software"));
    // A click from the window system reaches it: the modal window does not block it.
    const auto* contents = help->findChild<QPushButton*>(QStringLiteral("ContentsBtn"));
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                      contents->mapTo(help, contents->rect().center()));
    QCOMPARE(title(), QStringLiteral("Contents"));
}

void UtilityWindowsTest::HelpPagesLinkOnlyToPagesThatExist()
{
    const QDir folder(QStringLiteral(QUILLMARK_DATA_DIR "/help"));
    const QStringList pages = folder.entryList({QStringLiteral("*.html")});
    QVERIFY(pages.contains(QStringLiteral("contents.html")));
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"#:]+)(#[^"]*)?")re"));
    int links = 0;
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            ++links;
            const QString target = match.captured(1);
            QVERIFY2(folder.exists(target),
                     qPrintable(page + QStringLiteral(" links to ") + target));
            const QString anchor = match.captured(2).mid(1);
            if (!anchor.isEmpty()) {
                QFile linked(folder.filePath(target));
                QVERIFY(linked.open(QIODevice::ReadOnly));
                QVERIFY2(linked.readAll().contains(
                             (QStringLiteral("name=\"") + anchor + QStringLiteral("\"")).toUtf8()),
                         qPrintable(page + QStringLiteral(" links to a missing ") + target +
                                    QStringLiteral("#") + anchor));
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
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseBtn")),
                          Qt::LeftButton);
    });
    ShowAboutBox(nullptr);  // returns only once closed
    QCOMPARE(caption, QStringLiteral("About"));
    QVERIFY(shown.contains(QStringLiteral("Quillmark")));
    QVERIFY(shown.contains(QStringLiteral("Version 1.12")));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::UtilityWindowsTest)
#include "utility_windows_test.moc"
