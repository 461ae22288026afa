#include "engine/graph_counts.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

// Description 1 "Type": Full Time, and Part Time with Nights beneath it.
const char* const TypeTree = "Full Time\r\nPart Time\r\n\tNights\r\n";

ItemRecordList RecordsValued(const std::vector<std::string>& values)
{
    ItemRecordList records;
    for (const std::string& value : values) {
        auto record = std::make_shared<ItemRecord>();
        record->Desc[1] = value;
        records.push_back(record);
    }
    return records;
}

// The graph of description 1, captioned "Type", over the tree given.
std::vector<GraphNode> TypeGraph(const char* tree = TypeTree)
{
    std::array<std::string, 10> captions;
    captions[0] = "Type";
    OneBasedArray<std::string, 10> trees;
    trees[1] = tree;
    return BuildGraphTree(captions, trees);
}

TEST(GraphCounts, EachBarCountsTheRecordsUnderItsCategoryAndNothingElse)
{
    const std::vector<GraphNode> tree = TypeGraph();
    ASSERT_EQ(tree.size(), 10u);
    EXPECT_EQ(tree[0].Caption, "Type");
    EXPECT_EQ(tree[3].Field, 4);
    EXPECT_TRUE(tree[3].Children.empty());

    struct Case {
        const char* category;
        std::vector<std::string> values;
        std::vector<GraphBar> bars;
    };
    const std::vector<Case> cases = {
        {"",
         {"Full Time", "Nights : Part Time", "Part Time"},
         {{"Full Time", 1}, {"Part Time", 2}}},
        // Letters A to Z only are folded; "É" and "é" stay apart.
        {"",
         {"full time", "PART TIME", "nIGHTS : part time"},
         {{"Full Time", 1}, {"Part Time", 2}}},
        // ": " anchors the name: a category that merely ends like a bar's counts for none, and
        // so do empty values and the node itself.
        {"", {"Senior Full Time", "", "Type", "Nights"}, {{"Full Time", 0}, {"Part Time", 0}}},
        {"Part Time", {"Nights : Part Time", "nights : part time", "Part Time"}, {{"Nights", 2}}},
        // A leaf has no bars.
        {"Nights : Part Time", {"Nights : Part Time"}, {}},
    };
    for (const Case& c : cases) {
        const GraphLineage lineage = FindGraphCategory(tree[0], c.category);
        ASSERT_FALSE(lineage.empty()) << c.category;
        EXPECT_EQ(CountGraphBars(RecordsValued(c.values), lineage, "Type"), c.bars)
            << c.category << " / " << c.values.front();
    }
    EXPECT_TRUE(FindGraphCategory(tree[0], "Days : Part Time").empty());
    EXPECT_TRUE(FindGraphCategory(tree[0], "Part Time : Nights").empty());
}

TEST(GraphCounts, AValueIsReadAgainstTheCaptionTheMainWindowShows)
{
    // Values hold no caption: a record counts under the bar whose path, caption included,
    // its value ends with. Two children of one name count a record once, for the first.
    const std::vector<GraphNode> tree = TypeGraph("Same\r\nSame\r\n");
    const GraphLineage lineage = FindGraphCategory(tree[0], "");
    const ItemRecordList records = RecordsValued({"Same", "Same"});
    EXPECT_EQ(CountGraphBars(records, lineage, "Type"),
              (std::vector<GraphBar>{{"Same", 2}, {"Same", 0}}));
    // A main window whose caption differs from the graph's counts nothing.
    EXPECT_EQ(CountGraphBars(records, lineage, "Kind"),
              (std::vector<GraphBar>{{"Same", 0}, {"Same", 0}}));
}

}  // namespace
}  // namespace quillmark
