#pragma once

#include <QIcon>
#include <QString>

namespace quillmark {

// The icon of that name from the desktop's theme; where the theme has none, from Breeze, and
// where Breeze has none either, the program's own drawing of it.
QIcon ToolIcon(const QString& themeName);

}  // namespace quillmark
