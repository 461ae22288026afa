#include "ui/search/search_window.h"

#include "forms/search/search_form.h"
#include "forms/workspace.h"
#include "ui/form_buttons.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/undo_shortcuts.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillmark {

// The term grid. A key that does not move the current cell, or a click on the cell that is
// current already, opens the cell's chooser; cells of typed values are edited in place.
class TermGrid : public QTableWidget {
public:
    TermGrid(TSearch& search, std::function<void(const QPoint&)> openChooser, QWidget* parent)
        : QTableWidget(0, 3, parent), search_(search), openChooser_(std::move(openChooser))
    {
        setObjectName("SearchGrid");
        setAccessibleName(ToQt(TSearch::GridName));
        QStringList header;
        for (const char* caption : TSearch::GridHeader) {
            header << ToQt(caption);
        }
        setHorizontalHeaderLabels(header);
        horizontalHeader()->setStretchLastSection(true);
        setColumnWidth(0, 170);
        setColumnWidth(1, 130);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        static const QList<int> moves = {Qt::Key_Up,       Qt::Key_Down,  Qt::Key_Left,
                                         Qt::Key_Right,    Qt::Key_Tab,   Qt::Key_Backtab,
                                         Qt::Key_Home,     Qt::Key_End,   Qt::Key_PageUp,
                                         Qt::Key_PageDown, Qt::Key_Escape};
        const bool modifierOnly = event->key() == Qt::Key_Shift ||
                                  event->key() == Qt::Key_Control || event->key() == Qt::Key_Alt;
        if (moves.contains(event->key()) || modifierOnly ||
            search_.CellEditable(currentRow(), currentColumn())) {
            QTableWidget::keyPressEvent(event);
            return;
        }
        // Under the cell: the keyboard's user has no pointer near it.
        const QRect cell = visualRect(currentIndex());
        openChooser_(viewport()->mapToGlobal(cell.bottomLeft()));
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QModelIndex pressed = indexAt(event->position().toPoint());
        clickOnCurrent_ = pressed.isValid() && pressed == currentIndex();
        QTableWidget::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QTableWidget::mouseReleaseEvent(event);
        if (std::exchange(clickOnCurrent_, false) && event->button() == Qt::LeftButton &&
            !search_.CellEditable(currentRow(), currentColumn())) {
            openChooser_(QCursor::pos());
        }
    }

private:
    TSearch& search_;
    std::function<void(const QPoint&)> openChooser_;
    bool clickOnCurrent_ = false;
};

namespace {

QSpinBox* RangeBox(const char* name, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setMinimumWidth(80);
    return box;
}

}  // namespace

SearchWindow::SearchWindow(Workspace& workspace, QWidget* parent)
    : FormWindow(parent), search_(workspace.Search())
{
    setObjectName("Search");
    setWindowTitle(ToQt(search_.Caption));
    BuildToolBar();
    AddUndoShortcuts(
        this, [this] { Handle([this] { search_.Undo1Click(); }); },
        [this] { Handle([this] { search_.Redo1Click(); }); });

    grid_ = new TermGrid(
        search_, [this](const QPoint& at) { OpenChooser(at); }, this);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!rendering_) {
            search_.SearchGridSelectCell(row, column);
        }
    });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!rendering_ && item->column() == TSearch::ValueColumn) {
            Handle(
                [this, item] { search_.SearchGridSetEditText(item->row(), FromQt(item->text())); });
        }
    });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(grid_, 1);
    layout->addWidget(BuildPanel());
    setCentralWidget(central);
    Render();
    FollowFormSize(search_.Width, search_.Height);
}

SearchWindow::~SearchWindow()
{
    // An edit still open is committed while the widgets go; the form must not hear of it then.
    grid_->disconnect(this);
}

void SearchWindow::BuildToolBar()
{
    actions_ = BuildViewToolBar(this, search_.Actions,
                                [this](const std::function<void()>& handler) { Handle(handler); });
    InsertOwnToolButtons(this, {&search_.LoadSearchBtn, &search_.SaveSearchBtn, &search_.Extract},
                         actions_);
    connect(actions_.at(&search_.LoadSearchBtn), &QAction::triggered, this,
            [this] { Handle([this] { search_.LoadSearchBtnClick(); }); });
    connect(actions_.at(&search_.SaveSearchBtn), &QAction::triggered, this,
            [this] { Handle([this] { search_.SaveSearchBtnClick(); }); });
    connect(actions_.at(&search_.Extract), &QAction::triggered, this, [this] {
        if (const auto entry =
                PopUpAtPointer(this, QStringLiteral("ExtractType"), search_.ExtractType)) {
            Handle([this, entry] { search_.ExtractTypeClick(static_cast<int>(*entry)); });
        }
    });
    connect(actions_.at(&search_.Actions.PrintScreenTBtn), &QAction::triggered, this, [this] {
        if (const auto entry =
                PopUpAtPointer(this, QStringLiteral("PrintMenu"), search_.PrintMenu)) {
            Handle([this, entry] { search_.PrintMenuClick(static_cast<int>(*entry)); });
        }
    });
}

QWidget* SearchWindow::BuildPanel()
{
    auto* panel = new QWidget(this);
    addTerm_ = FormButton("AddTermBtn", search_.AddTermBtn, panel);
    perform_ = FormButton("PerformSearchBtn", search_.PerformSearchBtn, panel);
    newSearch_ = FormButton("NewSearchBtn", search_.NewSearchBtn, panel);
    clear_ = FormButton("Clear", search_.Clear, panel);
    rangeLabel_ = new QLabel(panel);
    lowRange_ = RangeBox("LowRange", panel);
    rangeTo_ = new QLabel(panel);
    highRange_ = RangeBox("HighRange", panel);
    addRange_ = FormButton("AddRangeBtn", search_.AddRangeBtn, panel);
    progress_ = new QProgressBar(panel);
    progress_->setObjectName("SearchProgress");
    progress_->setTextVisible(false);
    Bind(lowRange_, search_.LowRange);
    Bind(highRange_, search_.HighRange);

    connect(addTerm_, &QPushButton::clicked, this, [this] {
        Handle([this] { search_.AddTermBtnClick(); });
        grid_->setFocus();
    });
    connect(perform_, &QPushButton::clicked, this,
            [this] { Handle([this] { search_.PerformSearchBtnClick(); }); });
    connect(newSearch_, &QPushButton::clicked, this,
            [this] { Handle([this] { search_.NewSearchBtnClick(); }); });
    connect(clear_, &QPushButton::clicked, this,
            [this] { Handle([this] { search_.ClearClick(); }); });
    connect(addRange_, &QPushButton::clicked, this,
            [this] { Handle([this] { search_.AddRangeBtnClick(); }); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {addTerm_, perform_, newSearch_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* range = new QHBoxLayout;
    rangeLabel_->setBuddy(lowRange_);
    rangeTo_->setBuddy(highRange_);
    range->addWidget(rangeLabel_);
    range->addWidget(lowRange_);
    range->addWidget(rangeTo_);
    range->addWidget(highRange_);
    range->addWidget(addRange_);
    range->addStretch();
    range->addWidget(clear_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addLayout(range);
    layout->addWidget(progress_);
    return panel;
}

void SearchWindow::OpenChooser(const QPoint& globalPosition)
{
    const std::vector<MenuItemControl>* menu = nullptr;
    Handle([this, &menu] { menu = search_.OpenChooser(); });
    if (menu == nullptr) {
        return;
    }
    std::vector<int> chosen;
    QMenu* popup =
        BuildPopupMenu(*menu, this, [&chosen](const std::vector<int>& path) { chosen = path; });
    popup->setObjectName("ChooserMenu");
    popup->exec(globalPosition);
    delete popup;
    Handle([this, &chosen] { search_.ChooserClick(chosen); });
}

void SearchWindow::Activated()
{
    search_.FormActivate();
}

void SearchWindow::Deactivated()
{
    search_.FormDeactivate();
}

void SearchWindow::Render()
{
    rendering_ = true;
    const QSignalBlocker blocker(grid_);
    const auto rows = static_cast<int>(search_.GridRows.size());
    grid_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const SearchTermRow& term = search_.GridRows[static_cast<std::size_t>(row)];
        const std::string* texts[] = {&term.Field, &term.Type, &term.Value};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* item = grid_->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                grid_->setItem(row, column, item);
            }
            const QString text = ToQt(*texts[column]);
            if (item->text() != text) {
                item->setText(text);
            }
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (search_.CellEditable(row, column)) {
                flags |= Qt::ItemIsEditable;
            }
            item->setFlags(flags);
        }
    }
    if (grid_->currentRow() != search_.GridRow || grid_->currentColumn() != search_.GridColumn) {
        grid_->setCurrentCell(search_.GridRow, search_.GridColumn);
    }
    quillmark::Render(rangeLabel_, search_.RangeLabel);
    quillmark::Render(rangeTo_, search_.RangeToLabel);
    quillmark::Render(lowRange_, search_.LowRange);
    quillmark::Render(highRange_, search_.HighRange);
    quillmark::Render(progress_, search_.SearchProgress);
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    centralWidget()->setEnabled(search_.Enabled);
    rendering_ = false;
}

// Each activation brings the menus and the record range up to date with the database.

}  // namespace quillmark
