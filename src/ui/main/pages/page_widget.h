#pragma once

#include "ui/render.h"

#include <QWidget>

#include <functional>
#include <vector>

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

    // A widget that shows a control of the page's form for the page's life: RenderControls
    // draws the control's state on it. Tied also lets what the user types go into the control.
    // A box added to a page needs no more than this beside its place in the layout.
    template <typename Widget, typename Control>
    Widget* Shown(Widget* widget, const Control& control)
    {
        renders_.push_back([widget, &control] { quillmark::Render(widget, control); });
        return widget;
    }
    template <typename Widget, typename Control>
    Widget* Tied(Widget* widget, Control& control)
    {
        Bind(widget, control);
        return Shown(widget, control);
    }
    void RenderControls() const
    {
        for (const std::function<void()>& render : renders_) {
            render();
        }
    }

    TView& view_;

private:
    std::function<void()> afterHandler_;
    std::vector<std::function<void()>> renders_;
};

}  // namespace quillmark
