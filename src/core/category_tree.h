#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// One category of a description field's tree and the categories below it.
struct CategoryNode {
    std::string Text;
    std::vector<CategoryNode> Children;

    bool operator==(const CategoryNode&) const = default;
};

using CategoryTree = std::vector<CategoryNode>;  // the top-level categories, in order

struct TreeTextResult {
    CategoryTree Tree;
    std::optional<std::size_t> ErrorLine;  // 1-based number of the line nested too deep
    bool Ok() const { return !ErrorLine; }
};

// Tree text: one category per line in depth-first order, one tab (or space) per level of
// indentation, lines ended by CR, LF or CR LF. A line more than one level deeper than the line
// before it (or more than 100 levels deep) stops the reading with an error.
TreeTextResult ReadTreeText(std::string_view text);

// Writes tabs and CR LF line ends.
std::string WriteTreeText(const CategoryTree& tree);

// No user's tree comes near this many categories; more only come from a damaged file.
inline constexpr std::size_t MaximumCategories = 100000;

struct TreeTextCheck {
    std::string Text;                      // as WriteTreeText would write the tree
    std::optional<std::size_t> ErrorLine;  // as in TreeTextResult
    bool TooManyCategories = false;
    bool Ok() const { return !ErrorLine && !TooManyCategories; }
};

// WriteTreeText(ReadTreeText(text)) line by line, without building the tree: files are read
// and written through here, so a text of millions of lines costs no more than its bytes.
TreeTextCheck NormaliseTreeText(std::string_view text);

// The stored form of a description value: the category first, then each enclosing category,
// joined by " : ". pathFromTop lists the categories from the top level down to the chosen one.
std::string CategoryFullName(const std::vector<std::string_view>& pathFromTop);

}  // namespace quillmark
