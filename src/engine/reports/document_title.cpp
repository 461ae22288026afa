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

std::string Titled(std::string_view text)
{
    std::string scratch;
    return std::string(OnOneLine(text.substr(0, LongestTitle), scratch));
}

}  // namespace

std::string_view OnOneLine(std::string_view text, std::string& scratch)
{
    if (text.find_first_of("\t\r\n") == std::string_view::npos) {
        return text;
    }
    scratch.clear();
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            continue;
        }
        scratch += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return scratch;
}

std::string DocumentTitle(std::string_view reportTitle, const Database& database,
                          const std::string& databasePath)
{
    if (!IsBlank(reportTitle)) {
        return Titled(reportTitle);
    }
    if (!IsBlank(database.DatabaseInfo.DatabaseName)) {
        return Titled(database.DatabaseInfo.DatabaseName);
    }
    std::string name = FileNamePart(databasePath);
    name.resize(name.size() - FileExtension(name).size());
    if (!IsBlank(name)) {
        return Titled(Utf8ToWindows1252Lossy(name));
    }
    return "Untitled";
}

}  // namespace quillmark
