#pragma once

class QWidget;

namespace quillmark {

// The window a box or a help page belongs to: the modal window on top when there is one, else
// the active window of the program, else the owner. Boxes made its children are stacked above
// the window that asked, never behind it.
QWidget* AskingWindow(QWidget* owner);

// A window opened from an always-on-top window stays on top too, or it would open behind it.
void KeepAbove(QWidget* window, const QWidget* owner);

// Sizes a top-level window to fit on the owner's screen and puts it over the middle of the
// owner (of the screen without one), moved in just enough to be whole on that screen.
void PlaceOver(QWidget* window, const QWidget* owner);

}  // namespace quillmark
