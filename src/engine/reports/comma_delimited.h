#pragma once

#include <string>
#include <vector>

namespace quillmark {

// One line of a comma-delimited file, without its line end: the cells joined by commas, an
// empty cell written as "", a cell holding a comma written in double quotes after each CR LF
// in it has lost its CR, any other cell as it is. Double quotes inside a quoted cell are
// doubled, so that spreadsheet programs read the cell back whole.
std::string CommaDelimitedLine(const std::vector<std::string>& cells);

}  // namespace quillmark
