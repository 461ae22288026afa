#pragma once

#include <string>
#include <string_view>

namespace quillmark {

struct Database;

// A text as one line of a page shows it: a tab or a line break would be drawn as a box for a
// missing character, so each is a space, a CR LF pair one space. The text itself when it has
// none, else the line made in scratch.
std::string_view OnOneLine(std::string_view text, std::string& scratch);

// What a browser or a PDF viewer calls a report: the report's own title when it has one, else
// the name in the database's information, else the database file's name without its extension,
// else "Untitled"; one line of at most 256 characters. The path is as the system spells it; the
// title is record text.
std::string DocumentTitle(std::string_view reportTitle, const Database& database,
                          const std::string& databasePath);

}  // namespace quillmark
