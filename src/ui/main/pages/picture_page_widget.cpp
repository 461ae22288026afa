#include "ui/main/pages/picture_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
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
    for (int tab = 1; tab <= PictureCount; ++tab) {
        tabs_->addTab(ToQt(PicturePage::TabCaption(tab)));
    }
    // The picture and the status line share the framed area; the form shows one or the other.
    auto* area = new QFrame(this);
    area->setFrameShape(QFrame::StyledPanel);
    area->setMinimumSize(200, 150);
    picture_ = new QLabel(area);
    picture_->setObjectName("RecordImage");
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A big picture is cut off at the area's edges instead of growing the window.
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    status_ = new QLabel(area);
    status_->setObjectName("PicStat");
    status_->setAlignment(Qt::AlignCenter);
    auto* areaLayout = new QGridLayout(area);
    areaLayout->addWidget(picture_, 0, 0);
    areaLayout->addWidget(status_, 0, 0);

    select_ = FormButton("SelectPictureBtn", page.SelectPictureBtn, this);
    clear_ = FormButton("ClearPictureBtn", page.ClearPictureBtn, this);
    title_ = new QLineEdit(this);
    title_->setObjectName("ImageTitle");
    autoSize_ = new QCheckBox(this);
    autoSize_->setObjectName("AutoSizeImage");

    auto* titleLabel = new QLabel(ToQt(page.ImageTitleLabel.caption), this);
    LabelFor(titleLabel, title_);
    auto* controls = new QHBoxLayout;
    controls->addWidget(titleLabel);
    controls->addWidget(title_, 1);
    controls->addWidget(select_);
    controls->addWidget(clear_);
    controls->addWidget(autoSize_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(area, 1);
    layout->addLayout(controls);

    connect(tabs_, &QTabBar::currentChanged, this,
            [this](int index) { Handle([this, index] { view_.ImageBookChange(index + 1); }); });
    connect(title_, &QLineEdit::textEdited, this, [this](const QString& text) {
        view_.Picture.ImageTitle.text = FromQt(text);
        view_.ImageTitleChange();
    });
    connect(select_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.SelectPictureClick(); }); });
    connect(clear_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.ClearPictureClick(); }); });
    Bind(autoSize_, page.AutoSizeImage);
    connect(autoSize_, &QCheckBox::clicked, this,
            [this] { Handle([this] { view_.AutosizeClick(); }); });
}

void PicturePageWidget::Render()
{
    const PicturePage& page = view_.Picture;
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(page.ImageBook - 1);
    }
    if (page.RecordImage.picture != shownPicture_) {
        shownPicture_ = page.RecordImage.picture;
        picture_->setPixmap(shownPicture_ ? ToPixmap(*shownPicture_) : QPixmap());
    }
    picture_->setScaledContents(page.RecordImage.stretch);
    picture_->setVisible(page.RecordImage.visible);
    quillmark::Render(title_, page.ImageTitle);
    quillmark::Render(status_, page.PicStat);
    status_->setVisible(page.PicStatVisible);
    quillmark::Render(select_, page.SelectPictureBtn);
    quillmark::Render(clear_, page.ClearPictureBtn);
    quillmark::Render(autoSize_, page.AutoSizeImage);
}

}  // namespace quillmark
