#pragma once

#include "app/controls.h"

#include <string>
#include <vector>

namespace quillmark {

struct Database;

// The 34 entries of "Sort Records", each tagged with the sort key it sorts by, with the
// database's current captions; nameCaption is the caption of the name field.
std::vector<MenuItemControl> SortRecordsEntries(const Database& database,
                                                const std::string& nameCaption);

}  // namespace quillmark
