#pragma once

#include "ui/pages/page_widget.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace quillmark {

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
};

}  // namespace quillmark
