#pragma once

#include "forms/controls.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// A description field's pop-up menu: entry 0 adds a category, entry 1 clears the field, the
// entries after them are the field's category tree.
using PopupMenuControl = std::vector<MenuItemControl>;
inline constexpr int AddCategoryEntry = 0;
inline constexpr int ClearFieldEntry = 1;
inline constexpr int FirstCategoryEntry = 2;

// Builds field n's menu from its caption and its tree in tree text. Categories that have
// children can be chosen too.
PopupMenuControl BuildDescriptionMenu(int field, std::string_view caption,
                                      std::string_view treeText);

// The categories of a tree as menu entries tagged with the field, nested as the tree is. With
// `reversed` each level lists its categories last first, as the search window's menus do.
std::vector<MenuItemControl> CategoryEntries(int field, std::string_view treeText,
                                             bool reversed = false);

// The entry reached by following the indexes from the menu's top; nullptr when there is none.
const MenuItemControl* MenuItemAt(const PopupMenuControl& menu, const std::vector<int>& path);

// The stored value of the category entry at the path: its caption, then each enclosing entry's
// caption, joined by " : ". Empty when the path leads nowhere.
std::string DescriptionValueAt(const PopupMenuControl& menu, const std::vector<int>& path);
// The same for entries that are all categories.
std::string CategoryValueAt(const std::vector<MenuItemControl>& entries,
                            const std::vector<int>& path);

}  // namespace quillmark
