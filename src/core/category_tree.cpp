#include "core/category_tree.h"

namespace quillmark {

namespace {

// Deeper trees only come from damaged files; refusing them keeps the recursive walks safe.
constexpr std::size_t MaximumTreeDepth = 100;

void AppendNodes(const CategoryTree& nodes, std::size_t level, std::string& out)
{
    for (const CategoryNode& node : nodes) {
        out.append(level, '\t');
        out += node.Text;
        out += "\r\n";
        AppendNodes(node.Children, level + 1, out);
    }
}

}  // namespace

TreeTextResult ReadTreeText(std::string_view text)
{
    TreeTextResult result;
    // The chain of categories from the top level down to the last one read: path[d] is the
    // children list at depth d.
    std::vector<CategoryTree*> path;
    std::size_t previousLevel = 0;
    std::size_t lineNumber = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t lineEnd = text.find_first_of("\r\n", position);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        std::string_view line = text.substr(position, lineEnd - position);
        position = lineEnd;
        if (position < text.size()) {
            position +=
                (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n')
                    ? 2
                    : 1;
        }
        ++lineNumber;

        std::size_t indent = 0;
        while (indent < line.size() && (line[indent] == '\t' || line[indent] == ' ')) {
            ++indent;
        }
        // The first line is top level whatever its indentation.
        const std::size_t level = path.empty() ? 0 : indent;
        if (!path.empty() && (level > previousLevel + 1 || level >= MaximumTreeDepth)) {
            result.ErrorLine = lineNumber;
            return result;
        }
        if (path.empty()) {
            path.push_back(&result.Tree);
        } else if (level == previousLevel + 1) {
            path.push_back(&path.back()->back().Children);
        } else {
            path.resize(level + 1);
        }
        path.back()->push_back(CategoryNode{std::string(line.substr(indent)), {}});
        previousLevel = level;
    }
    return result;
}

std::string WriteTreeText(const CategoryTree& tree)
{
    std::string out;
    AppendNodes(tree, 0, out);
    return out;
}

std::string CategoryFullName(const std::vector<std::string_view>& pathFromTop)
{
    std::string name;
    for (auto category = pathFromTop.rbegin(); category != pathFromTop.rend(); ++category) {
        if (category != pathFromTop.rbegin()) {
            name += " : ";
        }
        name += *category;
    }
    return name;
}

}  // namespace quillmark
