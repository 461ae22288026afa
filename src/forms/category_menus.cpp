#include "forms/category_menus.h"

#include "core/case_folding.h"
#include "core/category_tree.h"

#include <algorithm>

namespace quillmark {

namespace {

void AddCategories(std::vector<MenuItemControl>& items, const CategoryTree& categories, int field,
                   bool reversed)
{
    items.reserve(items.size() + categories.size());
    for (const CategoryNode& category : categories) {
        MenuItemControl item;
        item.caption = category.Text;
        item.tag = field;
        AddCategories(item.children, category.Children, field, reversed);
        items.push_back(std::move(item));
    }
    // Turned round once the level is complete: putting each entry first would move all the
    // entries before it, which for a tree of many categories took half a minute.
    if (reversed) {
        std::reverse(items.end() - static_cast<std::ptrdiff_t>(categories.size()), items.end());
    }
}

}  // namespace

PopupMenuControl BuildDescriptionMenu(int field, std::string_view caption,
                                      std::string_view treeText)
{
    PopupMenuControl menu;
    MenuItemControl add;
    // A field number out of range has no caption to name.
    const std::string shownCaption =
        field >= 1 && field <= 10 ? Windows1252UpperCaseText(caption) : std::string(" ");
    add.caption = "ADD NEW " + shownCaption + " CATEGORY";
    add.tag = field;
    menu.push_back(add);

    MenuItemControl clear;
    clear.caption = "CLEAR FIELD";
    clear.tag = field;
    menu.push_back(clear);

    std::vector<MenuItemControl> categories = CategoryEntries(field, treeText);
    menu.insert(menu.end(), std::make_move_iterator(categories.begin()),
                std::make_move_iterator(categories.end()));
    return menu;
}

std::vector<MenuItemControl> CategoryEntries(int field, std::string_view treeText, bool reversed)
{
    std::vector<MenuItemControl> entries;
    // A damaged tree still offers what could be read of it.
    AddCategories(entries, ReadTreeText(treeText).Tree, field, reversed);
    return entries;
}

const MenuItemControl* MenuItemAt(const PopupMenuControl& menu, const std::vector<int>& path)
{
    const std::vector<MenuItemControl>* items = &menu;
    const MenuItemControl* item = nullptr;
    for (const int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= items->size()) {
            return nullptr;
        }
        item = &(*items)[static_cast<std::size_t>(index)];
        items = &item->children;
    }
    return item;
}

std::string DescriptionValueAt(const PopupMenuControl& menu, const std::vector<int>& path)
{
    if (path.empty() || path.front() < FirstCategoryEntry) {
        return {};
    }
    return CategoryValueAt(menu, path);
}

std::string CategoryValueAt(const std::vector<MenuItemControl>& entries,
                            const std::vector<int>& path)
{
    std::vector<std::string_view> fromTop;
    const std::vector<MenuItemControl>* items = &entries;
    for (const int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= items->size()) {
            return {};
        }
        const MenuItemControl& item = (*items)[static_cast<std::size_t>(index)];
        fromTop.push_back(item.caption);
        items = &item.children;
    }
    return fromTop.empty() ? std::string() : CategoryFullName(fromTop);
}

}  // namespace quillmark
