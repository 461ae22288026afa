#include "ui/main/main_window.h"

#include "forms/main/view_form.h"
#include "forms/workspace.h"
#include "ui/icons.h"
#include "ui/main/pages/description_page_widget.h"
#include "ui/main/pages/experience_page_widget.h"
#include "ui/main/pages/notes_page_widget.h"
#include "ui/main/pages/picture_page_widget.h"
#include "ui/main/pages/salary_page_widget.h"
#include "ui/main/pages/schedule_page_widget.h"
#include "ui/main/pages/skills_page_widget.h"
#include "ui/main/recent_files_menu.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace quillmark {

MainWindow::MainWindow(Workspace& workspace) : workspace_(workspace), view_(workspace.View())
{
    setObjectName("View");
    BuildActions();
    BuildRecordBar();
    BuildNotebook();
    ConnectActions();
    BuildEditHistory();
    AddRecentFilesMenu(actions_.at(&view_.Actions.Save), view_,
                       [this](const std::function<void()>& handler) { Handle(handler); });
    BuildSorting();
    statusBar();  // tool tips of the tool buttons also show here
    Render();
    FollowFormSize(view_.Width, view_.Height);  // once the texts it is fitted to are shown
    recordName_->setFocus();                    // where typing starts, ahead of the tool buttons
    PlaceOver(this, nullptr);                   // the middle of the screen
}

// The size the form asks for; a side it leaves at 0 (no size saved) is the smallest that shows
// the whole tool bar and every page without scrolling, as far as the screen allows.
QSize MainWindow::SizeToShow(QSize asked)
{
    if (asked.width() > 0 && asked.height() > 0) {
        return asked;
    }
    const QSize fitting = FittingSize();
    return {asked.width() > 0 ? asked.width() : fitting.width(),
            asked.height() > 0 ? asked.height() : fitting.height()};
}

QSize MainWindow::FittingSize()
{
    // The window's own size hint asks for the tool bars in full and the largest page, once
    // every layout has forgotten what it worked out before the texts were rendered.
    ensurePolished();
    for (QWidget* inner : findChildren<QWidget*>()) {
        inner->updateGeometry();
    }
    for (QLayout* inner : findChildren<QLayout*>()) {
        inner->invalidate();
    }
    layout()->invalidate();
    QSize fitting = sizeHint().expandedTo(minimumSizeHint());
    if (const QScreen* shown = screen()) {
        // Room for a window manager's frame.
        constexpr int FrameRoom = 40;
        fitting =
            fitting.boundedTo(shown->availableGeometry().size() - QSize(FrameRoom, FrameRoom));
    }
    return fitting;
}

void MainWindow::BuildActions()
{
    auto makeAction = [this](ActionControl* control) {
        auto* action =
            new QAction(ToQt(control->caption.empty() ? control->hint : control->caption), this);
        action->setObjectName(
            ToQt(control->menuName.empty() ? control->buttonName : control->menuName));
        if (!control->shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQt(control->shortcut)));
        }
        if (!control->icon.empty()) {
            action->setIcon(ToolIcon(ToQt(control->icon)));
        }
        action->setToolTip(ToQt(control->hint));
        action->setStatusTip(ToQt(control->hint));
        action->setCheckable(control->checkable);
        actions_[control] = action;
        return action;
    };

    const std::function<void(QMenu*, const MenuLayout&)> fillMenu = [&](QMenu* menu,
                                                                        const MenuLayout& layout) {
        for (ActionControl* entry : layout.entries) {
            if (entry == nullptr) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(actions_.contains(entry) ? actions_[entry] : makeAction(entry));
        }
        for (const MenuLayout& submenu : layout.submenus) {
            QMenu* sub = menu->addMenu(ToQt(submenu.caption));
            fillMenu(sub, submenu);
            sub->setEnabled(!submenu.entries.empty() &&
                            std::any_of(submenu.entries.begin(), submenu.entries.end(),
                                        [](const ActionControl* a) { return a && a->enabled; }));
        }
    };
    for (const MenuLayout& menu : MainMenuLayout(view_.Actions)) {
        // Alt and the first letter opens a menu, as on every desktop.
        fillMenu(menuBar()->addMenu(QStringLiteral("&") + ToQt(menu.caption)), menu);
    }

    QToolBar* toolBar = addToolBar(ToQt("Tools"));
    toolBar->setObjectName("ToolBar3");
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(22, 22));
    for (ActionControl* entry : ToolBarLayout(view_.Actions)) {
        if (entry == nullptr) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = actions_.contains(entry) ? actions_[entry] : makeAction(entry);
        toolBar->addAction(action);
        if (QWidget* button = toolBar->widgetForAction(action)) {
            button->setObjectName(ToQt(entry->buttonName));
            // Several commands have no menu entry: their buttons are reached with Tab too.
            button->setFocusPolicy(Qt::TabFocus);
        }
    }
}

void MainWindow::BuildRecordBar()
{
    addToolBarBreak();
    QToolBar* bar = addToolBar(ToQt("Record"));
    recordBar_ = bar;
    bar->setObjectName("ToolBar2");
    bar->setMovable(false);
    recordTitle_ = new QLabel(bar);
    recordTitle_->setObjectName("RecordTitle");
    recordName_ = new QLineEdit(bar);
    recordName_->setObjectName("RecordName");
    recordName_->setMinimumWidth(220);
    recordLabel_ = new QLabel(bar);
    recordLabel_->setObjectName("RecordLabel");
    number_ = new QLineEdit(bar);
    number_->setObjectName("number");
    number_->setFixedWidth(70);
    readOnly_ = new QCheckBox(bar);
    readOnly_->setObjectName("ReadonlyBox");
    searchList_ = new QCheckBox(bar);
    searchList_->setObjectName("SearchListBox");
    LabelFor(recordTitle_, recordName_);
    LabelFor(recordLabel_, number_);
    bar->addWidget(recordTitle_);
    bar->addWidget(recordName_);
    bar->addSeparator();
    bar->addWidget(recordLabel_);
    bar->addWidget(number_);
    bar->addSeparator();
    bar->addWidget(readOnly_);
    bar->addWidget(searchList_);

    Bind(recordName_, view_.RecordName);
    Bind(number_, view_.number);
    connect(number_, &QLineEdit::returnPressed, this,
            [this] { Handle([this] { view_.numberEnter(); }); });
    connect(readOnly_, &QCheckBox::clicked, this, [this](bool checked) {
        Handle([this, checked] {
            view_.ReadonlyBox.checked = checked;
            view_.ReadonlyBoxClick();
        });
    });
    connect(searchList_, &QCheckBox::clicked, this, [this](bool checked) {
        Handle([this, checked] {
            view_.SearchListBox.checked = checked;
            view_.SearchListBoxClick();
        });
    });
}

void MainWindow::BuildNotebook()
{
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("RecordBook");
    auto render = [this] { Render(); };
    pages_ = {new DescriptionPageWidget(view_, render), new SkillsPageWidget(view_, render),
              new ExperiencePageWidget(view_, render),  new SchedulePageWidget(view_, render),
              new SalaryPageWidget(view_, render),      new NotesPageWidget(view_, render),
              new PicturePageWidget(view_, render)};
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setObjectName(ToQt(TView::PageCaptions[i]) + QStringLiteral("Page"));
        notebook_->addTab(pages_[i], ToQt(TView::PageCaptions[i]));
    }
    setCentralWidget(notebook_);
    connect(notebook_, &QTabWidget::currentChanged, this,
            [this](int page) { Handle([this, page] { view_.RecordBookChange(page); }); });
}

void MainWindow::ConnectActions()
{
    ViewActions& a = view_.Actions;
    const std::vector<std::pair<ActionControl*, std::function<void()>>> handlers = {
        {&a.New, [this] { view_.New1Click(); }},
        {&a.Open, [this] { view_.Open1Click(); }},
        {&a.Save, [this] { view_.Save1Click(); }},
        {&a.SaveAs, [this] { view_.SaveAs1Click(); }},
        {&a.OpenFromServer, [this] { view_.OpenFromServer1Click(); }},
        {&a.SaveToServer, [this] { view_.SaveToServer1Click(); }},
        {&a.KeepBackupCopy, [this] { view_.KeepBackupCopy1Click(); }},
        {&a.Merge, [this] { view_.Merge1Click(); }},
        {&a.SetDatabaseInformation, [this] { view_.SetDatabaseInformation1Click(); }},
        {&a.SetDatabasePassword, [this] { view_.SetDatabasePassword1Click(); }},
        {&a.ResetApplication, [this] { view_.ResetApplication1Click(); }},
        {&a.Previous, [this] { view_.PreviousTBtnClick(); }},
        {&a.Next, [this] { view_.NextTBtnClick(); }},
        {&a.NewRecord, [this] { view_.NewRecord1Click(); }},
        {&a.CopyRecord, [this] { view_.CopyRecord1Click(); }},
        {&a.DeleteRecord, [this] { view_.DeleteRecord1Click(); }},
        {&a.InsertRecord, [this] { view_.InsertRecord1Click(); }},
        {&a.PrintForm, [this] { view_.QuickPrintClick(); }},
        {&a.PrintScreen, [this] { view_.QuickPrintClick(); }},
        {&a.ShortDescriptionValues, [this] { view_.ShortDescriptionValues1Click(); }},
        {&a.Calculator, [this] { view_.Calculator1Click(); }},
        {&a.Calendar, [this] { view_.Calendar1Click(); }},
        {&a.ChangePictureFilePath, [this] { view_.ChangePictureFilePath1Click(); }},
        {&a.ChangeResumeFilePath, [this] { view_.ChangeResumeFilePath1Click(); }},
        {&a.Contents, [this] { view_.Contents1Click(); }},
        {&a.Introduction, [this] { view_.Introduction1Click(); }},
        {&a.GettingStarted, [this] { view_.GettingStarted1Click(); }},
        {&a.About, [this] { view_.About1Click(); }},
        {&a.Close, [this] { view_.Close1Click(); }},
        {&a.SearchRecords, [this] { view_.SearchRecords1Click(); }},
        {&a.AlbumView, [this] { view_.AlbumView1Click(); }},
        {&a.GraphView, [this] { view_.GraphView1Click(); }},
        {&a.GenerateRegularReport, [this] { view_.GenerateRegularReport1Click(); }},
        {&a.CdPlayer, [this] { view_.CDButtonClick(); }},
        {&a.SpreadsheetView, [this] { view_.SpreadsheetView1Click(); }},
        {&a.QuickExport, [this] { view_.QuickExport1Click(); }},
        {&a.GenerateHTMLReport, [this] { view_.GenerateHTMLReport1Click(); }},
        {&a.PreviousSearch, [this] { view_.PreviousSearchClick(); }},
        {&a.NextSearch, [this] { view_.NextSearchClick(); }},
    };
    for (const auto& [control, handler] : handlers) {
        connect(actions_.at(control), &QAction::triggered, this,
                [this, handler] { Handle(handler); });
    }
    connect(actions_.at(&a.Report), &QAction::triggered, this, [this] {
        if (const auto entry = PopUpAtPointer(this, QStringLiteral("ReportMenu"),
                                              ReportMenuEntries(view_.Actions))) {
            Handle([this, entry] { view_.ReportMenuClick(static_cast<int>(*entry)); });
        }
    });
    // The related-records button pops up the relation menu at the pointer.
    connect(actions_.at(&a.DisplaySame), &QAction::triggered, this, [this] {
        Handle([this] { view_.DisplaySameBtnClick(); });
        if (const auto entry =
                PopUpAtPointer(this, QStringLiteral("DisplaySameMenu"), view_.DisplaySameMenu)) {
            Handle([this, entry] { view_.DisplaySameClick(*entry); });
        }
    });
}

void MainWindow::Render()
{
    const QString title = ToQt(view_.Caption);
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    quillmark::Render(recordTitle_, view_.RecordTitle);
    quillmark::Render(recordName_, view_.RecordName);
    quillmark::Render(recordLabel_, view_.RecordLabel);
    quillmark::Render(number_, view_.number);
    quillmark::Render(readOnly_, view_.ReadonlyBox);
    quillmark::Render(searchList_, view_.SearchListBox);
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    RenderEditHistory();
    {
        const QSignalBlocker blocker(notebook_);
        notebook_->setCurrentIndex(view_.RecordBook);
    }
    for (PageWidget* page : pages_) {
        page->Render();
    }
    RenderSorting();
    // Last, so that a fitting size is worked out with the texts just rendered.
    ApplyFormSize();
}

// Switching to another window of the program stores the record on show; coming back shows it
// again. Message boxes do not count: they belong to the command that is running.
void MainWindow::Activated()
{
    if (view_.Initialised) {
        view_.FormActivate();
        return;
    }
    // The first activation may ask whether to open the last database before any record is
    // shown: meanwhile the window shows no record rather than an empty "Record 0". A box that
    // follows once a record is there ("... opened.") has the record behind it.
    recordBar_->hide();
    notebook_->hide();
    qApp->installEventFilter(this);
    view_.FormActivate();
    qApp->removeEventFilter(this);
    ShowRecord();
}

void MainWindow::ShowRecord()
{
    if (notebook_->isHidden()) {
        Render();
        recordBar_->show();
        notebook_->show();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && workspace_.CurrentIndex >= 0) {
        ShowRecord();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Deactivated()
{
    view_.FormDeactivate();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Without a window manager no activation may ever arrive; the first showing counts as one,
    // once the window is on screen, so that the reopen question has the window behind it.
    if (!view_.Initialised) {
        ActivateOnceExposed();
    }
}

// A window manager places and frames the window only after it is shown: a box asked before
// then would have no window to be placed over.
void MainWindow::ActivateOnceExposed(int triesLeft)
{
    QTimer::singleShot(triesLeft == ExposeTries ? 0 : 20, this, [this, triesLeft] {
        if (triesLeft > 0 && (windowHandle() == nullptr || !windowHandle()->isExposed())) {
            ActivateOnceExposed(triesLeft - 1);
            return;
        }
        Activate();
    });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!view_.FormCloseQuery()) {
        event->ignore();
        Render();
        return;
    }
    view_.FormClose();
    event->accept();
    QApplication::exit(0);  // the utility windows may still be open
}

}  // namespace quillmark
