#pragma once

#include <QIcon>
#include <QString>

namespace quillmark {

// The desktop theme's icon of that name; where the theme has none, a small drawn stand-in
// so that every tool button still shows something recognisable.
QIcon ToolIcon(const QString& themeName);

}  // namespace quillmark
