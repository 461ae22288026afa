#pragma once

#include "ui/form_window.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quillmark {

class CategoryTreeWidget;
class TAddDescription;

// The category editor over its form: the tree, the "Category Name" box and the buttons.
class AddDescriptionDialog : public FormDialog {
public:
    AddDescriptionDialog(TAddDescription& form, QWidget* parent);

    void Render() override;

protected:
    // Open from its first showing until it is done.
    void Activated() override;
    void Deactivated() override;
    bool MarksCommandWindow() const override { return false; }  // modal and on top
    bool FormClosed() const override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void RedrawTree();

    TAddDescription& form_;
    CategoryTreeWidget* tree_ = nullptr;
    QLineEdit* addText_ = nullptr;
    int shownTreeVersion_ = -1;
};

}  // namespace quillmark
