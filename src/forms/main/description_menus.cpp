#include "forms/main/description_menus.h"

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

unsigned char UpperCaseByte(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF:  // y diaeresis
        return 0x9F;
    default:
        return c;
    }
}

unsigned char LowerCaseByte(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return c;
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
        field >= 1 && field <= 10 ? UpperCaseText(caption) : std::string(" ");
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

std::string UpperCaseText(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(UpperCaseByte(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string LowerCaseText(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(LowerCaseByte(static_cast<unsigned char>(c)));
    }
    return result;
}

}  // namespace quillmark
