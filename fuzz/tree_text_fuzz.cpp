// Feeds arbitrary text to the category tree reader: every line must become exactly one
// category, an error must name a line that exists, and a tree that was read must be written and
// read back unchanged (the default files and the database's trees depend on it).

#include "core/category_tree.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "tree text: %s\n", what);
    std::abort();
}

// CR, LF and CR LF each end a line; a line end at the very end starts no further line.
std::size_t CountLines(std::string_view text)
{
    std::size_t lines = 0;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            ++lines;
            open = false;
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

std::size_t CountNodes(const CategoryTree& tree)
{
    std::size_t count = 0;
    for (const CategoryNode& node : tree) {
        count += 1 + CountNodes(node.Children);
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t lines = CountLines(text);

    const TreeTextResult read = ReadTreeText(text);
    // Files are read and written through the line-by-line form; it must agree with the tree.
    const TreeTextCheck normal = NormaliseTreeText(text);
    if (normal.TooManyCategories
            ? lines <= MaximumCategories
            : normal.ErrorLine != read.ErrorLine || (read.Ok() && lines > MaximumCategories)) {
        Fail("the line-by-line check and the tree disagree");
    }
    if (!read.Ok()) {
        if (*read.ErrorLine < 2 || *read.ErrorLine > lines) {
            Fail("the error names a line that cannot be wrong");
        }
        return 0;
    }
    if (CountNodes(read.Tree) != lines) {
        Fail("the lines and the categories read differ in number");
    }

    const std::string written = WriteTreeText(read.Tree);
    if (normal.Ok() && normal.Text != written) {
        Fail("the line-by-line text differs from the written tree");
    }
    const TreeTextResult again = ReadTreeText(written);
    if (!again.Ok() || again.Tree != read.Tree) {
        Fail("a written tree reads back different");
    }
    if (WriteTreeText(again.Tree) != written) {
        Fail("writing a tree read back gives other text");
    }
    return 0;
}
