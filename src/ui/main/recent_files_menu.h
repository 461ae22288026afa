#pragma once

#include <functional>

class QAction;
class QMenu;

namespace quillmark {

class TView;

// File > Recent Files, put in the menu before the entry given; drawn from the form each time
// it opens, as the files listed may have come or gone meanwhile.
QMenu* AddRecentFilesMenu(QAction* before, TView& view,
                          const std::function<void(const std::function<void()>&)>& handle);

}  // namespace quillmark
