#include "forms/main/description_menus.h"

#include "core/case_folding.h"
#include "core/category_tree.h"

namespace quillmark {

namespace {

void AddCategories(std::vector<MenuItemControl>& items, const CategoryTree& categories, int field)
{
    for (const CategoryNode& category : categories) {
        MenuItemControl item;
        item.caption = category.Text;
        item.tag = field;
        AddCategories(item.children, category.Children, field);
        items.push_back(std::move(item));
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

    // A damaged tree still offers what could be read of it.
    AddCategories(menu, ReadTreeText(treeText).Tree, field);
    return menu;
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
    std::vector<std::string_view> fromTop;
    if (path.empty() || path.front() < FirstCategoryEntry) {
        return {};
    }
    const std::vector<MenuItemControl>* items = &menu;
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
