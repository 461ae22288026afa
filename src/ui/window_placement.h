#pragma once

class QWidget;

namespace quillmark {

// The window a box, a dialog or a help page belongs to: the modal window on top when there is
// one, else the window whose command is running, else the active window of the program, else
// the owner. Boxes made its children are stacked above the window that asked, never behind it.
QWidget* AskingWindow(QWidget* owner);

// Marks the window whose command is running, for as long as it runs. Once a file dialog has
// closed, the desktop gives the activation back to the window only some time later: the boxes
// that follow still belong to the window whose command it is, not to the main window.
class CommandWindow {
public:
    explicit CommandWindow(QWidget* window);
    ~CommandWindow();
    CommandWindow(const CommandWindow&) = delete;
    CommandWindow& operator=(const CommandWindow&) = delete;
};

// A window opened from an always-on-top window stays on top too, or it would open behind it.
void KeepAbove(QWidget* window, const QWidget* owner);

// Window managers cut a title that does not fit between their buttons: the width a box or a
// dialog needs for its whole title.
int WidthForTitle(const QWidget& window);

// Sizes a top-level window to fit on the owner's screen and puts it over the middle of the
// owner (of the screen without one), moved in just enough to be whole on that screen.
void PlaceOver(QWidget* window, const QWidget* owner);

}  // namespace quillmark
