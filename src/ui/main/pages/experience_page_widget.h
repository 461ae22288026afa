#pragma once

#include "ui/main/pages/page_widget.h"

class QPushButton;
class QTableWidget;

namespace quillmark {

// The experience table: its first row is the header, the others are typed into.
class ExperiencePageWidget : public PageWidget {
public:
    ExperiencePageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

private:
    QTableWidget* grid_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

}  // namespace quillmark
