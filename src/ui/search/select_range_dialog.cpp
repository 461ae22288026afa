#include "ui/search/select_range_dialog.h"

#include "forms/search/select_schedule_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QLineEdit* Box(const char* name, EditControl& control, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMinimumWidth(160);
    Bind(box, control);
    return box;
}

QComboBox* DayBox(const char* name, ChoiceControl& control, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    quillmark::Render(box, control);
    Bind(box, control);
    return box;
}

}  // namespace

SelectRangeDialog::SelectRangeDialog(TSelectRangeForm& form, QWidget* parent)
    : SelectRangeDialog(form, nullptr, parent)
{
}

SelectRangeDialog::SelectRangeDialog(TSelectScheduleForm& form, QWidget* parent)
    : SelectRangeDialog(form, &form, parent)
{
}

SelectRangeDialog::SelectRangeDialog(TSelectRangeForm& form, TSelectScheduleForm* schedule,
                                     QWidget* parent)
    : QDialog(parent), form_(form), schedule_(schedule)
{
    setObjectName(schedule != nullptr ? "SelectScheduleForm" : "SelectRangeForm");
    setWindowTitle(ToQt(form.Caption));

    recordValue_ = Box("RecordValue", form.RecordValue, this);
    lowValue_ = Box("LowValue", form.LowValue, this);
    highValue_ = Box("HighValue", form.HighValue, this);
    Render();

    auto* specific = new QGroupBox(ToQt(form.SpecificGroup.caption), this);
    auto* specificRow = new QHBoxLayout(specific);
    specificRow->addWidget(recordValue_);
    if (schedule != nullptr) {
        day1_ = DayBox("Day1", schedule->Day1, this);
        specificRow->addWidget(day1_);
    }
    QPushButton* specificOk =
        FormButton("SpecificOKBtn", form.SpecificOKBtn, this, ButtonKind::InDialog);
    specificRow->addWidget(specificOk);

    auto* range = new QGroupBox(ToQt(form.RangeGroup.caption), this);
    auto* rangeRows = new QFormLayout(range);
    rangeRows->addRow(ToQt(form.FromLabel.caption), lowValue_);
    rangeRows->addRow(ToQt(form.ToLabel.caption), highValue_);
    if (schedule != nullptr) {
        day2_ = DayBox("Day2", schedule->Day2, this);
        rangeRows->addRow(ToQt(schedule->OnLabel.caption), day2_);
    }
    QPushButton* rangeOk = FormButton("RangeOKBtn", form.RangeOKBtn, this, ButtonKind::InDialog);
    rangeRows->addRow(QString(), rangeOk);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel =
        AddFormButton(buttons, "CancelBtn", form.CancelBtn, QDialogButtonBox::RejectRole);

    connect(specificOk, &QPushButton::clicked, this, [this] {
        form_.SpecificOKBtnClick();
        AfterOK();
    });
    connect(rangeOk, &QPushButton::clicked, this, [this] {
        form_.RangeOKBtnClick();
        AfterOK();
    });
    // Enter in a box answers for its own group.
    connect(recordValue_, &QLineEdit::returnPressed, specificOk, &QPushButton::click);
    connect(lowValue_, &QLineEdit::returnPressed, rangeOk, &QPushButton::click);
    connect(highValue_, &QLineEdit::returnPressed, rangeOk, &QPushButton::click);
    connect(cancel, &QPushButton::clicked, this, [this] {
        form_.CancelBtnClick();
        reject();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(specific);
    layout->addWidget(range);
    layout->addWidget(buttons);
    recordValue_->setFocus();
}

void SelectRangeDialog::Render()
{
    quillmark::Render(recordValue_, form_.RecordValue);
    quillmark::Render(lowValue_, form_.LowValue);
    quillmark::Render(highValue_, form_.HighValue);
}

void SelectRangeDialog::AfterOK()
{
    if (form_.Closed) {
        accept();
        return;
    }
    for (QLineEdit* box : {recordValue_, lowValue_, highValue_}) {
        if (box->objectName() == ToQt(form_.FocusedControl)) {
            box->setFocus();
        }
    }
}

}  // namespace quillmark
