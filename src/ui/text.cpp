#include "ui/text.h"

#include "core/windows1252.h"

#include <algorithm>
#include <string_view>

namespace quillmark {

QString ToQt(const std::string& text)
{
    return QString::fromStdString(Windows1252ToUtf8(text));
}

std::string FromQt(const QString& text)
{
    return Utf8ToWindows1252Lossy(text.toStdString());
}

// A memo of millions of lines is converted in one piece: a string per line would cost more
// than the text itself several times over.
QString LinesToQt(const std::vector<std::string>& lines)
{
    std::string joined;
    std::size_t size = lines.size();
    for (const std::string& line : lines) {
        size += line.size();
    }
    joined.reserve(size);
    for (const std::string& line : lines) {
        if (&line != &lines.front()) {
            joined += '\n';
        }
        joined += line;
    }
    return ToQt(joined);
}

std::vector<std::string> LinesFromQt(const QString& text)
{
    std::vector<std::string> lines;
    if (text.isEmpty()) {
        return lines;  // an empty box holds no lines, not one empty line
    }
    const std::string bytes = FromQt(text);
    const std::string_view all(bytes);
    lines.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = all.find('\n', start);
        lines.emplace_back(all.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace quillmark
