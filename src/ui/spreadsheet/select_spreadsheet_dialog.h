#pragma once

#include "ui/form_window.h"

class QListWidget;
class QPushButton;

namespace quillmark {

class TSelectSpreadsheetForm;

// "Select Spreadsheet Fields" over its form; Escape or the title bar change nothing.
class SelectSpreadsheetDialog : public FormDialog {
public:
    SelectSpreadsheetDialog(TSelectSpreadsheetForm& form, QWidget* parent);

    void Render() override;

protected:
    // Modal, so boxes go above it anyway.
    bool MarksCommandWindow() const override { return false; }

private:
    TSelectSpreadsheetForm& form_;
    QListWidget* fields_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

}  // namespace quillmark
