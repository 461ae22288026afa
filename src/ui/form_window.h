#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QSize>

#include <functional>

namespace quillmark {

// A window or dialog over one form: runs the form's handlers and shows what they changed, tells
// the form when the window gains and loses activation, and keeps the window's size and the
// size the form remembers for it in step. A message box of the program's coming and going does
// not count as losing activation.
template <class Window>
class FormWidget : public Window {
public:
    using Window::Window;

    // Runs a form handler and shows what it changed.
    void Handle(const std::function<void()>& handler);
    virtual void Render() = 0;

protected:
    // The form's FormActivate (run as a handler, so the window shows its outcome) and
    // FormDeactivate. A main window calls them as the desktop activates it, and Deactivated
    // also when it closes while active; a dialog calls Activate and Deactivate itself.
    virtual void Activated() {}
    virtual void Deactivated() {}
    void Activate();
    void Deactivate();

    // A dialog whose boxes always go above it anyway need not mark itself as the window whose
    // command runs.
    virtual bool MarksCommandWindow() const { return true; }
    // A window that the form itself can close: true once the form says it is closed.
    virtual bool FormClosed() const { return false; }

    // The window takes the size the form keeps for it, and the form learns every size the user
    // gives the window from then on. ApplyFormSize takes a size the form asked for since, and
    // answers whether it did.
    void FollowFormSize(int& width, int& height);
    bool ApplyFormSize();
    // The size shown for one the form asks for.
    virtual QSize SizeToShow(QSize asked) { return asked; }
    // Whether the window's size now is one the user gave it, for the form to keep.
    virtual bool SizeIsTheUsers() const { return true; }

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool active_ = false;
    int* formWidth_ = nullptr;
    int* formHeight_ = nullptr;
    QSize appliedSize_;  // the size the form asked for last
};

extern template class FormWidget<QMainWindow>;
extern template class FormWidget<QDialog>;

using FormWindow = FormWidget<QMainWindow>;
using FormDialog = FormWidget<QDialog>;

}  // namespace quillmark
