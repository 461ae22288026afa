// File > Recent Files in the real main window: two databases opened, then listed by name with
// their paths as tool tips, and one of them opened again from the menu.

#include "forms/main/view_form.h"
#include "support/database_layout.h"
#include "support/fake_services.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <filesystem>

namespace quillmark {

class RecentFilesMenuTest : public QObject {
    Q_OBJECT

private slots:
    void TwoFilesOpenedAreListedAndOneOpenedAgain();
};

void RecentFilesMenuTest::TwoFilesOpenedAreListedAndOneOpenedAgain()
{
    test::TemporaryFolder folder;
    const std::string staff = folder.File("staff.dat");
    const std::string extra = folder.File("extra & more.dat");
    test::WriteFileBytes(staff, test::DatabaseBytes({"Ann Lee"}));
    test::WriteFileBytes(extra, test::DatabaseBytes({"Bob Ray"}));
    test::Session session(1, folder.File("Quillmark.ini"));
    MainWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    test::OpenDatabase(session, staff);
    test::OpenDatabase(session, extra);

    auto* recent = window.findChild<QMenu*>(QStringLiteral("RecentFiles"));
    QVERIFY(recent != nullptr);
    // Right after "Open" in "File".
    const QList<QAction*> file = window.menuBar()->actions().constFirst()->menu()->actions();
    QCOMPARE(file.at(2), recent->menuAction());
    QCOMPARE(recent->title(), QStringLiteral("Recent Files"));

    std::filesystem::remove(staff);
    emit recent->aboutToShow();
    QStringList shown;
    for (const QAction* action : recent->actions()) {
        shown << (action->isSeparator() ? QStringLiteral("-")
                                        : action->text() + u'|' + action->toolTip() + u'|' +
                                              (action->isEnabled() ? u'+' : u'x'));
    }
    QCOMPARE(shown, QStringList({QStringLiteral("extra && more.dat|") +
                                     QString::fromStdString(extra) + QStringLiteral("|+"),
                                 QStringLiteral("staff.dat|") + QString::fromStdString(staff) +
                                     QStringLiteral("|x"),
                                 QStringLiteral("-"),
                                 QStringLiteral("Clear Recent Files|Clear Recent Files|+")}));

    // Back to the first file through the menu (nothing changed, so nothing is asked).
    test::WriteFileBytes(staff, test::DatabaseBytes({"Ann Lee"}));
    emit recent->aboutToShow();
    recent->findChild<QAction*>(QStringLiteral("RecentFile2"))->trigger();
    QCOMPARE(session.Names(), std::vector<std::string>{"Ann Lee"});
    QCOMPARE(window.windowTitle(), QString::fromStdString(staff));

    emit recent->aboutToShow();
    recent->findChild<QAction*>(QStringLiteral("ClearRecentFiles"))->trigger();
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QVERIFY(!recent->actions().last()->isEnabled());
    session.dialogs.Forget();
    QVERIFY(session.dialogs.ScriptUsedUp());
}

}  // namespace quillmark

QTEST_MAIN(quillmark::RecentFilesMenuTest)
#include "recent_files_menu_test.moc"
