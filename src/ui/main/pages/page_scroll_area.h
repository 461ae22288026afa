#pragma once

#include <QScrollArea>
#include <QScrollBar>

namespace quillmark {

// A scroll area that asks for room for the whole of what it holds, so that the window opens
// big enough to show the page without scrolling; it scrolls only when made smaller than that.
class PageScrollArea : public QScrollArea {
public:
    explicit PageScrollArea(QWidget* contents, QWidget* parent = nullptr) : QScrollArea(parent)
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setWidget(contents);
        // Tab goes to the inputs it holds, which it scrolls into view; the area itself is no stop.
        setFocusPolicy(Qt::NoFocus);
    }

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

}  // namespace quillmark
