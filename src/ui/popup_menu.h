#pragma once

#include "app/controls.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QWidget;

namespace quillmark {

// Pops up a menu of the form's entries at the mouse pointer and waits for the choice: the
// index of the chosen top-level entry, or nothing when the menu is dismissed.
std::optional<std::size_t> PopUpAtPointer(QWidget* parent, const QString& objectName,
                                          const std::vector<MenuItemControl>& entries);

}  // namespace quillmark
