#pragma once

#include <functional>

class QWidget;

namespace quillmark {

// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, anywhere in the window that has no menu entry
// for them.
void AddUndoShortcuts(QWidget* window, const std::function<void()>& undo,
                      const std::function<void()>& redo);

// A text box being typed in keeps Ctrl+Z and the redo keys for its own typing as long as it has
// some to take back or do again; after that the keys reach the window's Undo and Redo, so that
// the records' history is never out of reach of the keyboard. An editor open in a grid keeps
// them always: the grid's rows must not change under it. Set once for the whole program.
void PassSpentTextUndoToWindows();

}  // namespace quillmark
