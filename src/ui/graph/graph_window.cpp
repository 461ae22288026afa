#include "ui/graph/graph_window.h"

#include "forms/graph/graph_form.h"
#include "forms/workspace.h"
#include "ui/graph/qt_chart.h"
#include "ui/icons.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QChartView>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolBar>
#include <QTreeWidget>

namespace quillmark {

namespace {

void AddNodes(QTreeWidgetItem* parent, const std::vector<GraphNode>& nodes)
{
    for (const GraphNode& node : nodes) {
        auto* item = new QTreeWidgetItem(parent, {ToQt(node.Caption)});
        AddNodes(item, node.Children);
    }
}

// The indexes leading from the tree's top to the item.
std::vector<int> PathOf(QTreeWidgetItem* item)
{
    std::vector<int> path;
    while (item != nullptr) {
        QTreeWidgetItem* parent = item->parent();
        path.insert(path.begin(), parent != nullptr
                                      ? parent->indexOfChild(item)
                                      : item->treeWidget()->indexOfTopLevelItem(item));
        item = parent;
    }
    return path;
}

}  // namespace

GraphWindow::GraphWindow(Workspace& workspace, QWidget* parent) : FormWindow(parent)
{
    setObjectName("GraphDisplay");
    splitter_ = new QSplitter(this);
    splitter_->setObjectName("Splitter1");
    tree_ = new QTreeWidget(splitter_);
    tree_->setObjectName("SGraph");
    tree_->setHeaderHidden(true);
    chart_ = std::make_unique<QtChart>(splitter_);
    graph_ = std::make_unique<TGraphDisplay>(workspace, *chart_);
    tree_->setAccessibleName(ToQt(graph_->SGraphName));
    chart_->View()->setAccessibleName(ToQt(graph_->GraphName));
    splitter_->addWidget(tree_);
    splitter_->addWidget(chart_->View());
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({graph_->Splitter1, graph_->Width - graph_->Splitter1});
    setCentralWidget(splitter_);

    auto handle = [this](const std::function<void()>& handler) { Handle(handler); };
    actions_ = BuildViewToolBar(this, graph_->Actions, handle);
    connect(actions_.at(&graph_->Actions.PrintScreenTBtn), &QAction::triggered, this,
            [this] { Handle([this] { graph_->PrintScreenBtnClick(); }); });
    // Saving the chart as a picture sits beside printing it.
    ActionControl& save = graph_->SaveChartImage;
    saveChartImage_ = new QAction(ToolIcon(ToQt(save.icon)), ToQt(save.caption), this);
    saveChartImage_->setObjectName(ToQt(save.buttonName));
    saveChartImage_->setToolTip(ToQt(save.hint));
    saveChartImage_->setStatusTip(ToQt(save.hint));
    saveChartImage_->setShortcut(QKeySequence(ToQt(save.shortcut)));
    if (auto* toolBar = findChild<QToolBar*>(QStringLiteral("ViewToolBar"))) {
        QAction* print = actions_.at(&graph_->Actions.PrintScreenTBtn);
        toolBar->insertAction(toolBar->actions().value(toolBar->actions().indexOf(print) + 1),
                              saveChartImage_);
        if (QWidget* button = toolBar->widgetForAction(saveChartImage_)) {
            button->setObjectName(ToQt(save.buttonName));
        }
    }
    actions_[&save] = saveChartImage_;
    connect(saveChartImage_, &QAction::triggered, this,
            [this] { Handle([this] { graph_->SaveChartImageClick(); }); });

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            graph_->SGraphSelect(PathOf(item));
        }
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        Handle([this, item] {
            graph_->SGraphSelect(PathOf(item));
            graph_->SGraphDblClick();
        });
    });
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this](int position) { graph_->Splitter1 = position; });
    FollowFormSize(graph_->Width, graph_->Height);
    Render();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::RenderTree()
{
    const QSignalBlocker blocker(tree_);
    tree_->clear();
    for (const GraphNode& top : graph_->SGraph) {
        auto* item = new QTreeWidgetItem(tree_, {ToQt(top.Caption)});
        AddNodes(item, top.Children);
    }
    QTreeWidgetItem* selected = nullptr;
    for (const int index : graph_->Selected) {
        selected = selected == nullptr ? tree_->topLevelItem(index) : selected->child(index);
        if (selected == nullptr) {
            break;
        }
    }
    if (selected != nullptr) {
        tree_->setCurrentItem(selected);
    }
}

void GraphWindow::Activated()
{
    graph_->FormActivate();
    treeShown_ = false;  // rebuilt from the captions and trees of the moment
}

void GraphWindow::Deactivated()
{
    graph_->FormDeactivate();
}

void GraphWindow::Render()
{
    setWindowTitle(ToQt(graph_->Caption));
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    if (!treeShown_) {
        RenderTree();
        treeShown_ = true;
    }
}

}  // namespace quillmark
