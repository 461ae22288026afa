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

void FormWindow::FollowFormSize(int& width, int& height)
{
    formWidth_ = &width;
    formHeight_ = &height;
    resize(width, height);
}

void FormWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (formWidth_ != nullptr) {
        *formWidth_ = width();
        *formHeight_ = height();
    }
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
