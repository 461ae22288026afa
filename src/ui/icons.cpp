#include "ui/icons.h"

#include <QStandardPaths>
#include <QStringList>

namespace quillmark {

namespace {

// Looks for icons the desktop's theme lacks in Breeze, which the setup installs, and then
// among the program's own, built into it under ":/icons".
void UseFallbackIcons()
{
    static const bool done = [] {
        // Not every platform plug-in names the system's icon folders.
        QStringList themeFolders = QIcon::themeSearchPaths();
        for (const QString& folder :
             QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                       QStandardPaths::LocateDirectory)) {
            if (!themeFolders.contains(folder)) {
                themeFolders.append(folder);
            }
        }
        QIcon::setThemeSearchPaths(themeFolders);
        QIcon::setFallbackThemeName(QStringLiteral("breeze"));
        // Without a desktop there is no theme, and a missing theme has no fallback either.
        if (QIcon::themeName().isEmpty()) {
            QIcon::setThemeName(QStringLiteral("breeze"));
        }
        QStringList paths = QIcon::fallbackSearchPaths();
        paths.append(QStringLiteral(":/icons"));
        QIcon::setFallbackSearchPaths(paths);
        return true;
    }();
    (void)done;
}

}  // namespace

QIcon ToolIcon(const QString& themeName)
{
    UseFallbackIcons();
    return QIcon::fromTheme(themeName);
}

}  // namespace quillmark
