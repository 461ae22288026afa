#pragma once

#include <functional>

class QWidget;

namespace quillmark {

// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, anywhere in the window that has no menu entry
// for them. A text box being typed in keeps the keys for its own text.
void AddUndoShortcuts(QWidget* window, const std::function<void()>& undo,
                      const std::function<void()>& redo);

}  // namespace quillmark
