#include "ui/text.h"

#include "core/windows1252.h"

namespace quillmark {

QString ToQt(const std::string& text)
{
    return QString::fromStdString(Windows1252ToUtf8(text));
}

std::string FromQt(const QString& text)
{
    return Utf8ToWindows1252Lossy(text.toStdString());
}

QString LinesToQt(const std::vector<std::string>& lines)
{
    QStringList joined;
    for (const std::string& line : lines) {
        joined.append(ToQt(line));
    }
    return joined.join('\n');
}

std::vector<std::string> LinesFromQt(const QString& text)
{
    std::vector<std::string> lines;
    if (text.isEmpty()) {
        return lines;  // an empty box holds no lines, not one empty line
    }
    for (const QString& line : text.split('\n')) {
        lines.push_back(FromQt(line));
    }
    return lines;
}

}  // namespace quillmark
