#pragma once

#include "ui/main/pages/page_widget.h"

class QPlainTextEdit;
class QPushButton;

namespace quillmark {

// Keywords, notes and the resume file reference.
class NotesPageWidget : public PageWidget {
public:
    NotesPageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RenderBoxes();

    QPlainTextEdit* keywords_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPlainTextEdit* resume_ = nullptr;
    QPushButton* viewButton_ = nullptr;
    QPushButton* selectButton_ = nullptr;
};

}  // namespace quillmark
