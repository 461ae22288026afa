#include "ui/popup_menu.h"

#include "ui/text.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace quillmark {

std::optional<std::size_t> PopUpAtPointer(QWidget* parent, const QString& objectName,
                                          const std::vector<MenuItemControl>& entries,
                                          const QString& entryNamePrefix)
{
    QMenu menu(parent);
    menu.setObjectName(objectName);
    std::vector<QAction*> actions;
    for (const MenuItemControl& entry : entries) {
        QAction* action = menu.addAction(ToQt(entry.caption));
        action->setEnabled(entry.enabled);
        if (!entryNamePrefix.isEmpty()) {
            action->setObjectName(entryNamePrefix + QString::number(actions.size() + 1));
        }
        actions.push_back(action);
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace quillmark
