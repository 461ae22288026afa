// The main window built for real on the offscreen platform, over a workspace whose dialogs
// answer from a script, so that no message box ever waits for a click.

#include "app/fake_services.h"
#include "app/pick_list_form.h"
#include "search/edit_skill_form.h"
#include "app/view_form.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace quillmark {

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void StartsWithOneUntitledRecord();
    void NewRecordTypedNameAndBack();
    void RecordNumberBoxAndEnter();
    void CopyKeyCopiesTextInABoxAndTheRecordElsewhere();
    void SalaryAmountsFollowTheBoxes();
    void ReadOnlyBoxLocksTheRecord();
    void LeavingForAnotherWindowStoresTheRecord();
    void ExperienceCellsStayWithTheirRecord();
    void SortRecordsMenuAndToolButton();
    void DescriptionBoxPopsItsMenuAndCaptionsRename();
    void RelatedRecordsPopUpAndPickList();
    void SkillEditedFromTheSelectedRow();
    void ScheduleDraggedOnTheTimeBar();

private:
    template <typename T>
    T* Find(const char* name)
    {
        T* found = window_->findChild<T*>(name);
        if (found == nullptr) {
            qWarning("no %s named %s", T::staticMetaObject.className(), name);
        }
        return found;
    }
    void Click(const char* toolButton)
    {
        auto* button = Find<QToolButton>(toolButton);
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString Shown(const char* name)
    {
        if (auto* box = window_->findChild<QLineEdit*>(name)) {
            return box->text();
        }
        if (auto* label = window_->findChild<QLabel*>(name)) {
            return label->text();
        }
        return QString("<no %1>").arg(name);
    }
    void Retype(const char* boxName, const QString& text)
    {
        auto* box = Find<QLineEdit>(boxName);
        QVERIFY(box != nullptr);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void Activate(QWidget* window)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    std::unique_ptr<test::Session> session_;
    std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::init()
{
    session_ = std::make_unique<test::Session>();
    window_ = std::make_unique<MainWindow>(session_->workspace);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    Activate(window_.get());
}

void MainWindowTest::cleanup()
{
    window_.reset();
    const std::vector<std::string> problems = session_->dialogs.Problems;
    session_.reset();
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
}

void MainWindowTest::StartsWithOneUntitledRecord()
{
    QCOMPARE(window_->size(), QSize(634, 482));
    QCOMPARE(window_->windowTitle(), QString("Untitled"));
    QCOMPARE(Shown("RecordName"), QString("Untitled 1"));
    QCOMPARE(Shown("number"), QString("1"));
    for (const char* name : {"PreviousTBtn", "NextTBtn", "NewRecordTBtn", "CopyRecordTBtn"}) {
        auto* button = Find<QToolButton>(name);
        QVERIFY(button != nullptr);
        QVERIFY2(button->isEnabled(), name);
    }
    QVERIFY(!Find<QToolButton>("DeleteRecordTBtn")->isEnabled());
    QVERIFY(!Find<QToolButton>("InsertRecordTBtn")->isEnabled());
    QCOMPARE(Find<QTabWidget>("RecordBook")->currentIndex(), 0);
    QCOMPARE(Shown("Desc7"), QString("Description 6"));
    QCOMPARE(Shown("sn0"), QString("Street"));
    QVERIFY(session_->dialogs.Messages.empty());
}

void MainWindowTest::NewRecordTypedNameAndBack()
{
    Click("NewRecordTBtn");
    QCOMPARE(Shown("RecordName"), QString("Untitled 2"));
    QCOMPARE(Shown("number"), QString("2"));
    QVERIFY(Find<QToolButton>("DeleteRecordTBtn")->isEnabled());

    Retype("RecordName", "Grace Hopper");
    Click("PreviousTBtn");
    QCOMPARE(Shown("RecordName"), QString("Untitled 1"));
    QCOMPARE(Shown("number"), QString("1"));
    Click("NextTBtn");
    QCOMPARE(Shown("RecordName"), QString("Grace Hopper"));
    QCOMPARE(session_->Record(1).RecordName, std::string("Grace Hopper"));

    // Past the last record: the message goes to the dialogs, the window stays as it is.
    Click("NextTBtn");
    QCOMPARE(session_->dialogs.Texts(),
             std::vector<std::string>{"You are already on the last record in the database."});
    QCOMPARE(Shown("RecordName"), QString("Grace Hopper"));
}

void MainWindowTest::RecordNumberBoxAndEnter()
{
    Click("NewRecordTBtn");
    Click("NewRecordTBtn");
    Retype("number", "1");
    QTest::keyClick(Find<QLineEdit>("number"), Qt::Key_Return);
    QCOMPARE(Shown("RecordName"), QString("Untitled 1"));
    QCOMPARE(Shown("number"), QString("1"));
    Retype("number", "40");
    QTest::keyClick(Find<QLineEdit>("number"), Qt::Key_Enter);
    QCOMPARE(Shown("RecordName"), QString("Untitled 3"));
    QCOMPARE(Shown("number"), QString("3"));
    Retype("number", "x");
    QTest::keyClick(Find<QLineEdit>("number"), Qt::Key_Return);
    QCOMPARE(session_->dialogs.Texts(),
             std::vector<std::string>{"You have entered an invalid number, please try again"});
    QCOMPARE(session_->workspace.CurrentIndex, 2);
}

void MainWindowTest::CopyKeyCopiesTextInABoxAndTheRecordElsewhere()
{
    auto* insert = Find<QToolButton>("InsertRecordTBtn");
    auto* name = Find<QLineEdit>("RecordName");
    QVERIFY(insert != nullptr && name != nullptr);
    QApplication::clipboard()->clear();

    // In a text box Ctrl+C copies the selected text, as it does in any text box.
    name->setFocus();
    name->setSelection(0, 8);
    QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("Untitled"));
    QVERIFY(!insert->isEnabled());

    // Anywhere else it is "Copy Record", which offers the record for insertion.
    QTabBar* tabs = Find<QTabWidget>("RecordBook")->tabBar();
    tabs->setFocus();
    QCOMPARE(QApplication::focusWidget(), tabs);
    QTest::keyClick(tabs, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(insert->isEnabled());
    QCOMPARE(QApplication::clipboard()->text(), QString("Untitled"));

    QTest::mouseClick(insert, Qt::LeftButton);
    QCOMPARE(session_->Names(), (std::vector<std::string>{"Untitled 1", "Untitled 1"}));
    QVERIFY(!insert->isEnabled());
    QVERIFY(Find<QToolButton>("DeleteRecordTBtn")->isEnabled());
}

void MainWindowTest::SalaryAmountsFollowTheBoxes()
{
    auto* notebook = Find<QTabWidget>("RecordBook");
    notebook->setCurrentIndex(TView::SalaryTab);
    QCOMPARE(session_->view.RecordBook, int(TView::SalaryTab));
    QTest::mouseClick(Find<QAbstractButton>("sWeekly"), Qt::LeftButton);
    QCOMPARE(Shown("SalaryLabel"), QString("Weekly Salary"));
    QVERIFY(Find<QAbstractButton>("sWeekly")->isChecked());
    QVERIFY(!Find<QAbstractButton>("sHourly")->isChecked());

    Retype("HoursPerWeekEdit", "40");
    QCOMPARE(Shown("CalcStatus"), QString("Please enter salary."));
    Retype("SalaryEdit", "500");
    QCOMPARE(Shown("CalcStatus"), QString("Calculation Successful"));
    QCOMPARE(Shown("aHourly"), QString("$12.50 per hour"));
    QCOMPARE(Shown("aBiMonthly"), QString("$1083.33 bi-monthly"));
    QCOMPARE(Shown("aYearly"), QString("$26000.00 per year"));
    QCOMPARE(Shown("HoursPerDay"), QString("8.00 hours per day"));

    // A different period: the salary box shows the same pay for it.
    QTest::mouseClick(Find<QAbstractButton>("sMonthly"), Qt::LeftButton);
    QCOMPARE(Shown("SalaryEdit"), QString("2166.67"));
    QCOMPARE(Shown("SalaryLabel"), QString("Monthly Salary"));
    QVERIFY(!Find<QAbstractButton>("sWeekly")->isChecked());

    // The working days are a drop-down that also takes typing.
    auto* days = Find<QComboBox>("WorkDaysPerWeekEdit");
    QVERIFY(days != nullptr);
    days->setCurrentText("8");
    QCOMPARE(Shown("CalcStatus"), QString("Work Days per week can not be greater then 7."));
    QCOMPARE(Shown("aHourly"), QString("$0.00 per hour"));
    days->setCurrentIndex(3);
    QCOMPARE(Shown("CalcStatus"), QString("Calculation Successful"));
    QCOMPARE(Shown("aDaily"), QString("$125.00 per day"));

    Click("NewRecordTBtn");
    Click("PreviousTBtn");
    QCOMPARE(session_->Record(0).SalaryAmount, std::string("2166.67"));
    QCOMPARE(session_->Record(0).WorkDaysPerWeek, std::string("4"));
    QCOMPARE(Shown("SalaryEdit"), QString("2166.67"));
    QVERIFY(Find<QAbstractButton>("sMonthly")->isChecked());
}

void MainWindowTest::ReadOnlyBoxLocksTheRecord()
{
    Click("NewRecordTBtn");
    auto* readOnly = Find<QCheckBox>("ReadonlyBox");
    QTest::mouseClick(readOnly, Qt::LeftButton);
    QVERIFY(readOnly->isChecked());
    QVERIFY(session_->Record(1).ReadOnly);
    QVERIFY(Find<QLineEdit>("Detail0")->isReadOnly());
    QVERIFY(Find<QPlainTextEdit>("Notes")->isReadOnly());
    QVERIFY(!Find<QCheckBox>("CheckBox1")->isEnabled());
    QVERIFY(!Find<QAbstractButton>("sWeekly")->isEnabled());

    Click("DeleteRecordTBtn");
    QCOMPARE(session_->dialogs.Texts(),
             std::vector<std::string>{"You may not delete read only records."});
    QCOMPARE(session_->workspace.RecordCount(), 2);

    Click("PreviousTBtn");
    QVERIFY(!readOnly->isChecked());
    QVERIFY(!Find<QLineEdit>("Detail0")->isReadOnly());
    QVERIFY(Find<QCheckBox>("CheckBox1")->isEnabled());
}

void MainWindowTest::LeavingForAnotherWindowStoresTheRecord()
{
    Retype("RecordName", "Ada Lovelace");
    // Typed through an input method, as text beyond the keyboard arrives; a character the
    // database cannot hold is kept as "?".
    auto* city = Find<QLineEdit>("Detail1");
    QVERIFY(city != nullptr);
    city->setFocus();
    QInputMethodEvent typing;
    typing.setCommitString(QString::fromUtf8("Zürich Ω"));
    QApplication::sendEvent(city, &typing);
    QCOMPARE(session_->Record(0).RecordName, std::string("Untitled 1"));

    QWidget other;
    other.setObjectName("Other");
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    Activate(&other);
    QCOMPARE(session_->Record(0).RecordName, std::string("Ada Lovelace"));
    QCOMPARE(session_->Record(0).Detail[1], std::string("Z\xFCrich ?"));

    // Meanwhile another window changes the record; coming back shows the change.
    session_->Record(0).Detail[1] = "Paris";
    Activate(window_.get());
    QCOMPARE(Shown("Detail1"), QString("Paris"));
    QCOMPARE(Shown("RecordName"), QString("Ada Lovelace"));
}

void MainWindowTest::ExperienceCellsStayWithTheirRecord()
{
    auto* grid = Find<QTableWidget>("DirGrid");
    QVERIFY(grid != nullptr);
    QCOMPARE(grid->columnCount(), 4);
    QCOMPARE(grid->rowCount(), 99);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("Employer"));
    QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("Notes"));

    grid->setItem(0, 0, new QTableWidgetItem("Acme"));
    grid->setItem(1, 2, new QTableWidgetItem("1990-1995"));
    Click("NewRecordTBtn");
    QVERIFY(grid->item(0, 0) == nullptr || grid->item(0, 0)->text().isEmpty());
    Click("PreviousTBtn");
    QCOMPARE(grid->item(0, 0)->text(), QString("Acme"));
    QCOMPARE(grid->item(1, 2)->text(), QString("1990-1995"));
    QCOMPARE(session_->Record(0).ExperienceStream,
             std::string("4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n"
                         "0,1,Acme\r\n2,2,1990-1995\r\n"));
}

void MainWindowTest::DescriptionBoxPopsItsMenuAndCaptionsRename()
{
    session_->workspace.database.DescriptionTrees[1] = "Shift\r\n\tNights & Days\r\n";
    window_->Handle([this] { session_->view.MakeMenu(1); });
    QTest::mouseClick(Find<QLineEdit>("DescOne"), Qt::LeftButton);
    auto* menu = Find<QMenu>("DescMenu1");
    QVERIFY(menu != nullptr && menu->isVisible());
    const QList<QAction*> entries = menu->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0]->text(), QString("ADD NEW TYPE CATEGORY"));
    QCOMPARE(entries[1]->text(), QString("CLEAR FIELD"));
    QVERIFY(entries[2]->menu() != nullptr);
    // A category with children heads its own submenu, so that it can be picked itself too.
    const QList<QAction*> shift = entries[2]->menu()->actions();
    QCOMPARE(shift.size(), 3);
    QCOMPARE(shift[0]->text(), QString("Shift"));
    QVERIFY(shift[1]->isSeparator());
    QAction* nights = shift[2];
    QCOMPARE(nights->text(), QString("Nights && Days"));  // an ampersand shown as it is
    nights->trigger();
    QCOMPARE(Shown("DescOne"), QString("Nights & Days : Shift"));
    QCOMPARE(session_->Record(0).Desc[1], std::string("Nights & Days : Shift"));
    shift[0]->trigger();
    QCOMPARE(session_->Record(0).Desc[1], std::string("Shift"));
    menu->close();
    QTRY_VERIFY(window_->findChild<QMenu*>("DescMenu1") == nullptr);

    QTest::mouseClick(Find<QCheckBox>("ReadonlyBox"), Qt::LeftButton);
    QTest::mouseClick(Find<QLineEdit>("DescOne"), Qt::LeftButton);
    QVERIFY(window_->findChild<QMenu*>("DescMenu1") == nullptr);

    session_->dialogs.Type("Birthday");
    QTest::mouseClick(Find<QLabel>("sn2"), Qt::LeftButton);
    QCOMPARE(Shown("sn2"), QString("Birthday"));
    QCOMPARE(session_->workspace.database.DetailCaptions[2], std::string("Birthday"));
}

void MainWindowTest::SortRecordsMenuAndToolButton()
{
    Retype("RecordName", "b");
    Click("NewRecordTBtn");
    Retype("RecordName", "A");
    Click("NewRecordTBtn");
    Retype("RecordName", "c");
    Click("PreviousTBtn");

    auto* sortMenu = Find<QMenu>("SortSelect");
    QVERIFY(sortMenu != nullptr);
    QVERIFY(sortMenu->isEnabled());
    QCOMPARE(sortMenu->actions().size(), 34);
    QAction* byName = sortMenu->actions()[27];
    QCOMPARE(byName->objectName(), QString("SortBy28"));
    QCOMPARE(byName->text(), QString("Sort by Name"));
    byName->trigger();
    QCOMPARE(session_->Names(), (std::vector<std::string>{"A", "b", "c"}));
    QCOMPARE(Shown("number"), QString("2"));
    QCOMPARE(Shown("RecordName"), QString("b"));

    // Descending, then the same entry from the tool button's pop-up.
    auto* descending = window_->findChild<QAction*>("Descending1");
    QVERIFY(descending != nullptr && descending->isEnabled());
    descending->trigger();
    QVERIFY(descending->isChecked());
    QVERIFY(!window_->findChild<QAction*>("Ascending1")->isChecked());
    QTimer::singleShot(0, this, [this] {
        auto* popup = window_->findChild<QMenu*>("SortMenu");
        QVERIFY(popup != nullptr);
        QCOMPARE(popup->actions().size(), 34);
        popup->setActiveAction(popup->actions()[27]);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    Click("SortRecordTBtn");
    QCOMPARE(session_->Names(), (std::vector<std::string>{"c", "b", "A"}));
    QCOMPARE(Shown("RecordName"), QString("b"));

    // A renamed caption shows at the next activation.
    session_->workspace.database.DetailCaptions[2] = "Born";
    window_->Handle([this] { session_->view.FormActivate(); });
    QCOMPARE(sortMenu->actions().size(), 34);
    QCOMPARE(sortMenu->actions()[12]->text(), QString("Sort by Born"));
    QVERIFY(session_->dialogs.Messages.empty());
}

void MainWindowTest::RelatedRecordsPopUpAndPickList()
{
    Click("NewRecordTBtn");
    Retype("RecordName", "Bob");
    Click("NewRecordTBtn");
    Retype("RecordName", "Cid");
    Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::NotesTab);

    std::vector<std::string> listed;
    session_->shell.OnPickList([&](TPickListForm& form) {
        for (const TPickListForm::Entry& entry : form.Items) {
            listed.push_back(entry.name);
        }
        form.ItemIndex = 1;
        form.DisplayBtnClick();
    });
    // The menu is modal: it is played from the event loop it runs.
    QStringList entries;
    QTimer::singleShot(50, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->objectName(), QString("DisplaySameMenu"));
        for (const QAction* action : menu->actions()) {
            entries.append(action->text());
        }
        menu->setActiveAction(menu->actions().value(20));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    Click("DisplaySameBtn");
    QTRY_COMPARE(Shown("RecordName"), QString("Bob"));

    QCOMPARE(entries.size(), 31);
    QCOMPARE(entries.front(), QString("Display records with the same Primary \"Type\""));
    QCOMPARE(entries[20], QString("Display records with the same Street"));
    QCOMPARE(entries.back(), QString("Status"));
    QCOMPARE(session_->shell.DialogsShown.back(),
             std::string("Display records with the same Street"));
    QCOMPARE(listed, std::vector<std::string>({"Untitled 1", "Bob"}));
    QCOMPARE(Shown("number"), QString("2"));
    QCOMPARE(Find<QTabWidget>("RecordBook")->currentIndex(), int(TView::DescriptionTab));
    QCOMPARE(session_->Names(), std::vector<std::string>({"Untitled 1", "Bob", "Cid"}));
}

void MainWindowTest::SkillEditedFromTheSelectedRow()
{
    Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::SkillsTab);
    auto* list = Find<QTreeWidget>("ItemList");
    auto* editButton = Find<QPushButton>("EditSkillBtn");
    QVERIFY(list != nullptr && editButton != nullptr);
    QVERIFY(editButton->isEnabled());

    // A current row that is not selected is no row to edit.
    list->setCurrentItem(list->topLevelItem(3), 0, QItemSelectionModel::NoUpdate);
    QVERIFY(list->selectedItems().isEmpty());
    QTest::mouseClick(editButton, Qt::LeftButton);
    QVERIFY(session_->shell.DialogsShown.empty());

    session_->shell.OnEditSkill([](TEditSkillForm& form) {
        form.HasSkill.checked = true;
        form.SkillProficiency.text = "Fluent";
        form.OKBtnClick();
    });
    const QRect row = list->visualItemRect(list->topLevelItem(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseClick(editButton, Qt::LeftButton);
    QCOMPARE(session_->shell.DialogsShown, std::vector<std::string>{"Edit Skill"});
    QCOMPARE(list->topLevelItem(4)->text(1), QString("Fluent"));
    QCOMPARE(list->topLevelItem(4)->checkState(0), Qt::Checked);
    QVERIFY(list->topLevelItem(4)->isSelected());

    // A double-click on a row opens the dialog on it.
    session_->shell.OnEditSkill([](TEditSkillForm& form) {
        form.SkillNotes.text = "Weekends";
        form.OKBtnClick();
    });
    const QRect other = list->visualItemRect(list->topLevelItem(6));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, other.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, other.center());
    QCOMPARE(session_->shell.DialogsShown.size(), std::size_t(2));
    QCOMPARE(list->topLevelItem(6)->text(2), QString("Weekends"));

    Click("NewRecordTBtn");
    Click("PreviousTBtn");
    QCOMPARE(list->topLevelItem(4)->text(1), QString("Fluent"));
    QCOMPARE(session_->Record(0).Skills.SkillNotes(7), std::string("Weekends"));
}

void MainWindowTest::ScheduleDraggedOnTheTimeBar()
{
    Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::ScheduleTab);
    QTest::mouseClick(Find<QAbstractButton>("DayMon"), Qt::LeftButton);
    QCOMPARE(Shown("Day"), QString("Monday"));
    auto* bar = Find<QWidget>("TimeBar1");
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->toolTip(), QString("Hold the [Ctrl] key down to select multiple times"));

    // The bar's hours are laid out below their labels, from 09:00 on.
    const int top = bar->fontMetrics().height() + 4;
    const int y = (top + bar->height()) / 2;
    const double hourWidth = (bar->width() - 1) / 12.0;
    auto hour = [&](int cell) { return QPoint(static_cast<int>((cell + 0.5) * hourWidth), y); };
    QTest::mousePress(bar, Qt::LeftButton, {}, hour(0));
    QTest::mouseMove(bar, hour(1));
    QTest::mouseMove(bar, hour(2));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, hour(2));
    auto lines = [&](const char* name) { return Find<QPlainTextEdit>(name)->toPlainText(); };
    QCOMPARE(lines("MonStart"), QString("09:00"));
    QCOMPARE(lines("MonEnd"), QString("12:00"));

    // Right to left, 14:00 to 16:00, then a right click that empties the day.
    QTest::mousePress(bar, Qt::LeftButton, {}, hour(6));
    QTest::mouseMove(bar, hour(5));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, hour(5));
    QCOMPARE(lines("MonStart"), QString("09:00\n14:00"));
    QCOMPARE(lines("MonEnd"), QString("12:00\n16:00"));
    QVERIFY(lines("TueStart").isEmpty());
    QTest::mouseClick(bar, Qt::RightButton, {}, hour(3));
    QVERIFY(lines("MonStart").isEmpty());
    QVERIFY(lines("MonEnd").isEmpty());

    // A read-only record's bar takes no selection.
    QTest::mouseClick(Find<QCheckBox>("ReadonlyBox"), Qt::LeftButton);
    QVERIFY(!bar->isEnabled());
    QTest::mouseClick(bar, Qt::LeftButton, {}, hour(1));
    QVERIFY(lines("MonStart").isEmpty());
}

}  // namespace quillmark

QTEST_MAIN(quillmark::MainWindowTest)
#include "main_window_test.moc"
