#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quillmark {

struct Bitmap;

// Plain descriptions of what a control shows. Forms hold these as members named after their
// controls; the windows render them and write typed text back into them. Text is Windows-1252.

struct LabelControl {
    std::string caption;
};

struct EditControl {
    std::string text;
    std::string hint;
    bool readOnly = false;
    bool enabled = true;
    // An input mask in the program's notation, such as "!99/99/0000;1;_" (0 a digit, 9 an
    // optional digit, the blank shown as _); empty for free text.
    std::string mask = {};
};

// Check boxes and radio buttons.
struct CheckControl {
    std::string caption;
    bool checked = false;
    bool enabled = true;
};

struct MemoControl {
    std::vector<std::string> lines;
    bool readOnly = false;
};

struct ButtonControl {
    std::string caption;
    std::string hint;
    bool enabled = true;
    // What a screen reader says for a caption that is a sign rather than words; empty when the
    // caption says it.
    std::string accessibleName = {};
};

// A number box with up and down arrows, kept within its bounds.
struct SpinControl {
    int value = 0;
    int minimum = 0;
    int maximum = 100;
    bool enabled = true;
};

struct ProgressControl {
    int position = 0;
    int maximum = 100;
};

// A drop-down list: the entries offered and the text in the box, which may be typed when the
// box is editable.
struct ChoiceControl {
    std::vector<std::string> items;
    std::string text;
    bool editable = false;
};

// A picture area: the bitmap it holds (nothing for none), whether it is shown, and whether the
// picture is stretched to fill the area or drawn at its own size.
struct ImageControl {
    std::shared_ptr<const Bitmap> picture;
    bool visible = true;
    bool stretch = false;
};

// A command offered by a menu entry, a tool button or both, which are enabled together.
struct ActionControl {
    std::string caption;     // the menu entry's text
    std::string hint;        // the tool button's tool tip and status tip
    std::string shortcut;    // for example "Ctrl+N"; empty for none
    std::string menuName;    // object name of the menu entry; empty when there is none
    std::string buttonName;  // object name of the tool button; empty when there is none
    std::string icon;        // icon name of the tool button
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
};

// A tool button: its object name, tool tip and icon name.
inline ActionControl ToolButton(std::string buttonName, std::string hint, std::string icon,
                                bool enabled = true)
{
    ActionControl action;
    action.hint = std::move(hint);
    action.buttonName = std::move(buttonName);
    action.icon = std::move(icon);
    action.enabled = enabled;
    return action;
}

// An entry of a pop-up menu: what it reads, the number its handler is told, and the entries
// of its submenu, if any. A separator is a line between entries that cannot be chosen.
struct MenuItemControl {
    std::string caption;
    int tag = 0;
    bool enabled = true;
    std::vector<MenuItemControl> children;
    bool separator = false;
};

// A pop-up menu of plain entries, each told its position; nullptr stands for a separator,
// which takes a position too.
inline std::vector<MenuItemControl> MenuEntries(std::span<const char* const> captions)
{
    std::vector<MenuItemControl> entries;
    for (const char* caption : captions) {
        const int position = static_cast<int>(entries.size());
        entries.push_back(caption == nullptr ? MenuItemControl{{}, position, false, {}, true}
                                             : MenuItemControl{caption, position, true, {}});
    }
    return entries;
}

inline std::vector<MenuItemControl> MenuEntries(std::initializer_list<const char*> captions)
{
    return MenuEntries(std::span<const char* const>(captions.begin(), captions.size()));
}

}  // namespace quillmark
