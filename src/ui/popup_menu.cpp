#include "ui/popup_menu.h"

#include "ui/text.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace quillmark {

namespace {

std::optional<std::size_t> PopUpAt(QWidget* parent, const QPoint& globalPosition,
                                   const QString& objectName,
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
    const QAction* chosen = menu.exec(globalPosition);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> PopUpAtPointer(QWidget* parent, const QString& objectName,
                                          const std::vector<MenuItemControl>& entries,
                                          const QString& entryNamePrefix)
{
    return PopUpAt(parent, QCursor::pos(), objectName, entries, entryNamePrefix);
}

std::optional<std::size_t> PopUpBelow(QWidget* anchor, const QString& objectName,
                                      const std::vector<MenuItemControl>& entries,
                                      const QString& entryNamePrefix)
{
    return PopUpAt(anchor, anchor->mapToGlobal(QPoint(0, anchor->height())), objectName, entries,
                   entryNamePrefix);
}

}  // namespace quillmark
