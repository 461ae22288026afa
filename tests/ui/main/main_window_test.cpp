// The main window built for real on the offscreen platform, over a workspace whose dialogs
// answer from a script, so that no message box ever waits for a click. What the pages do with
// a record is tested without Qt; here clicks and typing must reach them and show the outcome.

#include "ui/main/main_window.h"
#include "core/program_settings.h"
#include "forms/main/edit_skill_form.h"
#include "forms/main/pages/picture_page.h"
#include "forms/main/view_form.h"
#include "support/database_layout.h"
#include "support/fake_services.h"
#include "support/picture_files.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"
#include "ui/qt_services.h"
#include "ui/text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>

namespace quillmark {

namespace {

// What a box of the real dialogs was like when it came up.
struct BoxSeen {
    QWidget* parent = nullptr;
    bool onTop = false;
    bool titleWhole = false;
    bool plainText = false;  // its texts shown as they are, never read as markup
    bool operator==(const BoxSeen&) const = default;
};

// Asks, and answers the box as soon as it is up.
BoxSeen Seen(const std::function<void()>& ask)
{
    BoxSeen seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        seen.parent = box->parentWidget();
        seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        // Room for the title and a window manager's buttons beside it.
        seen.titleWhole =
            box->width() > QFontMetrics(box->font()).horizontalAdvance(box->windowTitle()) + 100;
        seen.plainText = true;
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() && label->textFormat() != Qt::PlainText) {
                seen.plainText = false;
            }
        }
        box->reject();
    });
    ask();
    return seen;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        session_ = std::make_unique<test::Session>();
        window_ = std::make_unique<MainWindow>(session_->workspace);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        Activate(window_.get());
    }

    void cleanup()
    {
        window_.reset();
        const std::vector<std::string> problems = session_->dialogs.Problems;
        session_.reset();
        QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
    }

    void RecordBarNumberBoxAndSorting()
    {
        QCOMPARE(Shown("Desc7"), QStringLiteral("Description 6"));
        Click("NewRecordTBtn");
        Retype("RecordName", QStringLiteral("Grace Hopper"));
        Click("PreviousTBtn");
        QCOMPARE(Shown("RecordName"), QStringLiteral("Untitled 1"));
        Click("NextTBtn");
        QCOMPARE(Shown("RecordName"), QStringLiteral("Grace Hopper"));
        // "Sort by Name": the place on show is kept, now with another record.
        Find<QMenu>("SortSelect")->actions().value(27)->trigger();
        QCOMPARE(session_->Names(), (std::vector<std::string>{"Grace Hopper", "Untitled 1"}));
        QCOMPARE(Shown("RecordName"), QStringLiteral("Untitled 1"));

        // The number box moves on the keypad's Enter or Return.
        Retype("number", QStringLiteral("1"));
        QTest::keyClick(Find<QLineEdit>("number"), Qt::Key_Enter);
        QCOMPARE(Shown("RecordName"), QStringLiteral("Grace Hopper"));
        Retype("number", QStringLiteral("x"));
        QTest::keyClick(Find<QLineEdit>("number"), Qt::Key_Return);
        QCOMPARE(session_->dialogs.Texts(),
                 std::vector<std::string>{"You have entered an invalid number, please try again"});
    }

    void CopyAndUndoKeysServeTheBoxFirstAndTheRecordsElsewhere()
    {
        auto* insert = Find<QToolButton>("InsertRecordTBtn");
        auto* name = Find<QLineEdit>("RecordName");
        QApplication::clipboard()->clear();
        name->setFocus();
        name->setSelection(0, 8);
        QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Untitled"));
        QVERIFY(!insert->isEnabled());

        // Outside a text box Ctrl+C is "Copy Record".
        QTabBar* tabs = Find<QTabWidget>("RecordBook")->tabBar();
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_C, Qt::ControlModifier);
        QTest::mouseClick(insert, Qt::LeftButton);
        QCOMPARE(session_->Names(), (std::vector<std::string>{"Untitled 1", "Untitled 1"}));
        QCOMPARE(window_->windowTitle(), QStringLiteral("*Untitled"));

        // Ctrl+Z takes back the box's own typing first; with none left, the last step. Outside a
        // box Ctrl+Y does the step again.
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("x"));
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("Untitled 1"));
        QCOMPARE(session_->Names().size(), std::size_t{2});
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session_->Names(), (std::vector<std::string>{"Untitled 1"}));
        QCOMPARE(window_->findChild<QAction*>(QStringLiteral("Redo1"))->text(),
                 QStringLiteral("Redo Insert Record \"Untitled 1\""));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Untitled"));
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(session_->Names().size(), std::size_t{2});
    }

    void SalaryAndExperienceAreStoredWithTheirRecord()
    {
        Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::SalaryTab);
        QTest::mouseClick(Find<QAbstractButton>("sWeekly"), Qt::LeftButton);
        Retype("HoursPerWeekEdit", QStringLiteral("40"));
        Retype("SalaryEdit", QStringLiteral("500"));
        Find<QComboBox>("WorkDaysPerWeekEdit")
            ->setCurrentText(QStringLiteral("4"));  // typed, not picked
        QCOMPARE(Shown("aDaily"), QStringLiteral("$125.00 per day"));
        auto* grid = Find<QTableWidget>("DirGrid");
        grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Acme")));
        grid->setItem(1, 2, new QTableWidgetItem(QStringLiteral("1990-1995")));

        Click("NewRecordTBtn");
        Click("PreviousTBtn");
        QCOMPARE(session_->Record(0).WorkDaysPerWeek, std::string("4"));
        QVERIFY(Find<QAbstractButton>("sWeekly")->isChecked());
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("1990-1995"));
        QVERIFY(session_->Record(0).ExperienceStream.ends_with("0,1,Acme\r\n2,2,1990-1995\r\n"));
    }

    void LongNotesAreTakenInOnlyWhenTheirPageIsShown()
    {
        // A text box takes seconds over a million lines: a record is shown on another page without.
        session_->Record(0).Notes = std::vector<std::string>(1'000'000, "x");
        const double started = test::ProcessorSeconds();
        window_->Handle([this] { session_->view.GetRecord(0); });
        QVERIFY(test::ProcessorSeconds() - started < 1.0);

        auto* book = Find<QTabWidget>("RecordBook");
        auto* notes = Find<QPlainTextEdit>("Notes");
        book->setCurrentIndex(TView::NotesTab);
        QCOMPARE(notes->blockCount(), 1'000'000);
        // Typing there reads back the lines it touched, not all of them at every key. Qt's own work
        // for a key in so long a box is most of the time, so it is measured first with the box's
        // signals blocked, which the record ignores; reading every line back would add seconds.
        const auto typeSome = [notes] {
            notes->moveCursor(QTextCursor::End);
            const double before = test::ProcessorSeconds();
            QTest::keyClicks(notes, QString(30, u'y'));
            QTest::keyClick(notes, Qt::Key_Return);
            QTest::keyClicks(notes, QStringLiteral("new"));
            return test::ProcessorSeconds() - before;
        };
        notes->blockSignals(true);
        const double qtAlone = typeSome();
        for (int key = 0; key < 34; ++key) {
            QTest::keyClick(notes, Qt::Key_Backspace);
        }
        notes->blockSignals(false);
        const std::vector<std::string>& lines = session_->view.Notes.Notes.lines;
        QVERIFY(typeSome() - qtAlone < 0.5);
        QCOMPARE(lines.size(), std::size_t{1'000'001});
        QCOMPARE(lines[999'999], "x" + std::string(30, 'y'));
        QCOMPARE(lines.back(), std::string("new"));
        for (int key = 0; key < 4; ++key) {
            QTest::keyClick(notes, Qt::Key_Backspace);
        }
        QTest::keyClick(notes, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_Delete);
        QTest::keyClicks(notes, QStringLiteral("a\u00a0"));
        QCOMPARE(lines.size(), std::size_t{1'000'000});
        QCOMPARE(lines.front(), std::string("a\xa0"));
        QCOMPARE(lines.back(), "x" + std::string(30, 'y'));

        // Another record shown meanwhile is the one the page shows when it comes back.
        book->setCurrentIndex(TView::DescriptionTab);
        Click("NewRecordTBtn");
        book->setCurrentIndex(TView::NotesTab);
        QVERIFY(notes->toPlainText().isEmpty());
    }

    void EveryKindOfEditInANotesBoxReachesTheRecord()
    {
        // The box hands back only the lines an edit touched: after every kind of edit the form's
        // lines must still be the box's text, line for line, or a note would be saved wrong.
        session_->Record(0).Notes = {"one", "two", "three", "four"};
        window_->Handle([this] { session_->view.GetRecord(0); });
        Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::NotesTab);
        auto* notes = Find<QPlainTextEdit>("Notes");
        const std::vector<std::string>& lines = session_->view.Notes.Notes.lines;
        // From a selection: text typed over it, text pasted over it, or a key pressed.
        auto select = [notes](int from, int to) {
            QTextCursor cursor = notes->textCursor();
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            notes->setTextCursor(cursor);
        };
        auto type = [&](int from, int to, const char* text) {
            select(from, to);
            QTest::keyClicks(notes, QLatin1StringView(text));
        };
        auto paste = [&](int from, int to, const char* text) {
            select(from, to);
            QApplication::clipboard()->setText(QLatin1StringView(text));
            notes->paste();
        };
        const std::vector<std::pair<const char*, std::function<void()>>> edits = {
            {"type at the start", [&] { type(0, 0, "A"); }},
            {"paste lines into a line", [&] { paste(2, 2, "x\ny\nz"); }},
            {"type over lines", [&] { type(1, 12, "Q"); }},
            {"paste over lines", [&] { paste(0, 9, "p\n\nq"); }},
            {"join two lines",
             [&] {
                 select(1, 1);
                 QTest::keyClick(notes, Qt::Key_Delete);
             }},
            {"undo", [&] { notes->undo(); }},
            {"undo again", [&] { notes->undo(); }},
            {"redo", [&] { notes->redo(); }},
            {"break the last line",
             [&] {
                 notes->moveCursor(QTextCursor::End);
                 QTest::keyClick(notes, Qt::Key_Return);
                 QTest::keyClick(notes, Qt::Key_Return);
             }},
            {"select all and delete",
             [&] {
                 notes->selectAll();
                 QTest::keyClick(notes, Qt::Key_Delete);
             }},
            {"type into the empty box", [&] { QTest::keyClicks(notes, QStringLiteral("last")); }},
            {"undo all",
             [&] {
                 while (notes->document()->isUndoAvailable()) {
                     notes->undo();
                 }
             }},
        };
        for (const auto& [name, edit] : edits) {
            edit();
            QVERIFY2(lines == LinesFromQt(notes->toPlainText()), name);
        }
        QCOMPARE(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    }

    void LeavingForAnotherWindowStoresTheRecord()
    {
        Retype("RecordName", QStringLiteral("Ada Lovelace"));
        // Text from an input method; a character the database cannot hold is kept as "?".
        Find<QLineEdit>("Detail1")->setFocus();
        QInputMethodEvent typing;
        typing.setCommitString(QString::fromUtf8("Zürich Ω"));
        QApplication::sendEvent(Find<QLineEdit>("Detail1"), &typing);
        QCOMPARE(session_->Record(0).RecordName, std::string("Untitled 1"));

        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        Activate(&other);
        QCOMPARE(session_->Record(0).RecordName, std::string("Ada Lovelace"));
        QCOMPARE(session_->Record(0).Detail[1], std::string("Z\xFCrich ?"));

        session_->Record(0).Detail[1] = "Paris";  // changed meanwhile elsewhere
        Activate(window_.get());
        QCOMPARE(Shown("Detail1"), QStringLiteral("Paris"));
    }

    void DateBoxesTypeThroughTheirMaskUnlessTheTextIsNoSuchDate()
    {
        // An empty date box takes a date and gives back nothing when cleared, not its separators.
        auto* birth = Find<QLineEdit>("Detail2");
        birth->setFocus();
        birth->home(false);
        QTest::keyClicks(birth, QStringLiteral("04011980"));
        QCOMPARE(session_->view.Description.Detail[2].text, std::string("04/01/1980"));
        birth->selectAll();
        QTest::keyClick(birth, Qt::Key_Delete);
        QCOMPARE(session_->view.Description.Detail[2].text, std::string());

        // A date in another form is shown without the mask and kept as typed; a fitting date gets
        // the mask back when shown again.
        auto* hired = Find<QLineEdit>("Other1");
        auto show = [this](const char* text) {
            session_->Record(0).Other[1] = text;
            window_->Handle([this] { session_->view.GetRecord(0); });
        };
        show("April 1980");
        QVERIFY(hired->inputMask().isEmpty());
        hired->setFocus();
        hired->end(false);
        QTest::keyClicks(hired, QStringLiteral(", 3rd"));
        QCOMPARE(session_->view.Description.Other[1].text, std::string("April 1980, 3rd"));
        show("12/31/1999");
        QVERIFY(!hired->inputMask().isEmpty());
        QCOMPARE(hired->text(), QStringLiteral("12/31/1999"));
    }

    void DescriptionBoxPopsItsMenuAndCaptionsRenameEverywhere()
    {
        session_->workspace.database.DescriptionTrees[1] = "Shift\r\n\tNights & Days\r\n";
        window_->Handle([this] { session_->view.MakeMenu(1); });
        QTest::mouseClick(Find<QLineEdit>("DescOne"), Qt::LeftButton);
        auto* menu = Find<QMenu>("DescMenu1");
        QVERIFY(menu != nullptr && menu->isVisible());
        // A category with children heads its own submenu, so that it can be picked itself too.
        QVERIFY(menu->actions()[2]->menu() != nullptr);
        const QList<QAction*> shift = menu->actions()[2]->menu()->actions();
        QCOMPARE(shift[0]->text(), QStringLiteral("Shift"));
        QCOMPARE(shift[2]->text(),
                 QStringLiteral("Nights && Days"));  // an ampersand shown as it is
        shift[2]->trigger();
        QCOMPARE(Shown("DescOne"), QStringLiteral("Nights & Days : Shift"));
        menu->close();

        session_->dialogs.Type("Birthday");
        QTest::mouseClick(Find<QLabel>("sn2"), Qt::LeftButton);
        QCOMPARE(Shown("sn2"), QStringLiteral("Birthday"));
        // The sort menu follows at the next activation, its entries replaced rather than added to.
        window_->Handle([this] { session_->view.FormActivate(); });
        auto* sortMenu = Find<QMenu>("SortSelect");
        QCOMPARE(sortMenu->actions().size(), 34);
        QCOMPARE(sortMenu->actions()[12]->text(), QStringLiteral("Sort by Birthday"));
    }

    void SkillEditedFromTheSelectedRow()
    {
        Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::SkillsTab);
        auto* list = Find<QTreeWidget>("ItemList");
        auto* editButton = Find<QPushButton>("EditSkillBtn");
        // A current row that is not selected is no row to edit.
        list->setCurrentItem(list->topLevelItem(3), 0, QItemSelectionModel::NoUpdate);
        QTest::mouseClick(editButton, Qt::LeftButton);
        QVERIFY(session_->shell.DialogsShown.empty());

        session_->shell.OnDialog([](TEditSkillForm& form) {
            form.HasSkill.checked = true;
            form.SkillProficiency.text = "Fluent";
            form.OKBtnClick();
        });
        const QPoint row = list->visualItemRect(list->topLevelItem(4)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseClick(editButton, Qt::LeftButton);
        QCOMPARE(list->topLevelItem(4)->text(1), QStringLiteral("Fluent"));
        QCOMPARE(list->topLevelItem(4)->checkState(0), Qt::Checked);

        // A double-click opens the dialog on its row.
        session_->shell.OnDialog([](TEditSkillForm& form) {
            form.SkillNotes.text = "Weekends";
            form.OKBtnClick();
        });
        const QPoint other = list->visualItemRect(list->topLevelItem(6)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, other);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, other);
        QCOMPARE(list->topLevelItem(6)->text(2), QStringLiteral("Weekends"));

        // The space bar ticks the current row's check mark, as a click on it does.
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(6), 0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(6)->checkState(0), Qt::Checked);
        QTest::mouseClick(Find<QCheckBox>("ReadonlyBox"), Qt::LeftButton);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(6)->checkState(0), Qt::Checked);
    }

    void ScheduleSetWithTheMouseOrTheKeysUnlessReadOnly()
    {
        Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::ScheduleTab);
        auto* bar = Find<QWidget>("TimeBar1");
        QAccessibleInterface* hours = QAccessible::queryAccessibleInterface(bar);
        auto cell = [&](int hour) { return hours->child(hour); };
        auto lines = [&](const char* name) { return Find<QPlainTextEdit>(name)->toPlainText(); };
        // To a screen reader the bar is a list of its hours, each with its times.
        QCOMPARE(hours->role(), QAccessible::List);
        QCOMPARE(hours->text(QAccessible::Name), QStringLiteral("Hours"));
        QCOMPARE(hours->childCount(), 12);
        QCOMPARE(cell(0)->text(QAccessible::Name), QStringLiteral("09:00 to 10:00"));
        QCOMPARE(cell(11)->text(QAccessible::Name), QStringLiteral("20:00 to 21:00"));
        QCOMPARE(hours->indexOfChild(cell(5)), 5);
        QVERIFY(hours->text(QAccessible::Description).startsWith(QStringLiteral("No day chosen.")));

        // A day is chosen with the keys, as radio buttons are: Space, then the arrows.
        auto* sunday = Find<QAbstractButton>("DaySun");
        sunday->setFocus();
        QTest::keyClick(sunday, Qt::Key_Space);
        QTest::keyClick(sunday, Qt::Key_Right);
        QVERIFY(Find<QAbstractButton>("DayMon")->isChecked() && !sunday->isChecked());

        // Two hours from 11:00, chosen with Shift and the arrows and added with Space.
        bar->setFocus();
        QVERIFY(bar->hasFocus());
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QVERIFY(cell(2)->state().focused);
        QTest::keyClick(bar, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(cell(2)->state().selected && cell(3)->state().selected);
        QVERIFY(lines("MonStart").isEmpty());  // not yet the day's
        QTest::keyClick(bar, Qt::Key_Space);
        QCOMPARE(lines("MonStart"), QStringLiteral("11:00"));
        QCOMPARE(lines("MonEnd"), QStringLiteral("13:00"));
        QVERIFY(!cell(1)->state().selected && cell(3)->state().selected &&
                !cell(4)->state().selected);
        QVERIFY(hours->text(QAccessible::Description)
                    .startsWith(QStringLiteral("Monday: 11:00 to 13:00.")));

        // Escape gives up a range being chosen; Left past the first hour moves the bar's hours.
        QTest::keyClick(bar, Qt::Key_Home);
        QTest::keyClick(bar, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(bar, Qt::Key_Escape);
        QVERIFY(!cell(0)->state().selected && cell(2)->state().selected);
        QTest::keyClick(bar, Qt::Key_Home);
        QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(cell(0)->text(QAccessible::Name), QStringLiteral("08:00 to 09:00"));
        QCOMPARE(lines("MonStart"), QStringLiteral("11:00"));

        // A screen reader's press on an hour adds it; Delete empties the day.
        cell(6)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(lines("MonStart"), QStringLiteral("11:00\n14:00"));
        QTest::keyClick(bar, Qt::Key_Delete);
        QVERIFY(lines("MonStart").isEmpty());
        QVERIFY(
            hours->text(QAccessible::Description).startsWith(QStringLiteral("Monday: no times.")));

        // Dragged over the hours, now from 08:00, which are laid out below their labels; a right
        // click clears.
        const int y = (bar->fontMetrics().height() + 4 + bar->height()) / 2;
        const double hourWidth = (bar->width() - 1) / 12.0;
        auto at = [&](int hour) { return QPoint(static_cast<int>((hour + 0.5) * hourWidth), y); };
        QTest::mousePress(bar, Qt::LeftButton, {}, at(1));
        QTest::mouseMove(bar, at(2));
        QTest::mouseMove(bar, at(3));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at(3));
        QCOMPARE(lines("MonStart"), QStringLiteral("09:00"));
        QCOMPARE(lines("MonEnd"), QStringLiteral("12:00"));
        QTest::mouseClick(bar, Qt::RightButton, {}, at(4));
        QVERIFY(lines("MonStart").isEmpty());

        // A read-only record locks every page.
        QTest::mouseClick(Find<QCheckBox>("ReadonlyBox"), Qt::LeftButton);
        QVERIFY(!bar->isEnabled());
        QVERIFY(Find<QLineEdit>("Detail0")->isReadOnly());
        QVERIFY(Find<QPlainTextEdit>("Notes")->isReadOnly());
        QVERIFY(!Find<QCheckBox>("CheckBox1")->isEnabled());
    }

    void PictureIsShownAtItsSizeOrStretchedAndAMissingOneReported()
    {
        test::TemporaryFolder folder;
        auto show = [&](const std::string& name) {
            session_->Record(0).Images[1].ImageFile = folder.File(name);
            window_->Handle([this] { session_->view.GetRecord(0); });
            Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::PictureTab);
        };
        auto* picture = Find<QLabel>("RecordImage");
        auto* status = Find<QLabel>("PicStat");
        test::WriteFileBytes(folder.File("ann.bmp"), test::TinyBmp());
        show("ann.bmp");
        QVERIFY(picture->isVisible() && !status->isVisible());
        QCOMPARE(picture->pixmap().size(), QSize(3, 2));
        QCOMPARE(picture->pixmap().toImage().pixelColor(2, 0), QColor(Qt::blue));
        QVERIFY(!picture->hasScaledContents());
        QTest::mouseClick(Find<QCheckBox>("AutoSizeImage"), Qt::LeftButton);
        QVERIFY(picture->hasScaledContents());
        QTest::mouseClick(Find<QPushButton>("ClearPictureBtn"), Qt::LeftButton);
        QVERIFY(!picture->isVisible());

        show("gone.jpg");
        QVERIFY(status->isVisible() && !picture->isVisible());
        QCOMPARE(status->text(), QStringLiteral("Image File is Not Valid"));
    }

    void PictureDialogListsExtensionsInAnyCase()
    {
        test::TemporaryFolder folder;
        test::WriteFileBytes(folder.File("photo.GIF"), test::TinyGif());
        test::WriteFileBytes(folder.File("scan.pcx"), test::TinyPcx());
        test::WriteFileBytes(folder.File("notes.txt"), "text");
        QFileDialog dialog;
        SetUpOpenFileDialog(dialog,
                            {"Open", PicturePage::PictureFilter, "", folder.File("scan.pcx")});
        dialog.show();
        const QString path = QString::fromStdString(folder.Path());
        QCOMPARE(dialog.directory().absolutePath(), QDir(path).absolutePath());

        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        auto listed = [model, &path] {
            QStringList names;
            const QModelIndex shown = model->index(path);
            for (int row = 0; row < model->rowCount(shown); ++row) {
                names.append(model->index(row, 0, shown).data().toString());
            }
            return names;
        };
        // Every picture at first, whatever its kind; the single kinds after that.
        QCOMPARE(dialog.selectedNameFilter().left(13), QStringLiteral("All pictures "));
        QTRY_COMPARE(listed(),
                     (QStringList{QStringLiteral("photo.GIF"), QStringLiteral("scan.pcx")}));
        dialog.selectNameFilter(QStringLiteral("GIF Bitmap (*.gif)"));
        QTRY_COMPARE(listed(), QStringList{QStringLiteral("photo.GIF")});
        dialog.selectNameFilter(QStringLiteral("PCX Bitmap (*.pcx)"));
        QTRY_COMPARE(listed(), QStringList{QStringLiteral("scan.pcx")});
    }

    void OpensWholeWithoutASavedSizeAndAsSavedWithOne()
    {
        // Every tool button is on the bar, with an icon; nothing is left over for "»".
        auto* toolBar = Find<QToolBar>("ToolBar3");
        const auto* overflow =
            toolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(overflow == nullptr || !overflow->isVisible());
        for (QAction* action : toolBar->actions()) {
            if (!action->isSeparator()) {
                QVERIFY2(toolBar->widgetForAction(action)->isVisible(),
                         qPrintable(action->toolTip()));
                QVERIFY2(!action->icon().pixmap(22).isNull(), qPrintable(action->toolTip()));
            }
        }
        // Every page shows all its boxes and lists without scrolling the page.
        auto* notebook = Find<QTabWidget>("RecordBook");
        for (int page = 0; page < notebook->count(); ++page) {
            notebook->setCurrentIndex(page);
            QApplication::processEvents();
            for (const QScrollArea* area :
                 notebook->currentWidget()->findChildren<QScrollArea*>()) {
                for (const QScrollBar* bar :
                     {area->horizontalScrollBar(), area->verticalScrollBar()}) {
                    QVERIFY2(!bar->isVisible(),
                             TView::PageCaptions[static_cast<std::size_t>(page)]);
                }
            }
        }
        QCOMPARE(Shown("SatStartHeading"), QStringLiteral("Start"));
        QCOMPARE(Shown("SatEndHeading"), QStringLiteral("End"));
        QVERIFY(window_->screen()->availableGeometry().contains(window_->frameGeometry()));

        // A size kept in the settings is the one the window opens at.
        test::TemporaryFolder folder;
        const std::string settings = folder.File("Quillmark.ini");
        WriteWindowSize(SettingsStore(settings), "ViewW:", "ViewH:", {700, 500});
        test::Session saved(1, settings);
        MainWindow window(saved.workspace);
        QCOMPARE(window.size(), QSize(700, 500));
    }

    // File > Recent Files, right after "Open": the files by name, their paths as tool tips.
    void TwoFilesOpenedAreListedAndOneOpenedAgain()
    {
        test::TemporaryFolder folder;
        const std::string staff = folder.File("staff.dat");
        const std::string extra = folder.File("extra & more.dat");
        test::WriteFileBytes(staff, test::DatabaseBytes({"Ann Lee"}));
        test::WriteFileBytes(extra, test::DatabaseBytes({"Bob Ray"}));
        test::Session session(1, folder.File("Quillmark.ini"));
        MainWindow window(session.workspace);
        window.show();
        Activate(&window);
        test::OpenDatabase(session, staff);
        test::OpenDatabase(session, extra);
        auto* recent = window.findChild<QMenu*>(QStringLiteral("RecentFiles"));
        QVERIFY(recent != nullptr);
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

    void QuestionsOpenAboveTheWindowThatAsked()
    {
        // An always-on-top modal window, as the category editor is, asks its question.
        QDialog editor(window_.get());
        editor.setWindowFlag(Qt::WindowStaysOnTopHint);
        editor.setModal(true);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QWidget* owner = window_.get();
        QtDialogs dialogs(owner);
        QCOMPARE(Seen([&] {
                     QVERIFY(
                         !dialogs.AskYesNo("3 records will be effected by this change.  Are you "
                                           "sure you want to continue ?"));
                 }),
                 (BoxSeen{&editor, true, true, true}));
        QCOMPARE(
            Seen([&] {
                QVERIFY(!dialogs.PasswordBox("Enter Read Password", "Please Enter Read Password"));
            }),
            (BoxSeen{&editor, true, true, true}));

        // Without a modal window, the main window asks. A file's name is shown as it is.
        editor.close();
        Activate(window_.get());
        QCOMPARE(Seen([&] { dialogs.ShowInformation("File Saved"); }),
                 (BoxSeen{window_.get(), false, true, true}));
        QCOMPARE(Seen([&] { dialogs.ShowError("<h1>x</h1>.dat is not a valid Quillmark file."); }),
                 (BoxSeen{window_.get(), false, true, true}));
    }

    void InputsAreNamedByTheirCaptionsAndTheFileKeysAreUnique()
    {
        // What a screen reader is told: each input's caption.
        auto spokenName = [](QWidget* widget) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
        };
        QCOMPARE(spokenName(Find<QLineEdit>("RecordName")), QStringLiteral("Name"));
        QCOMPARE(spokenName(Find<QLineEdit>("DescSeven")), QStringLiteral("Description 6"));
        QCOMPARE(spokenName(Find<QLineEdit>("ImageTitle")), QStringLiteral("Title"));
        QCOMPARE(spokenName(Find<QPlainTextEdit>("Notes")), QStringLiteral("Notes"));

        QSet<QString> keys;
        for (QAction* action : window_->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty()) {
                continue;
            }
            const QString key = action->shortcut().toString();
            QVERIFY2(!keys.contains(key), qPrintable(key + QStringLiteral(" is given twice")));
            keys.insert(key);
        }
        for (const char* key : {"Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+Q", "F1"}) {
            QVERIFY2(keys.contains(QLatin1StringView(key)), key);
        }
    }

    void LongWorkShowsTheBusyCursorAtOnceAndProgressOnceItLasts()
    {
        QWidget* owner = window_.get();
        QtShell shell(owner, QString());
        auto progressShown = [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QStringLiteral("BusyProgress") && widget->isVisible()) {
                    return qobject_cast<QProgressDialog*>(widget);
                }
            }
            return static_cast<QProgressDialog*>(nullptr);
        };
        shell.BeginBusy("Opening <b>staff</b>.dat ...");
        QVERIFY(QApplication::overrideCursor() != nullptr);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        shell.Progress(10, 100);
        QVERIFY2(progressShown() == nullptr, "no progress for work that ends quickly");
        QTest::qWait(600);
        shell.Progress(40, 100);
        QProgressDialog* progress = progressShown();
        QVERIFY(progress != nullptr);
        QCOMPARE(progress->labelText(), QStringLiteral("Opening <b>staff</b>.dat ..."));
        QCOMPARE(progress->findChild<QLabel*>()->textFormat(), Qt::PlainText);
        QCOMPARE(progress->value(), 40);

        shell.EndBusy();
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(progressShown() == nullptr);
    }

private:
    template <typename T>
    T* Find(const char* name)
    {
        T* found = window_->findChild<T*>(QLatin1StringView(name));
        if (found == nullptr) {
            qWarning("no %s named %s", T::staticMetaObject.className(), name);
        }
        return found;
    }
    void Click(const char* button) { QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton); }
    QString Shown(const char* name)
    {
        if (auto* box = window_->findChild<QLineEdit*>(QLatin1StringView(name))) {
            return box->text();
        }
        if (auto* label = window_->findChild<QLabel*>(QLatin1StringView(name))) {
            return label->text();
        }
        return QStringLiteral("<no %1>").arg(QLatin1StringView(name));
    }
    void Retype(const char* boxName, const QString& text)
    {
        auto* box = Find<QLineEdit>(boxName);
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

}  // namespace quillmark

QTEST_MAIN(quillmark::MainWindowTest)
#include "main_window_test.moc"
