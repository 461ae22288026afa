#pragma once

#include <QDialog>

namespace quillmark {

class TPickListForm;

// The list of records to pick one from, over its form; it closes when the form says so.
class PickListDialog : public QDialog {
public:
    PickListDialog(TPickListForm& form, QWidget* parent);
};

}  // namespace quillmark
