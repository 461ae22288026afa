#pragma once

#include "forms/controls.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QWidget;

namespace quillmark {

// Pops up a menu of the form's entries at the mouse pointer and waits for the choice: the
// index of the chosen top-level entry, or nothing when the menu is dismissed. With a prefix,
// entry i is named prefix + (i + 1), for tests to find it.
std::optional<std::size_t> PopUpAtPointer(QWidget* parent, const QString& objectName,
                                          const std::vector<MenuItemControl>& entries,
                                          const QString& entryNamePrefix = {});
// The same, with the menu's top-left corner under the anchor's bottom-left corner.
std::optional<std::size_t> PopUpBelow(QWidget* anchor, const QString& objectName,
                                      const std::vector<MenuItemControl>& entries,
                                      const QString& entryNamePrefix = {});

// A real pop-up menu over a form's menu entries, nested as they are. Captions are shown as they
// are: "&" is not taken for an accelerator. chosen is told the indexes leading to the entry.
// An entry with entries below it opens its submenu.
QMenu* BuildPopupMenu(const std::vector<MenuItemControl>& items, QWidget* parent,
                      const std::function<void(const std::vector<int>&)>& chosen);

}  // namespace quillmark
