#pragma once

#include <QDialog>

namespace quillmark {

class TDatabaseInformationForm;
class TSetPasswordForm;

// The "Database Information" dialog over its form.
class DatabaseInformationDialog : public QDialog {
public:
    DatabaseInformationDialog(TDatabaseInformationForm& form, QWidget* parent);
};

// The "Set Database Password" dialog over its form; it closes when the form says so.
class SetPasswordDialog : public QDialog {
public:
    SetPasswordDialog(TSetPasswordForm& form, QWidget* parent);
};

}  // namespace quillmark
