#pragma once

#include "app/controls.h"

#include <functional>
#include <vector>

class QMenu;
class QWidget;

namespace quillmark {

// A real pop-up menu over a form's menu entries, nested as they are. Captions are shown as they
// are: "&" is not taken for an accelerator. chosen is told the indexes leading to the entry.
// An entry with entries below it opens its submenu.
QMenu* BuildPopupMenu(const std::vector<MenuItemControl>& items, QWidget* parent,
                      const std::function<void(const std::vector<int>&)>& chosen);

}  // namespace quillmark
