#include "ui/form_window.h"

#include "ui/qt_services.h"
#include "ui/window_placement.h"

#include <QCloseEvent>

namespace quillmark {

void FormWindow::Handle(const std::function<void()>& handler)
{
    const CommandWindow command(this);
    handler();
    Render();
}

bool FormWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !active_ && !MessageBoxIsOpen()) {
        active_ = true;
        Handle([this] { Activated(); });
    } else if (event->type() == QEvent::WindowDeactivate && active_ && !MessageBoxIsOpen()) {
        active_ = false;
        Deactivated();
    }
    return QMainWindow::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    if (active_) {
        active_ = false;
        Deactivated();
    }
    event->accept();
}

}  // namespace quillmark
