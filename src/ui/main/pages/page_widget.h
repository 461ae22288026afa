#pragma once

#include <QWidget>

#include <functional>

namespace quillmark {

class TView;

// One page of the main window's notebook. It forwards its controls' events to the form and
// draws the form's state when asked; afterHandler re-renders the whole window after an event
// the form has handled.
class PageWidget : public QWidget {
public:
    PageWidget(TView& view, std::function<void()> afterHandler)
        : view_(view), afterHandler_(std::move(afterHandler))
    {
    }
    virtual void Render() = 0;

protected:
    // Runs a form handler, then lets the window show what it changed.
    void Handle(const std::function<void()>& handler)
    {
        handler();
        afterHandler_();
    }

    TView& view_;

private:
    std::function<void()> afterHandler_;
};

}  // namespace quillmark
