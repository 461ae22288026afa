#pragma once

// The dialogs of databases kept on a server: which server and database (Open From Server, Save
// To Server), and the question when another user changed a record this user changed too.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quillmark {

class TServerConflictForm;
class TServerDatabaseForm;

class ServerDatabaseDialog : public QDialog {
public:
    ServerDatabaseDialog(TServerDatabaseForm& form, QWidget* parent);

private:
    void Render();

    TServerDatabaseForm& form_;
    QLineEdit* host_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* serverDatabase_ = nullptr;
    QLineEdit* user_ = nullptr;
    QComboBox* databaseName_ = nullptr;
};

// Closing it any other way than its buttons (Escape, the title bar) cancels the save.
class ServerConflictDialog : public QDialog {
public:
    ServerConflictDialog(TServerConflictForm& form, QWidget* parent);
};

}  // namespace quillmark
