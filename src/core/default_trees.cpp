#include "core/default_trees.h"

#include "core/byte_stream.h"
#include "core/category_tree.h"
#include "core/file_io.h"

#include <utility>

namespace quillmark {

std::string DefaultTreeFileName(int field)
{
    return "description" + std::to_string(field) + ".def";
}

OneBasedArray<std::string, 10> ReadDefaultTrees(const std::vector<std::string>& folders)
{
    OneBasedArray<std::string, 10> trees;
    for (int field = 1; field <= trees.Count; ++field) {
        for (const std::string& folder : folders) {
            std::string text;
            try {
                text = ReadWholeFile(folder + "/" + DefaultTreeFileName(field));
            } catch (const ReadError&) {
                continue;  // not in this folder: try the next one
            }
            // Checked as a database's trees are, so that a default the program takes is one it
            // can save: a damaged or oversized file gives an empty tree, as a missing one does.
            TreeTextCheck tree = NormaliseTreeText(text);
            if (tree.Ok()) {
                trees[field] = std::move(tree.Text);
            }
            break;
        }
    }
    return trees;
}

}  // namespace quillmark
