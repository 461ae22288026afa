#include "engine/graph_counts.h"

#include "core/case_folding.h"
#include "core/category_tree.h"

namespace quillmark {

namespace {

GraphNode Branch(const CategoryNode& category, int field)
{
    GraphNode node{category.Text, field, {}};
    node.Children.reserve(category.Children.size());
    for (const CategoryNode& child : category.Children) {
        node.Children.push_back(Branch(child, field));
    }
    return node;
}

std::vector<std::string_view> SplitCategory(std::string_view category)
{
    constexpr std::string_view separator = " : ";
    std::vector<std::string_view> names;
    while (true) {
        const std::size_t at = category.find(separator);
        names.push_back(category.substr(0, at));
        if (at == std::string_view::npos) {
            return names;
        }
        category.remove_prefix(at + separator.size());
    }
}

}  // namespace

std::vector<GraphNode> BuildGraphTree(const std::array<std::string, 10>& captions,
                                      const OneBasedArray<std::string, 10>& trees)
{
    std::vector<GraphNode> tree;
    tree.reserve(10);
    for (int field = 1; field <= 10; ++field) {
        GraphNode top{captions[static_cast<std::size_t>(field - 1)], field, {}};
        // A tree damaged deep down still gives the categories read before the damage.
        for (const CategoryNode& category : ReadTreeText(trees[field]).Tree) {
            top.Children.push_back(Branch(category, field));
        }
        tree.push_back(std::move(top));
    }
    return tree;
}

GraphLineage FindGraphCategory(const GraphNode& top, std::string_view category)
{
    GraphLineage lineage{&top};
    if (category.empty()) {
        return lineage;
    }
    const std::vector<std::string_view> leafFirst = SplitCategory(category);
    for (auto name = leafFirst.rbegin(); name != leafFirst.rend(); ++name) {
        const GraphNode* found = nullptr;
        for (const GraphNode& child : lineage.back()->Children) {
            if (child.Caption == *name) {
                found = &child;
                break;
            }
        }
        if (found == nullptr) {
            return {};
        }
        lineage.push_back(found);
    }
    return lineage;
}

std::vector<GraphBar> CountGraphBars(const ItemRecordList& records, const GraphLineage& lineage,
                                     std::string_view fieldCaption)
{
    std::vector<GraphBar> bars;
    if (lineage.empty()) {
        return bars;
    }
    const GraphNode& node = *lineage.back();
    // The node's path up to the field's caption, as a record's value reads once the caption
    // is put after it: "Full Time : Type".
    std::string path;
    for (auto ancestor = lineage.rbegin(); ancestor != lineage.rend(); ++ancestor) {
        if (!path.empty()) {
            path += " : ";
        }
        path += (*ancestor)->Caption;
    }
    // Each bar's ending starts with ": " so that "Senior Full Time" does not end like
    // "Full Time": only the child itself or a category beneath it matches.
    std::vector<std::string> endings;
    for (const GraphNode& child : node.Children) {
        bars.push_back({child.Caption, 0});
        endings.push_back(AsciiLowerCaseText(": " + child.Caption + " : " + path));
    }
    if (bars.empty()) {
        return bars;
    }
    const int field = node.Field;
    const std::string caption = " : " + std::string(fieldCaption);
    std::string value;
    for (const auto& record : records) {
        value = ": ";
        value += record->Desc[field];
        value += caption;
        for (char& c : value) {
            c = AsciiLowerCase(c);
        }
        for (std::size_t bar = 0; bar < endings.size(); ++bar) {
            if (value.ends_with(endings[bar])) {
                ++bars[bar].Count;
                break;
            }
        }
    }
    return bars;
}

}  // namespace quillmark
