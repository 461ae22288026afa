// The graph window driven against a chart that records what it is told.

#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "forms/graph/chart.h"
#include "forms/graph/graph_form.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

// Every call in order, as text: "open 2", "scale 3", "series 0", "value 0 1", "label 0 Full
// Time", "close", "print".
class RecordingChart : public Chart {
public:
    std::vector<std::string> Calls;
    std::optional<std::vector<std::uint8_t>> Png = std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'};

    void OpenData(int bars) override { Calls.push_back("open " + std::to_string(bars)); }
    void SetScale(double maximum) override { Calls.push_back("scale " + Number(maximum)); }
    void SelectSeries(int series) override { Calls.push_back("series " + std::to_string(series)); }
    void SetValue(int bar, double value) override
    {
        Calls.push_back("value " + std::to_string(bar) + " " + Number(value));
    }
    void SetLabel(int bar, const std::string& label) override
    {
        Calls.push_back("label " + std::to_string(bar) + " " + label);
    }
    void SetTitle(const std::string& title) override { Calls.push_back("title " + title); }
    void CloseData() override { Calls.push_back("close"); }
    bool Print() override
    {
        Calls.push_back("print");
        return true;
    }
    std::optional<std::vector<std::uint8_t>> PngImage() override { return Png; }

private:
    static std::string Number(double value) { return std::to_string(static_cast<int>(value)); }
};

class GraphFormTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        workspace.database.DescriptionTrees[1] = "Full Time\r\nPart Time\r\n\tNights\r\n";
        workspace.database.DescriptionTrees[2] = "A\r\nB\r\nC\r\n";
        workspace.database.DescriptionTrees[3] = "";
        ItemRecordList& records = workspace.RecordList();
        records.clear();
        for (const char* value :
             {"Full Time", "Nights : Part Time", "Part Time", "full time", "Senior Full Time"}) {
            records.push_back(std::make_shared<ItemRecord>());
            records.back()->Desc[1] = value;
        }
        records[0]->Desc[2] = "B";
        workspace.CurrentIndex = 0;
        view.FormActivate();  // the captions on the main window
    }

    RecordingChart chart;
    TGraphDisplay graph{workspace, chart};
};

TEST_F(GraphFormTest, ActivationRebuildsTheTreeAndDrawsTheFirstField)
{
    graph.FormActivate();
    ASSERT_EQ(graph.SGraph.size(), 10u);
    EXPECT_EQ(graph.SGraph[0].Caption, "Type");
    EXPECT_EQ(graph.SGraph[6].Caption, "Description 6");
    EXPECT_THAT(chart.Calls,
                ElementsAre("open 2", "scale 5", "series 0", "value 0 2", "value 1 2",
                            "label 0 Full Time", "label 1 Part Time", "title Type", "close"));

    // A caption renamed and a category added show at the next activation.
    workspace.database.DescriptionCaptions[0] = "Kind";
    workspace.database.DescriptionTrees[1] += "Contract\r\n";
    view.FormActivate();
    chart.Calls.clear();
    graph.FormActivate();
    EXPECT_EQ(graph.SGraph[0].Caption, "Kind");
    EXPECT_THAT(chart.Calls, ElementsAre("open 3", "scale 5", "series 0", "value 0 2", "value 1 2",
                                         "value 2 0", "label 0 Full Time", "label 1 Part Time",
                                         "label 2 Contract", "title Kind", "close"));
}

TEST_F(GraphFormTest, ANodeWithChildrenDrawsOneBarEachAndTheChartIsPrintedAndSaved)
{
    graph.FormActivate();
    // No calls: the chart is left as it was.
    const std::pair<std::vector<int>, std::vector<std::string>> cases[] = {
        {{1},
         {"open 3", "scale 5", "series 0", "value 0 0", "value 1 1", "value 2 0", "label 0 A",
          "label 1 B", "label 2 C", "title Category", "close"}},
        {{0, 1},
         {"open 1", "scale 5", "series 0", "value 0 1", "label 0 Nights", "title Type: Part Time",
          "close"}},
        {{0, 1, 0}, {}},  // Nights, a leaf
        {{2}, {}},        // a field without categories
        {{0, 7}, {}},     // nothing there
    };
    for (const auto& [node, calls] : cases) {
        chart.Calls.clear();
        graph.SGraphSelect(node);
        graph.SGraphDblClick();
        EXPECT_EQ(chart.Calls, calls) << node.size();
    }

    graph.FormActivate();
    chart.Calls.clear();
    graph.PrintScreenBtnClick();
    EXPECT_THAT(chart.Calls, ElementsAre("print"));
    const TemporaryFolder folder;
    dialogs.ChooseFile(folder.File("chart"));
    graph.SaveChartImageClick();
    EXPECT_EQ(ReadFileBytes(folder.File("chart.png")), "\x89PNG");
    EXPECT_EQ(dialogs.FileDialogsShown.back().title, "Save Chart Image");
    EXPECT_EQ(dialogs.Texts().back(), "Chart Image Saved as " + folder.File("chart.png"));
    dialogs.ChooseFile(folder.File("missing/chart.png"));
    dialogs.Forget();
    graph.SaveChartImageClick();
    ASSERT_EQ(dialogs.Messages.size(), 2u) << "no word of success after the failure";
    EXPECT_EQ(dialogs.Messages[1].kind, ScriptedDialogs::Kind::Error);
    EXPECT_THAT(dialogs.Messages[1].text, ::testing::HasSubstr("chart.png could not be saved: "));
}

}  // namespace
}  // namespace quillmark::test
