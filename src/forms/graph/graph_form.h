#pragma once

#include "engine/graph_counts.h"
#include "forms/controls.h"
#include "forms/view_tool_bar.h"

#include <string>
#include <vector>

namespace quillmark {

class Chart;
class Workspace;

// The graph window: the description fields and their categories in a tree on the left, and a
// bar chart of how many records are filed under each sub-category of the node picked.
class TGraphDisplay {
public:
    TGraphDisplay(Workspace& workspace, Chart& chart);
    ~TGraphDisplay();
    TGraphDisplay(const TGraphDisplay&) = delete;
    TGraphDisplay& operator=(const TGraphDisplay&) = delete;

    std::string Caption = "Graph Function";
    // What a screen reader calls the tree and the chart.
    std::string SGraphName = "Categories";
    std::string GraphName = "Graph";
    int Width = 611;
    int Height = 414;
    int Splitter1 = 185;  // the tree panel's width

    // SGraph: rebuilt at every activation. The selected node is found by its indexes from
    // the top; empty for none.
    std::vector<GraphNode> SGraph;
    std::vector<int> Selected;
    ActionControl SaveChartImage;
    ViewToolBar Actions;

    // ---- the window comes and goes ----
    void FormActivate();
    void FormDeactivate();

    // ---- the tree and the chart ----
    void SGraphSelect(const std::vector<int>& path);
    // Counts the records under each child of the selected node and draws them; a node
    // without children leaves the chart as it is.
    void SGraphDblClick();

    // ---- tool bar ----
    void PrintScreenBtnClick();
    void SaveChartImageClick();

private:
    GraphLineage SelectedLineage() const;
    static std::string ChartTitle(const GraphLineage& lineage);

    Workspace& workspace_;
    Chart& chart_;
};

}  // namespace quillmark
