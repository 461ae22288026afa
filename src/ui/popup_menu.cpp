#include "ui/popup_menu.h"

#include "ui/text.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace quillmark {

namespace {

QString Literal(const std::string& caption)
{
    return ToQt(caption).replace(u'&', QStringLiteral("&&"));
}

void AddEntries(QMenu* menu, const std::vector<MenuItemControl>& items, std::vector<int> path,
                const std::function<void(const std::vector<int>&)>& chosen)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItemControl& item = items[i];
        std::vector<int> itemPath = path;
        itemPath.push_back(static_cast<int>(i));
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        if (!item.children.empty()) {
            QMenu* submenu = menu->addMenu(Literal(item.caption));
            submenu->setEnabled(item.enabled);
            // A menu that opens a submenu cannot be chosen itself: the category heads its own
            // submenu so that it can be picked as well as its children.
            QAction* itself = submenu->addAction(Literal(item.caption));
            QObject::connect(itself, &QAction::triggered, submenu,
                             [chosen, itemPath] { chosen(itemPath); });
            submenu->addSeparator();
            AddEntries(submenu, item.children, itemPath, chosen);
            continue;
        }
        QAction* action = menu->addAction(Literal(item.caption));
        action->setEnabled(item.enabled);
        QObject::connect(action, &QAction::triggered, menu,
                         [chosen, itemPath] { chosen(itemPath); });
    }
}

std::optional<std::size_t> PopUpAt(QWidget* parent, const QPoint& globalPosition,
                                   const QString& objectName,
                                   const std::vector<MenuItemControl>& entries,
                                   const QString& entryNamePrefix)
{
    QMenu menu(parent);
    menu.setObjectName(objectName);
    std::vector<QAction*> actions;
    for (const MenuItemControl& entry : entries) {
        if (entry.separator) {
            actions.push_back(menu.addSeparator());
            continue;
        }
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

QMenu* BuildPopupMenu(const std::vector<MenuItemControl>& items, QWidget* parent,
                      const std::function<void(const std::vector<int>&)>& chosen)
{
    auto* menu = new QMenu(parent);
    AddEntries(menu, items, {}, chosen);
    return menu;
}

}  // namespace quillmark
