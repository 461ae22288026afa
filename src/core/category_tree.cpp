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

// Calls visit(level, category) for each line until it returns false. Returns the number of the
// first line nested too deep, if any.
template <typename Visit>
std::optional<std::size_t> VisitLines(std::string_view text, Visit visit)
{
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
        const std::size_t level = lineNumber == 1 ? 0 : indent;
        if (lineNumber > 1 && (level > previousLevel + 1 || level >= MaximumTreeDepth)) {
            return lineNumber;
        }
        if (!visit(level, line.substr(indent))) {
            return std::nullopt;
        }
        previousLevel = level;
    }
    return std::nullopt;
}

}  // namespace

TreeTextResult ReadTreeText(std::string_view text)
{
    TreeTextResult result;
    // The chain of categories from the top level down to the last one read: path[d] is the
    // children list at depth d.
    std::vector<CategoryTree*> path;
    result.ErrorLine = VisitLines(text, [&](std::size_t level, std::string_view category) {
        if (path.empty()) {
            path.push_back(&result.Tree);
        } else if (level == path.size()) {
            path.push_back(&path.back()->back().Children);
        } else {
            path.resize(level + 1);
        }
        path.back()->push_back(CategoryNode{std::string(category), {}});
        return true;
    });
    return result;
}

TreeTextCheck NormaliseTreeText(std::string_view text)
{
    TreeTextCheck result;
    // Measured first, so that the text is allocated once at its final size.
    std::size_t size = 0;
    std::size_t lines = 0;
    result.ErrorLine = VisitLines(text, [&](std::size_t level, std::string_view category) {
        size += level + category.size() + 2;
        return ++lines <= MaximumCategories;
    });
    if (lines > MaximumCategories) {
        result.TooManyCategories = true;
        result.ErrorLine.reset();
    }
    if (!result.Ok()) {
        return result;
    }
    result.Text.reserve(size);
    VisitLines(text, [&](std::size_t level, std::string_view category) {
        result.Text.append(level, '\t');
        result.Text += category;
        result.Text += "\r\n";
        return true;
    });
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
