#pragma once

#include <string>
#include <string_view>

namespace quillmark {

struct Database;

// What a browser or a PDF viewer calls a report: the report's own title when it has one, else
// the name in the database's information, else the database file's name without its extension,
// else "Untitled"; at most 256 characters. The path is as the system spells it; the title is
// record text.
std::string DocumentTitle(std::string_view reportTitle, const Database& database,
                          const std::string& databasePath);

}  // namespace quillmark
