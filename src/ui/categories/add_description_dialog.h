#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quillmark {

class CategoryTreeWidget;
class TAddDescription;

// The category editor over its form: the tree, the "Category Name" box and the buttons.
class AddDescriptionDialog : public QDialog {
public:
    AddDescriptionDialog(TAddDescription& form, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void Handle(const std::function<void()>& handler);
    void Render();
    void RedrawTree();

    TAddDescription& form_;
    CategoryTreeWidget* tree_ = nullptr;
    QLineEdit* addText_ = nullptr;
    int shownTreeVersion_ = -1;
    bool left_ = false;
};

}  // namespace quillmark
