#include "ui/form_window.h"

#include "ui/qt_services.h"
#include "ui/window_placement.h"

#include <QCloseEvent>

#include <optional>
#include <type_traits>

namespace quillmark {

template <class Window>
void FormWidget<Window>::Handle(const std::function<void()>& handler)
{
    std::optional<CommandWindow> command;
    if (MarksCommandWindow()) {
        command.emplace(this);
    }
    handler();
    Render();
    if (FormClosed()) {
        this->close();
    }
}

template <class Window>
void FormWidget<Window>::Activate()
{
    if (!active_ && !MessageBoxIsOpen()) {
        active_ = true;
        Handle([this] { Activated(); });
    }
}

template <class Window>
void FormWidget<Window>::Deactivate()
{
    if (active_ && !MessageBoxIsOpen()) {
        active_ = false;
        Deactivated();
    }
}

template <class Window>
void FormWidget<Window>::FollowFormSize(int& width, int& height)
{
    formWidth_ = &width;
    formHeight_ = &height;
    appliedSize_ = QSize();
    ApplyFormSize();
}

template <class Window>
bool FormWidget<Window>::ApplyFormSize()
{
    if (formWidth_ == nullptr) {
        return false;
    }
    const QSize wanted(*formWidth_, *formHeight_);
    if (wanted == appliedSize_) {
        return false;
    }
    appliedSize_ = wanted;
    this->resize(SizeToShow(wanted));
    return true;
}

template <class Window>
void FormWidget<Window>::resizeEvent(QResizeEvent* event)
{
    Window::resizeEvent(event);
    if (formWidth_ != nullptr && SizeIsTheUsers()) {
        *formWidth_ = this->width();
        *formHeight_ = this->height();
        appliedSize_ = this->size();
    }
}

template <class Window>
bool FormWidget<Window>::event(QEvent* event)
{
    if constexpr (std::is_same_v<Window, QMainWindow>) {
        if (event->type() == QEvent::WindowActivate) {
            Activate();
        } else if (event->type() == QEvent::WindowDeactivate) {
            Deactivate();
        }
    }
    return Window::event(event);
}

template <class Window>
void FormWidget<Window>::closeEvent(QCloseEvent* event)
{
    if constexpr (std::is_same_v<Window, QMainWindow>) {
        if (active_) {
            active_ = false;
            Deactivated();
        }
        event->accept();
    } else {
        // A dialog is left through done(), which closing reaches as a rejection.
        Window::closeEvent(event);
    }
}

template class FormWidget<QMainWindow>;
template class FormWidget<QDialog>;

}  // namespace quillmark
