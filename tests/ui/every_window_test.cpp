// Every window of the program built for real on the offscreen platform. A screen reader walks
// its accessible tree: every control a user can reach must say what it is (its role) and be
// called something a voice can say. F1 in it asks for its own help topic, which has a page of
// its own.

#include "engine/reports/page_store.h"
#include "forms/categories/add_description_form.h"
#include "forms/main/database_information_form.h"
#include "forms/main/edit_skill_form.h"
#include "forms/main/pick_list_form.h"
#include "forms/main/server_conflict_form.h"
#include "forms/main/server_database_form.h"
#include "forms/main/set_password_form.h"
#include "forms/main/view_form.h"
#include "forms/preview/preview_form.h"
#include "forms/search/select_schedule_form.h"
#include "forms/search/select_skills_form.h"
#include "forms/spreadsheet/select_spreadsheet_form.h"
#include "support/fake_page_devices.h"
#include "support/fake_services.h"
#include "ui/album/album_window.h"
#include "ui/categories/add_description_dialog.h"
#include "ui/cd_player/cd_player_window.h"
#include "ui/column_report/column_report_window.h"
#include "ui/graph/graph_window.h"
#include "ui/html_report/html_report_window.h"
#include "ui/main/database_dialogs.h"
#include "ui/main/edit_skill_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/pick_list_dialog.h"
#include "ui/main/server_dialogs.h"
#include "ui/preview/preview_window.h"
#include "ui/search/search_window.h"
#include "ui/search/select_range_dialog.h"
#include "ui/search/select_skills_dialog.h"
#include "ui/spreadsheet/select_spreadsheet_dialog.h"
#include "ui/spreadsheet/spreadsheet_window.h"
#include "ui/utilities/calculator_window.h"
#include "ui/utilities/calendar_window.h"
#include "ui/utilities/help_window.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <utility>

namespace quillmark {

class EveryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void EveryControlIsNamedAndSaysWhatItIsAndF1OpensTheWindowsPage();
};

namespace {

bool Interactive(QAccessible::Role role)
{
    using enum QAccessible::Role;
    static const QSet<QAccessible::Role> roles = {
        Button, ButtonMenu, ButtonDropDown, CheckBox, RadioButton, ComboBox, SpinBox, EditableText,
        Slider, PageTab,    PageTabList,    List,     Table,       Tree,     MenuItem};
    return roles.contains(role);
}

// The role each kind of control must have.
std::optional<QAccessible::Role> ExpectedRole(const QWidget* widget)
{
    if (qobject_cast<const QRadioButton*>(widget)) {
        return QAccessible::RadioButton;
    }
    if (qobject_cast<const QCheckBox*>(widget)) {
        return QAccessible::CheckBox;
    }
    if (qobject_cast<const QComboBox*>(widget)) {
        return QAccessible::ComboBox;
    }
    if (qobject_cast<const QAbstractSpinBox*>(widget)) {
        return QAccessible::SpinBox;
    }
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget)) {
        return QAccessible::EditableText;
    }
    return std::nullopt;
}

// Something a voice can say: a letter or a digit, not "<" alone.
bool Sayable(const QString& name)
{
    return std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// One of the program's own controls, which Qt knows nothing about.
bool OwnControl(const QWidget* widget)
{
    return QByteArray(typeid(*widget).name()).contains("quillmark");
}

// What is wrong with the controls under node, one line each.
void Walk(QAccessibleInterface* node, const QString& path, QStringList& faults)
{
    if (node == nullptr || node->state().invisible) {
        return;
    }
    auto* widget = qobject_cast<QWidget*>(node->object());
    // The cells and rows of a grid or list hold data, which may well be empty.
    if (widget == nullptr && node->role() != QAccessible::MenuItem &&
        node->role() != QAccessible::PageTab) {
        return;
    }
    const QString where =
        path + QStringLiteral(" > ") +
        (widget != nullptr && !widget->objectName().isEmpty() ? widget->objectName()
                                                              : node->text(QAccessible::Name)) +
        QStringLiteral(" (") + QLatin1StringView(qAccessibleRoleString(node->role())) +
        QStringLiteral(")");
    // A widget that hands its focus on (a notebook to its tabs) is spoken of as that one.
    const bool standsFor = widget != nullptr && widget->focusProxy() != nullptr;
    const bool focusable = node->state().focusable && !standsFor;
    if (!standsFor && (focusable || Interactive(node->role())) &&
        node->role() != QAccessible::Separator) {
        const QString name = node->text(QAccessible::Name);
        if (node->role() == QAccessible::ComboBox) {
            // On this platform a drop-down list's name is its value; its caption names it.
            if (node->relations(QAccessible::Label).isEmpty()) {
                faults << where + QStringLiteral(": no caption names it");
            }
        } else if (!Sayable(name)) {
            faults << where + QStringLiteral(": named \"") + name + QStringLiteral("\"");
        }
        const auto expected = widget != nullptr ? ExpectedRole(widget) : std::nullopt;
        if (expected && node->role() != *expected) {
            faults << where + QStringLiteral(": should be a ") +
                          QLatin1StringView(qAccessibleRoleString(*expected));
        }
        if (focusable && widget != nullptr && !widget->isWindow() && OwnControl(widget) &&
            node->role() == QAccessible::Client) {
            faults << where + QStringLiteral(": says nothing of what it is");
        }
    }
    // Controls side by side that a voice calls alike cannot be told apart.
    QSet<QString> heard;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr || child->object() == nullptr || child->state().invisible ||
            !Interactive(child->role()) || child->role() == QAccessible::ComboBox ||
            !Sayable(child->text(QAccessible::Name))) {
            continue;  // an unsayable name is told already
        }
        const QString heardAs = QLatin1StringView(qAccessibleRoleString(child->role())) +
                                QStringLiteral(" ") + child->text(QAccessible::Name);
        if (heard.contains(heardAs)) {
            faults << where + QStringLiteral(": two of its controls are both heard as ") + heardAs;
        }
        heard.insert(heardAs);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        Walk(node->child(i), where, faults);
    }
}

QStringList FaultsOf(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return {window.objectName() + QStringLiteral(" was never shown")};
    }
    QStringList faults;
    Walk(QAccessible::queryAccessibleInterface(&window), window.objectName(), faults);
    return faults;
}

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

void EveryWindowTest::EveryControlIsNamedAndSaysWhatItIsAndF1OpensTheWindowsPage()
{
    test::Session session;
    session.Start();
    Workspace& workspace = session.workspace;
    HelpKey helpKey(session.shell);
    qApp->installEventFilter(&helpKey);
    const QList<HelpPage> pages = ReadHelpPages(QStringLiteral(QUILLMARK_DATA_DIR "/help"));
    QStringList faults;

    // F1 asked for the window's topic once, and its page is a page of its own.
    std::vector<std::string>& asked = session.shell.HelpTopics;
    const auto pressF1 = [&](QWidget& window, const std::string& topic) {
        PressF1In(window);
        const std::vector<std::string> got = std::exchange(asked, {});
        QVERIFY2(got.size() == 1, qPrintable(window.objectName()));
        QCOMPARE(QString::fromStdString(got.front()), QString::fromStdString(topic));
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
    // Walked, and then F1 pressed in it unless it has no topic of its own to give.
    const auto check = [&](QWidget& window, const char* topic = nullptr) {
        faults << FaultsOf(window);
        if (topic != nullptr) {
            pressF1(window, topic);
        }
    };

    MainWindow main(workspace);
    auto* notebook = main.findChild<QTabWidget*>(QStringLiteral("RecordBook"));
    for (int page = 0; page < notebook->count(); ++page) {
        notebook->setCurrentIndex(page);
        faults << FaultsOf(main);
    }
    pressF1(main, "");
    check(*std::make_unique<SearchWindow>(workspace), "Search Function");
    check(*std::make_unique<SpreadsheetWindow>(workspace), "Spreadsheet View");
    check(*std::make_unique<AlbumWindow>(workspace), "Album View");
    GraphWindow graph(workspace);
    check(graph, "Graph Function");
    check(*std::make_unique<CdPlayerWindow>(workspace), "CD Player");
    check(*std::make_unique<HtmlReportWindow>(workspace), "HTML Reports");
    check(*std::make_unique<CalculatorWindow>());
    check(*std::make_unique<CalendarWindow>());
    check(*std::make_unique<HelpWindow>());

    // The preview has no help button of its own: it is the report's.
    ColumnReportWindow report(workspace);
    check(report, "Regular Reports");
    test::FakePageDevices devices;
    TOrvPrinter store{devices.Printer, devices};
    store.Reset();
    store.Canvas().TextOut(0, 0, "1");
    const ExportTable table{{"#", "Name"}, {"1.", "Lee, Ann"}};
    TOrvPreview preview{workspace, store, table, devices};
    check(*std::make_unique<PreviewWindow>(preview, devices, &report), "Regular Reports");

    // The dialogs, each over the form it would be opened with. A dialog without help of its
    // own, a message box say, answers for the window it was opened from.
    Dialogs& dialogs = session.dialogs;
    TAddDescription categories(workspace, 1);
    check(*std::make_unique<AddDescriptionDialog>(categories, &graph), "Customizing the Software");
    check(*std::make_unique<QDialog>(&graph), "Graph Function");
    TEditSkillForm skill(dialogs, {"Welding", true, "3", ""});
    check(*std::make_unique<EditSkillDialog>(skill, &main));
    TDatabaseInformationForm information{DatabaseRecord{}};
    check(*std::make_unique<DatabaseInformationDialog>(information, &main));
    TSetPasswordForm passwords(dialogs, "", "");
    check(*std::make_unique<SetPasswordDialog>(passwords, &main));
    TPickListForm pickList;
    pickList.Add("Lee, Ann", 0);
    check(*std::make_unique<PickListDialog>(pickList, &main));
    TSelectRangeForm range(dialogs, "", "", "");
    check(*std::make_unique<SelectRangeDialog>(range, &main));
    TSelectScheduleForm times(dialogs, "", "", "");
    check(*std::make_unique<SelectRangeDialog>(times, &main));
    TSelectSkillsForm skills(dialogs, SearchRecord{}, workspace.database.SkillNames);
    check(*std::make_unique<SelectSkillsDialog>(skills, &main));
    TSelectSpreadsheetForm columns({"Record #", "Name"}, {});
    check(*std::make_unique<SelectSpreadsheetDialog>(columns, &main));
    TServerDatabaseForm server(dialogs, TServerDatabaseForm::Purpose::Open,
                               {"localhost", "5432", "", ""}, "");
    check(*std::make_unique<ServerDatabaseDialog>(server, &main));
    auto record = std::make_shared<ItemRecord>();
    record->RecordName = "Ann Lee";
    TServerConflictForm conflict({record});
    check(*std::make_unique<ServerConflictDialog>(conflict, &main));
    qApp->removeEventFilter(&helpKey);

    for (const QString& fault : faults) {
        qWarning("%s", qPrintable(fault));
    }
    QVERIFY2(faults.isEmpty(), "controls a screen reader cannot tell apart, listed above");
}

}  // namespace quillmark

QTEST_MAIN(quillmark::EveryWindowTest)
#include "every_window_test.moc"
