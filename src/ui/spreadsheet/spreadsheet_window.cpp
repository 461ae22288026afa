#include "ui/spreadsheet/spreadsheet_window.h"

#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/spreadsheet/spreadsheet_grid.h"
#include "ui/text.h"
#include "ui/undo_shortcuts.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillmark {

namespace {

// A read-only box that answers a click, as the column titles do.
class ClickableBox : public QLineEdit {
public:
    ClickableBox(std::function<void()> clicked, QWidget* parent)
        : QLineEdit(parent), clicked_(std::move(clicked))
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QLineEdit::mousePressEvent(event);
        clicked_();
    }

private:
    std::function<void()> clicked_;
};

void MakeYellow(QLineEdit* box)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::yellow);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
}

QRadioButton* ModeButton(const char* name, QWidget* parent)
{
    auto* button = new QRadioButton(parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

SpreadsheetWindow::SpreadsheetWindow(Workspace& workspace, QWidget* parent)
    : FormWindow(parent), sheet_(workspace.Spreadsheet())
{
    setObjectName("SnapShot");
    setWindowTitle(ToQt(sheet_.Caption));
    BuildToolBar();
    AddUndoShortcuts(
        this, [this] { Handle([this] { sheet_.Undo1Click(); }); },
        [this] { Handle([this] { sheet_.Redo1Click(); }); });

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("Splitter");
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(BuildBrowsePanel());
    splitter_->addWidget(BuildTablePanel());
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, [this](int position) {
        sheet_.BrowsePanelWidth = position;
        appliedSplitter_ = position;
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter_, 1);
    layout->addWidget(BuildStatusBar());
    setCentralWidget(central);

    FollowFormSize(sheet_.Width, sheet_.Height);
    Render();
}

// A cell still being edited is written as the window goes, while the window is still whole.
SpreadsheetWindow::~SpreadsheetWindow()
{
    hide();
}

void SpreadsheetWindow::BuildToolBar()
{
    actions_ = BuildViewToolBar(this, sheet_.Actions,
                                [this](const std::function<void()>& handler) { Handle(handler); });
    InsertOwnToolButtons(this, {&sheet_.SelectFieldsTBtn, &sheet_.NextSearchTBtn}, actions_);
    connect(actions_.at(&sheet_.SelectFieldsTBtn), &QAction::triggered, this,
            [this] { Handle([this] { sheet_.ViewFieldsClick(); }); });
    connect(actions_.at(&sheet_.NextSearchTBtn), &QAction::triggered, this,
            [this] { Handle([this] { sheet_.NextSearchTBtnClick(); }); });
    auto* toolBar = findChild<QToolBar*>(QStringLiteral("ViewToolBar"));
    connect(actions_.at(&sheet_.Actions.PrintScreenTBtn), &QAction::triggered, this,
            [this, toolBar] {
                QWidget* button =
                    toolBar->widgetForAction(actions_.at(&sheet_.Actions.PrintScreenTBtn));
                if (const auto entry =
                        PopUpBelow(button, QStringLiteral("PrintMenu"), sheet_.PrintMenu)) {
                    Handle([this, entry] { sheet_.PrintMenuClick(static_cast<int>(*entry)); });
                }
            });
}

QWidget* SpreadsheetWindow::BuildBrowsePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("BrowsePanel");
    auto* label = new QLabel(ToQt(sheet_.BrowseLabel.caption), panel);
    viewAll_ = ModeButton("ViewAll", panel);
    viewSearched_ = ModeButton("ViewSearched", panel);
    viewSelected_ = ModeButton("ViewSelected", panel);
    browseBy_ = new QComboBox(panel);
    browseBy_->setObjectName("BrowseBy");
    browseBy_->setMinimumContentsLength(8);
    browseBy_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    browseView_ = new QListView(panel);
    browseView_->setObjectName("BrowseView");
    browseView_->setAccessibleName(ToQt(sheet_.Spoken.BrowseView));
    browseView_->setUniformItemSizes(true);
    LabelFor(label, browseBy_);
    browseView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    browseModel_ = new BrowseListModel(sheet_, this);
    browseView_->setModel(browseModel_);

    connect(viewAll_, &QRadioButton::clicked, this,
            [this] { Handle([this] { sheet_.ViewAllClick(); }); });
    connect(viewSearched_, &QRadioButton::clicked, this,
            [this] { Handle([this] { sheet_.ViewSearchedClick(); }); });
    connect(viewSelected_, &QRadioButton::clicked, this,
            [this] { Handle([this] { sheet_.ViewSelectedClick(); }); });
    connect(browseBy_, &QComboBox::activated, this, [this](int entry) {
        if (entry >= 0 && entry < static_cast<int>(sheet_.BrowseBy.items.size())) {
            Handle([this, entry] {
                sheet_.BrowseBy.text = sheet_.BrowseBy.items[static_cast<std::size_t>(entry)];
                sheet_.BrowseByChange();
            });
        }
    });
    connect(browseView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!rendering_ && current.isValid()) {
                    Handle([this, current] { sheet_.BrowseViewClick(current.row()); });
                }
            });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(viewAll_);
    layout->addWidget(viewSearched_);
    layout->addWidget(viewSelected_);
    layout->addWidget(browseBy_);
    layout->addWidget(browseView_, 1);
    return panel;
}

QWidget* SpreadsheetWindow::BuildTablePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("TablePanel");
    viewFields_ = new ClickableBox([this] { Handle([this] { sheet_.ViewFieldsClick(); }); }, panel);
    viewFields_->setObjectName("ViewFields");
    viewFields_->setAccessibleName(ToQt(sheet_.Spoken.ViewFields));
    MakeYellow(viewFields_);
    BuildGrid();
    grid_->setAccessibleName(ToQt(sheet_.Spoken.SpreadView));
    grid_->setParent(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewFields_);
    layout->addWidget(grid_, 1);
    return panel;
}

QWidget* SpreadsheetWindow::BuildStatusBar()
{
    auto* bar = new QWidget(this);
    status_ = new QLineEdit(bar);
    status_->setObjectName("Status");
    status_->setAccessibleName(ToQt(sheet_.Spoken.Status));
    MakeYellow(status_);
    highlight_ = new QCheckBox(bar);
    highlight_->setObjectName("Hbox");
    number_ = new QLineEdit(bar);
    number_->setObjectName("number");
    number_->setAccessibleName(ToQt(sheet_.Spoken.number));
    number_->setFixedWidth(70);
    Bind(number_, sheet_.number);
    Bind(highlight_, sheet_.Hbox);
    connect(number_, &QLineEdit::returnPressed, this,
            [this] { Handle([this] { sheet_.numberEnter(); }); });
    connect(highlight_, &QCheckBox::clicked, this,
            [this] { Handle([this] { sheet_.HboxClick(); }); });
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(status_, 1);
    layout->addWidget(highlight_);
    layout->addWidget(number_);
    return bar;
}

void SpreadsheetWindow::BuildGrid()
{
    grid_ = new SpreadGrid(
        sheet_,
        {[this](const QModelIndex& cell, const QPoint& at) {
             const std::vector<MenuItemControl>* menu = nullptr;
             Handle(
                 [&] { menu = sheet_.SpreadViewMouseDown(cell.column(), cell.row() + 1, true); });
             PopUp(menu, at);
         },
         [this](const QPoint& at) {
             const std::vector<MenuItemControl>* menu = nullptr;
             Handle([&] { menu = sheet_.SpreadViewKeyDown(); });
             PopUp(menu, at);
             return menu != nullptr;
         },
         [this] { Handle([this] { sheet_.SpreadViewDblClick(); }); }},
        this);
    model_ = new SpreadsheetModel(sheet_, this);
    grid_->setModel(model_);
    grid_->setItemDelegate(new SpreadsheetDelegate(
        sheet_,
        {[this](const QModelIndex& cell) {
             const QString text = ToQt(sheet_.SpreadViewGetEditText(cell.column(), cell.row() + 1));
             quillmark::Render(number_, sheet_.number);
             return text;
         },
         [this](const QModelIndex& cell, const QString& text) {
             Handle([&] {
                 sheet_.SpreadViewSetEditText(cell.column(), cell.row() + 1, FromQt(text));
             });
         },
         [this](const QModelIndex& cell, QSize size) {
             // Not while the grid is being drawn: the row and column grow once it is done.
             const int row = cell.row();
             const int column = cell.column();
             QTimer::singleShot(0, this, [this, row, column, size] {
                 if (row >= model_->rowCount() || column >= model_->columnCount()) {
                     return;
                 }
                 if (grid_->rowHeight(row) < size.height()) {
                     grid_->setRowHeight(row, size.height());
                 }
                 if (grid_->columnWidth(column) < size.width()) {
                     grid_->setColumnWidth(column, size.width());
                 }
             });
         }},
        grid_));

    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!rendering_ && current.isValid()) {
                    Handle([this, current] {
                        sheet_.SpreadViewSelectCell(current.column(), current.row() + 1);
                    });
                }
            });
    QHeaderView* header = grid_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!rendering_) {
            sheet_.SpreadViewColumnResized(column, width);
        }
    });
    connect(header, &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
        if (!rendering_) {
            ColumnMoved(from, to);
        }
    });
}

// The form moves the field and its width itself; the header goes back to showing column i
// at place i.
void SpreadsheetWindow::ColumnMoved(int from, int to)
{
    {
        rendering_ = true;
        QHeaderView* header = grid_->horizontalHeader();
        const QSignalBlocker blocker(header);
        header->moveSection(to, from);
        rendering_ = false;
    }
    Handle([this, from, to] { sheet_.SpreadViewColumnMoved(from, to); });
}

void SpreadsheetWindow::PopUp(const std::vector<MenuItemControl>* menu,
                              const QPoint& globalPosition)
{
    if (menu == nullptr) {
        return;
    }
    std::vector<int> chosen;
    QMenu* popup =
        BuildPopupMenu(*menu, this, [&chosen](const std::vector<int>& path) { chosen = path; });
    popup->setObjectName("GridMenu");
    popup->exec(globalPosition);
    popup->deleteLater();
    Handle([this, &chosen] { sheet_.PopupMenuClick(chosen); });
}

// Each activation fills the grid again from the records as they are now.
void SpreadsheetWindow::Activated()
{
    sheet_.FormActivate();
}

void SpreadsheetWindow::Deactivated()
{
    sheet_.FormDeactivate();
}

void SpreadsheetWindow::Render()
{
    rendering_ = true;
    ApplyFormSize();
    if (sheet_.BrowsePanelWidth != appliedSplitter_) {
        appliedSplitter_ = sheet_.BrowsePanelWidth;
        const int total = std::max(splitter_->width(), sheet_.Width);
        splitter_->setSizes({appliedSplitter_, std::max(total - appliedSplitter_, 1)});
    }
    quillmark::Render(viewFields_, sheet_.ViewFields);
    quillmark::Render(status_, sheet_.Status);
    quillmark::Render(highlight_, sheet_.Hbox);
    quillmark::Render(number_, sheet_.number);
    quillmark::Render(viewAll_, sheet_.ViewAll);
    quillmark::Render(viewSearched_, sheet_.ViewSearched);
    quillmark::Render(viewSelected_, sheet_.ViewSelected);
    {
        const QSignalBlocker blocker(browseBy_);
        QStringList items;
        for (const std::string& item : sheet_.BrowseBy.items) {
            items << ToQt(item);
        }
        QStringList shown;
        for (int entry = 0; entry < browseBy_->count(); ++entry) {
            shown << browseBy_->itemText(entry);
        }
        if (shown != items) {
            browseBy_->clear();
            browseBy_->addItems(items);
        }
        browseBy_->setCurrentIndex(static_cast<int>(items.indexOf(ToQt(sheet_.BrowseBy.text))));
    }
    browseModel_->Refresh();
    const QModelIndex picked = browseModel_->index(sheet_.BrowseViewIndex, 0);
    if (browseView_->currentIndex() != picked) {
        browseView_->setCurrentIndex(picked);
    }
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    RenderGrid();
    rendering_ = false;
}

void SpreadsheetWindow::RenderGrid()
{
    const TSnapShot::Grid& grid = sheet_.SpreadView;
    model_->Refresh();
    QHeaderView* header = grid_->horizontalHeader();
    for (int column = 0; column < grid.ColCount && column < header->count(); ++column) {
        const int width = grid.ColWidths[static_cast<std::size_t>(column)];
        if (header->sectionSize(column) != width) {
            header->resizeSection(column, width);
        }
    }
    QPalette palette = grid_->palette();
    const QColor base =
        grid.Silver ? QColor(TSnapShot::Silver.red, TSnapShot::Silver.green, TSnapShot::Silver.blue)
                    : QApplication::palette(grid_).color(QPalette::Base);
    if (palette.color(QPalette::Base) != base) {
        palette.setColor(QPalette::Base, base);
        grid_->setPalette(palette);
    }
    if (sheet_.RowHeightReset > 0) {
        grid_->setRowHeight(sheet_.RowHeightReset - 1, TSnapShot::DefaultRowHeight);
        sheet_.RowHeightReset = 0;
    }
    const QModelIndex wanted =
        grid.Row >= 1 ? model_->index(grid.Row - 1, grid.Col) : QModelIndex();
    if (wanted.isValid() && grid_->currentIndex() != wanted) {
        grid_->setCurrentIndex(wanted);
        grid_->scrollTo(wanted);
    }
}
}  // namespace quillmark
