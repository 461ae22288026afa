#pragma once

#include "ui/main/pages/page_widget.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace quillmark {

struct Bitmap;

// Six picture tabs, each with its picture and title.
class PicturePageWidget : public PageWidget {
public:
    PicturePageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

private:
    QTabBar* tabs_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLineEdit* title_ = nullptr;
    QCheckBox* autoSize_ = nullptr;
    // The bitmap the label shows, so that it is converted again only when it changes.
    std::shared_ptr<const Bitmap> shownPicture_;
};

}  // namespace quillmark
