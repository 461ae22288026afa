#pragma once

#include "core/one_based_array.h"

#include <string>
#include <vector>

namespace quillmark {

// The name of the default category file of description field 1..10: "description3.def".
std::string DefaultTreeFileName(int field);

// Reads the ten default category trees a new database starts with. Each file is looked for in
// the folders in the order given (the user's own defaults first, then the program's); a field
// whose file is missing everywhere, unreadable, not valid tree text or holding more categories
// than a database may have starts with an empty tree.
// The trees come back in the tree text format, CR LF line ends and tab indentation.
OneBasedArray<std::string, 10> ReadDefaultTrees(const std::vector<std::string>& folders);

}  // namespace quillmark
