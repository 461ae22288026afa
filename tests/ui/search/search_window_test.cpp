// The search window built for real on the offscreen platform: a term chosen from the grid's
// menu with the keyboard, its value typed into the cell, the search run from its button, and a
// range field's value taken from its dialog.

#include "ui/search/search_window.h"
#include "core/random_source.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/search/select_range_form.h"
#include "support/fake_services.h"
#include "support/next_menu.h"
#include "support/test_helpers.h"
#include "ui/qt_services.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace quillmark {

using test::PickFromNextMenu;

class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ATermIsChosenTypedAndRunFromTheKeyboard();
    void BoxesOpenOverTheWindowWhoseCommandAsked();
};

void SearchWindowTest::ATermIsChosenTypedAndRunFromTheKeyboard()
{
    test::Session session;
    session.Start();
    for (const char* name : {"Ann Smith", "Bob Jones"}) {
        auto record = std::make_shared<ItemRecord>();
        record->RecordName = name;
        session.workspace.RecordList().push_back(record);
    }
    TSearch& search = session.workspace.Search();
    search.Enabled = true;
    SearchWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The offscreen platform does not give the activation back after a menu or a dialog.
    const auto activate = [&window] {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    };
    QVERIFY(activate());

    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("SearchGrid"));
    grid->setFocus();
    PickFromNextMenu(QStringLiteral("Name"));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Name"));
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Includes"));

    // A typed field's value cell takes the keys themselves.
    QVERIFY(activate());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_S);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("mith"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The cell's delegate commits the edit once the key's event is over.
    QTRY_COMPARE(search.SearchTerms[1].FromValue, std::string("smith"));

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("PerformSearchBtn")),
                      Qt::LeftButton);
    QVERIFY(session.workspace.RecordList()[1]->InSearchList);
    QCOMPARE(window.findChild<QProgressBar*>(QStringLiteral("SearchProgress"))->value(), 3);

    // A range field's value cell opens its dialog instead of taking the keys.
    session.shell.OnDialog([](TSelectRangeForm& form) {
        form.RecordValue.text = "40";
        form.SpecificOKBtnClick();
    });
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("AddTermBtn")), Qt::LeftButton);
    QVERIFY(activate());
    PickFromNextMenu(QStringLiteral("Hours per Week"));
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(activate());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_2);
    QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("40"));
    QCOMPARE(search.SearchTerms[2].ToValue, std::string("40"));
    QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr);
}

// Once its file dialog has closed, the desktop gives the search window the activation back only
// later: the message that follows is still the search window's, or it would open over the main
// window and bring that up in front.
void SearchWindowTest::BoxesOpenOverTheWindowWhoseCommandAsked()
{
    QWidget mainWindow;
    QWidget* owner = &mainWindow;
    QtDialogs dialogs(owner);
    test::RecordingShell shell;
    test::FixedClock clock;
    SeededRandom random(1);
    Workspace workspace(Services{dialogs, shell, clock, random}, {QUILLMARK_DATA_DIR});
    workspace.View().FormActivate();
    workspace.Search().Enabled = true;
    SearchWindow window(workspace);
    window.show();
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    mainWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));

    // Each box as it opens: who it belongs to, then the user's answer.
    const test::TemporaryFolder folder;
    QStringList shown;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        shown << QLatin1StringView(modal->metaObject()->className()) + QStringLiteral(" over ") +
                     (modal->parentWidget() == &window ? QStringLiteral("search")
                                                       : QStringLiteral("other"));
        if (auto* file = qobject_cast<QFileDialog*>(modal); file != nullptr && shown.size() == 1) {
            file->selectFile(QString::fromStdString(folder.File("saved.srh")));
            static_cast<QDialog*>(file)->done(QDialog::Accepted);  // public as a dialog
        } else {
            modal->close();
        }
    });
    answer.start();
    window.findChild<QAction*>(QStringLiteral("SaveSearchBtn"))->trigger();
    answer.stop();
    QCOMPARE(shown, (QStringList{QStringLiteral("QFileDialog over search"),
                                 QStringLiteral("QMessageBox over search")}));
}

}  // namespace quillmark

QTEST_MAIN(quillmark::SearchWindowTest)
#include "search_window_test.moc"
