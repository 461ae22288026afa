#include "ui/pages/description_menus.h"

#include "ui/text.h"

#include <QMenu>

namespace quillmark {

namespace {

QString Literal(const std::string& caption)
{
    return ToQt(caption).replace('&', "&&");
}

void AddEntries(QMenu* menu, const std::vector<MenuItemControl>& items, std::vector<int> path,
                const std::function<void(const std::vector<int>&)>& chosen)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItemControl& item = items[i];
        std::vector<int> itemPath = path;
        itemPath.push_back(static_cast<int>(i));
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

}  // namespace

QMenu* BuildPopupMenu(const std::vector<MenuItemControl>& items, QWidget* parent,
                      const std::function<void(const std::vector<int>&)>& chosen)
{
    auto* menu = new QMenu(parent);
    AddEntries(menu, items, {}, chosen);
    return menu;
}

}  // namespace quillmark
