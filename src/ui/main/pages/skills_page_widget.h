#pragma once

#include "ui/main/pages/page_widget.h"

class QPushButton;
class QTreeWidget;

namespace quillmark {

// The skills of the database with this record's check marks, proficiency and notes. The list
// itself is never edited in place.
class SkillsPageWidget : public PageWidget {
public:
    SkillsPageWidget(TView& view, std::function<void()> afterHandler);
    void Render() override;

private:
    QTreeWidget* list_ = nullptr;
    QPushButton* editButton_ = nullptr;
};

}  // namespace quillmark
