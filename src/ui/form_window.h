#pragma once

#include <QMainWindow>

#include <functional>

namespace quillmark {

// A window over one form: runs the form's handlers and shows what they changed, and tells the
// form when the window gains and loses activation and when it closes. A message box of the
// program's coming and going does not count as losing activation.
class FormWindow : public QMainWindow {
public:
    using QMainWindow::QMainWindow;

    // Runs a form handler and shows what it changed.
    void Handle(const std::function<void()>& handler);
    virtual void Render() = 0;

protected:
    // The form's FormActivate (run as a handler, so the window shows its outcome) and
    // FormDeactivate, the latter also when the window closes while active.
    virtual void Activated() = 0;
    virtual void Deactivated() {}

    // The window takes the size the form keeps for it, and the form learns every size the
    // user gives the window from then on.
    void FollowFormSize(int& width, int& height);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool active_ = false;
    int* formWidth_ = nullptr;
    int* formHeight_ = nullptr;
};

}  // namespace quillmark
