#include "engine/reports/document_title.h"

#include "core/database.h"
#include "core/file_names.h"
#include "core/windows1252.h"

namespace quillmark {

namespace {

// A title bar shows far fewer; a title of megabytes would only be copied about.
constexpr std::size_t LongestTitle = 256;

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

std::string DocumentTitle(std::string_view reportTitle, const Database& database,
                          const std::string& databasePath)
{
    if (!IsBlank(reportTitle)) {
        return std::string(reportTitle.substr(0, LongestTitle));
    }
    if (!IsBlank(database.DatabaseInfo.DatabaseName)) {
        return database.DatabaseInfo.DatabaseName.substr(0, LongestTitle);
    }
    std::string name = FileNamePart(databasePath);
    name.resize(name.size() - FileExtension(name).size());
    if (!IsBlank(name)) {
        return Utf8ToWindows1252Lossy(name).substr(0, LongestTitle);
    }
    return "Untitled";
}

}  // namespace quillmark
