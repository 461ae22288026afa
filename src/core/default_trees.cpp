#include "core/default_trees.h"

#include "core/byte_stream.h"
#include "core/category_tree.h"
#include "core/file_io.h"

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
            const TreeTextResult tree = ReadTreeText(text);
            if (tree.Ok()) {
                trees[field] = WriteTreeText(tree.Tree);
            }
            break;
        }
    }
    return trees;
}

}  // namespace quillmark
