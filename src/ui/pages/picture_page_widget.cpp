#include "ui/pages/picture_page_widget.h"

#include "app/view_form.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace quillmark {

PicturePageWidget::PicturePageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    PicturePage& page = view_.Picture;
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("ImageBook");
    for (int tab = 1; tab <= 6; ++tab) {
        tabs_->addTab(ToQt(PicturePage::TabCaption(tab)));
    }
    picture_ = new QLabel(this);
    picture_->setObjectName("RecordImage");
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::StyledPanel);
    picture_->setMinimumSize(200, 150);
    status_ = new QLabel(this);
    status_->setObjectName("PicStat");
    status_->setAlignment(Qt::AlignCenter);
    select_ = new QPushButton(this);
    select_->setObjectName("SelectPictureBtn");
    clear_ = new QPushButton(this);
    clear_->setObjectName("ClearPictureBtn");
    title_ = new QLineEdit(this);
    title_->setObjectName("ImageTitle");
    autoSize_ = new QCheckBox(this);
    autoSize_->setObjectName("AutoSizeImage");

    auto* controls = new QHBoxLayout;
    controls->addWidget(title_, 1);
    controls->addWidget(select_);
    controls->addWidget(clear_);
    controls->addWidget(autoSize_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(picture_, 1);
    layout->addWidget(status_);
    layout->addLayout(controls);

    connect(tabs_, &QTabBar::currentChanged, this,
            [this](int index) { Handle([this, index] { view_.ImageBookChange(index + 1); }); });
    connect(title_, &QLineEdit::textEdited, this, [this](const QString& text) {
        view_.Picture.ImageTitle.text = FromQt(text);
        view_.ImageTitleChange();
    });
    Bind(autoSize_, page.AutoSizeImage);
}

void PicturePageWidget::Render()
{
    const PicturePage& page = view_.Picture;
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(page.ImageBook - 1);
    }
    quillmark::Render(title_, page.ImageTitle);
    quillmark::Render(status_, page.PicStat);
    status_->setVisible(page.PicStatVisible);
    quillmark::Render(select_, page.SelectPictureBtn);
    quillmark::Render(clear_, page.ClearPictureBtn);
    quillmark::Render(autoSize_, page.AutoSizeImage);
}

}  // namespace quillmark
