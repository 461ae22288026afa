#pragma once

#include <functional>
#include <map>

class QAction;
class QMainWindow;

namespace quillmark {

class ViewToolBar;
struct ActionControl;

// The tool bar of a view window over its form's ViewToolBar, with the doors to the other
// windows (the report menu among them), saving and help connected through handle (which runs a
// form handler and renders).
// Printing and closing are the window's own to connect.
std::map<const ActionControl*, QAction*> BuildViewToolBar(
    QMainWindow* window, ViewToolBar& actions,
    const std::function<void(const std::function<void()>&)>& handle);

}  // namespace quillmark
