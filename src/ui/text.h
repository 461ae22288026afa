#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quillmark {

// The one place where record text (Windows-1252 bytes) meets Qt's Unicode. A typed character
// that a database file cannot hold becomes "?".
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// Memo boxes: one string per line.
QString LinesToQt(const std::vector<std::string>& lines);
std::vector<std::string> LinesFromQt(const QString& text);

}  // namespace quillmark
