#include "forms/graph/graph_form.h"

#include "core/byte_stream.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "core/program_settings.h"
#include "forms/graph/chart.h"
#include "forms/workspace.h"

namespace quillmark {

TGraphDisplay::TGraphDisplay(Workspace& workspace, Chart& chart)
    : Actions(workspace, ProgramWindow::Graph, "Graph Function", "Close Graph Window"),
      workspace_(workspace),
      chart_(chart)
{
    const WindowSize size =
        ReadWindowSize(workspace.settings, "GraphW:", "GraphH:", DefaultGraphSize);
    Width = size.width;
    Height = size.height;
    SaveChartImage.caption = "Save Chart Image";
    SaveChartImage.buttonName = "SaveChartImageBtn";
    SaveChartImage.hint = "Save the chart as a PNG picture";
    SaveChartImage.icon = "document-save-as";
    SaveChartImage.shortcut = "Ctrl+S";
    // The chart on show counts the records as Undo or Redo left them.
    workspace_.RedrawAfterHistory[ProgramWindow::Graph] = [this] {
        SGraphDblClick();
        workspace_.services.shell.RefreshWindow(ProgramWindow::Graph);
    };
}

TGraphDisplay::~TGraphDisplay()
{
    workspace_.RedrawAfterHistory.erase(ProgramWindow::Graph);
}

// ---- the window comes and goes ----

void TGraphDisplay::FormActivate()
{
    // Captions and categories edited elsewhere show at once; the first field is drawn.
    std::array<std::string, 10> captions;
    for (int field = 1; field <= 10; ++field) {
        captions[static_cast<std::size_t>(field - 1)] =
            workspace_.Labels.DescriptionCaptions[field];
    }
    SGraph = BuildGraphTree(captions, workspace_.database.DescriptionTrees);
    Selected = {0};
    Actions.CopySaveState();
    SGraphDblClick();
}

void TGraphDisplay::FormDeactivate()
{
    try {
        WriteWindowSize(workspace_.settings, "GraphW:", "GraphH:", {Width, Height});
    } catch (const WriteError&) {
        // The size is a convenience; the main window reports a settings file it cannot write.
    }
}

// ---- the tree and the chart ----

GraphLineage TGraphDisplay::SelectedLineage() const
{
    GraphLineage lineage;
    const std::vector<GraphNode>* level = &SGraph;
    for (const int index : Selected) {
        if (index < 0 || index >= static_cast<int>(level->size())) {
            return {};
        }
        lineage.push_back(&(*level)[static_cast<std::size_t>(index)]);
        level = &lineage.back()->Children;
    }
    return lineage;
}

// The field's caption, then the category shown as the record window shows a value, leaf first:
// "Type", "Type: Part Time", "Type: Nights : Part Time".
std::string TGraphDisplay::ChartTitle(const GraphLineage& lineage)
{
    std::string title = lineage.front()->Caption;
    for (std::size_t level = lineage.size() - 1; level >= 1; --level) {
        title += (level == lineage.size() - 1 ? ": " : " : ") + lineage[level]->Caption;
    }
    return title;
}

void TGraphDisplay::SGraphSelect(const std::vector<int>& path)
{
    Selected = path;
}

void TGraphDisplay::SGraphDblClick()
{
    const GraphLineage lineage = SelectedLineage();
    if (lineage.empty() || lineage.back()->Children.empty()) {
        return;
    }
    const int field = lineage.front()->Field;
    std::vector<GraphBar> bars;
    {
        const BusyWork busy(workspace_.services.shell, "Counting records ...");
        bars = CountGraphBars(workspace_.RecordList(), lineage,
                              workspace_.Labels.DescriptionCaptions[field]);
    }
    const int count = static_cast<int>(bars.size());
    chart_.OpenData(count);
    chart_.SetScale(workspace_.RecordCount());
    chart_.SelectSeries(0);
    for (int bar = 0; bar < count; ++bar) {
        chart_.SetValue(bar, bars[static_cast<std::size_t>(bar)].Count);
    }
    for (int bar = 0; bar < count; ++bar) {
        chart_.SetLabel(bar, bars[static_cast<std::size_t>(bar)].Caption);
    }
    chart_.SetTitle(ChartTitle(lineage));
    chart_.CloseData();
}

// ---- tool bar ----

void TGraphDisplay::PrintScreenBtnClick()
{
    chart_.Print();
}

void TGraphDisplay::SaveChartImageClick()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    std::optional<std::string> path =
        dialogs.SaveFileDialog({"Save Chart Image", "PNG Picture|*.png", "png"});
    if (!path || path->empty()) {
        return;
    }
    *path = WithDefaultExtension(*path, ".png");
    const std::optional<std::vector<std::uint8_t>> png = chart_.PngImage();
    if (!png) {
        dialogs.ShowError("The chart could not be made into a picture.");
        return;
    }
    try {
        SaveFileSafely(*path, [&png](ByteSink& sink) {
            sink.Write({reinterpret_cast<const char*>(png->data()), png->size()});
        });
    } catch (const WriteError& error) {
        dialogs.ShowError(FileNameInMessage(*path) + " could not be saved: " + error.what());
        return;
    }
    dialogs.ShowInformation("Chart Image Saved as " + FileNameInMessage(*path));
}

}  // namespace quillmark
