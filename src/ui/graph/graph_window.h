#pragma once

#include "ui/form_window.h"

#include <map>
#include <memory>

class QAction;
class QSplitter;
class QTreeWidget;

namespace quillmark {

class QtChart;
class TGraphDisplay;
class Workspace;
struct ActionControl;

// The graph window: the TGraphDisplay form's tree beside its chart.
class GraphWindow : public FormWindow {
public:
    explicit GraphWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~GraphWindow() override;

    void Render() override;

protected:
    void Activated() override;
    void Deactivated() override;

private:
    void RenderTree();

    QSplitter* splitter_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::unique_ptr<QtChart> chart_;
    std::unique_ptr<TGraphDisplay> graph_;
    std::map<const ActionControl*, QAction*> actions_;
    QAction* saveChartImage_ = nullptr;
    bool treeShown_ = false;  // the tree widget shows the form's tree as it now is
};

}  // namespace quillmark
