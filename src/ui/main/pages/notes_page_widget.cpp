#include "ui/main/pages/notes_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quillmark {

namespace {

QPlainTextEdit* Memo(const char* name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    return memo;
}

}  // namespace

NotesPageWidget::NotesPageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    NotesPage& page = view_.Notes;
    keywords_ = Memo("Keywords", this);
    notes_ = Memo("Notes", this);
    resume_ = Memo("ResumeFile", this);
    resume_->setMaximumHeight(resume_->fontMetrics().height() * 3);
    viewButton_ = FormButton("ViewResumeBtn", page.ViewResumeBtn, this);
    selectButton_ = FormButton("SelectResumeBtn", page.SelectResumeBtn, this);

    auto* resumeButtons = new QHBoxLayout;
    resumeButtons->addWidget(viewButton_);
    resumeButtons->addWidget(selectButton_);
    resumeButtons->addStretch();

    auto caption = [this](const LabelControl& label, QWidget* input) {
        auto* shown = new QLabel(ToQt(label.caption), this);
        LabelFor(shown, input);
        return shown;
    };
    auto* layout = new QGridLayout(this);
    layout->addWidget(caption(page.KeywordsLabel, keywords_), 0, 0);
    layout->addWidget(caption(page.NotesLabel, notes_), 0, 1);
    layout->addWidget(keywords_, 1, 0);
    layout->addWidget(notes_, 1, 1);
    layout->addWidget(caption(page.ResumeFileLabel, resume_), 2, 0, 1, 2);
    layout->addWidget(resume_, 3, 0, 1, 2);
    layout->addLayout(resumeButtons, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 1);

    Bind(keywords_, page.Keywords);
    Bind(notes_, page.Notes);
    Shown(viewButton_, page.ViewResumeBtn);
    Shown(selectButton_, page.SelectResumeBtn);
    connect(viewButton_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.ViewResumeBtnClick(); }); });
    connect(selectButton_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.SelectResumeBtnClick(); }); });
}

void NotesPageWidget::Render()
{
    const NotesPage& page = view_.Notes;
    if (isVisible()) {
        RenderBoxes();
    } else {
        // The boxes are filled when the page comes on show: notes can run to millions of
        // lines, which a text box takes many seconds and much memory to take in, and most
        // records are looked at on the other pages.
        keywords_->setReadOnly(page.Keywords.readOnly);
        notes_->setReadOnly(page.Notes.readOnly);
        resume_->setReadOnly(page.ResumeFile.readOnly);
    }
    RenderControls();
}

void NotesPageWidget::RenderBoxes()
{
    const NotesPage& page = view_.Notes;
    quillmark::Render(keywords_, page.Keywords);
    quillmark::Render(notes_, page.Notes);
    quillmark::Render(resume_, page.ResumeFile);
}

void NotesPageWidget::showEvent(QShowEvent* event)
{
    RenderBoxes();
    PageWidget::showEvent(event);
}

}  // namespace quillmark
