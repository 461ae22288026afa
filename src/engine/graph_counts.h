#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The graph's tree: one top node per description field, captioned with the field's caption,
// and under it the field's category tree. Every node knows its field, 1 to 10.
struct GraphNode {
    std::string Caption;
    int Field = 0;
    std::vector<GraphNode> Children;
};

std::vector<GraphNode> BuildGraphTree(const std::array<std::string, 10>& captions,
                                      const OneBasedArray<std::string, 10>& trees);

// A node and the nodes above it: lineage.front() is the field's top node, lineage.back() the
// node whose children become the bars.
using GraphLineage = std::vector<const GraphNode*>;

// The node of a field's tree named by a category written as values are stored, leaf first
// with " : " between the names ("Nights : Part Time"); an empty category names the top node.
// Empty when there is no such category.
GraphLineage FindGraphCategory(const GraphNode& top, std::string_view category);

struct GraphBar {
    std::string Caption;
    int Count = 0;
    bool operator==(const GraphBar&) const = default;
};

// One bar per child of the last node of the lineage, in the tree's order: how many records
// are filed under that child or anything beneath it. fieldCaption is the field's caption as
// the main window shows it, which the stored values are read against. Letters A to Z are
// compared without regard to case; a record counts for one bar at most.
std::vector<GraphBar> CountGraphBars(const ItemRecordList& records, const GraphLineage& lineage,
                                     std::string_view fieldCaption);

}  // namespace quillmark
