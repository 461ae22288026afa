#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace quillmark {

class TSelectRangeForm;
class TSelectScheduleForm;

// The "Select Range" dialog over its form, and with a schedule form also "Select Schedule",
// which adds a day box to each group. It closes when the form says so; Escape or the title
// bar's button leave the term as it was, as "Cancel" does.
class SelectRangeDialog : public QDialog {
public:
    SelectRangeDialog(TSelectRangeForm& form, QWidget* parent);
    SelectRangeDialog(TSelectScheduleForm& form, QWidget* parent);

private:
    SelectRangeDialog(TSelectRangeForm& form, TSelectScheduleForm* schedule, QWidget* parent);
    void Render();
    // After an "OK": closes when the form is done, otherwise puts the caret where it points.
    void AfterOK();

    TSelectRangeForm& form_;
    TSelectScheduleForm* schedule_ = nullptr;
    QLineEdit* recordValue_ = nullptr;
    QLineEdit* lowValue_ = nullptr;
    QLineEdit* highValue_ = nullptr;
    QComboBox* day1_ = nullptr;
    QComboBox* day2_ = nullptr;
};

}  // namespace quillmark
