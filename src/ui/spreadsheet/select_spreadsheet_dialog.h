#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace quillmark {

class TSelectSpreadsheetForm;

// "Select Spreadsheet Fields" over its form; Escape or the title bar change nothing.
class SelectSpreadsheetDialog : public QDialog {
public:
    SelectSpreadsheetDialog(TSelectSpreadsheetForm& form, QWidget* parent);

private:
    void Handle(const std::function<void()>& handler);
    void Render();

    TSelectSpreadsheetForm& form_;
    QListWidget* fields_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

}  // namespace quillmark
