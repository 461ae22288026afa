#include "ui/main/pages/salary_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quillmark {

SalaryPageWidget::SalaryPageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    SalaryPage& page = view_.Salary;
    hours_ = new QLineEdit(this);
    hours_->setObjectName("HoursPerWeekEdit");
    salary_ = new QLineEdit(this);
    salary_->setObjectName("SalaryEdit");
    salaryLabel_ = new QLabel(this);
    salaryLabel_->setObjectName("SalaryLabel");
    workDays_ = new QComboBox(this);
    workDays_->setObjectName("WorkDaysPerWeekEdit");
    workDays_->setEditable(true);
    for (const std::string& choice : page.WorkDaysChoices) {
        workDays_->addItem(ToQt(choice));
    }

    auto* hoursLabel = new QLabel(ToQt(page.HoursPerWeekLabel.caption), this);
    auto* workDaysLabel = new QLabel(ToQt(page.WorkDaysPerWeekLabel.caption), this);
    LabelFor(hoursLabel, hours_);
    LabelFor(salaryLabel_, salary_);
    LabelFor(workDaysLabel, workDays_);
    auto* inputs = new QFormLayout;
    inputs->addRow(hoursLabel, hours_);
    inputs->addRow(salaryLabel_, salary_);
    inputs->addRow(workDaysLabel, workDays_);

    auto* periodBox = new QGroupBox(ToQt(page.PeriodGroup.caption), this);
    auto* periodLayout = new QVBoxLayout(periodBox);
    auto* amountBox = new QGroupBox(ToQt(page.AmountGroup.caption), this);
    auto* amountLayout = new QVBoxLayout(amountBox);
    for (int period = 1; period <= PayPeriodCount; ++period) {
        QRadioButton* button = new QRadioButton(periodBox);
        button->setObjectName(SalaryPage::PeriodButtonName(period));
        periods_[period - 1] = button;
        periodLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this,
                [this, period] { Handle([this, period] { view_.SalaryTypeClick(period); }); });

        QLabel* amount = new QLabel(amountBox);
        amount->setObjectName(SalaryPage::AmountName(period));
        amounts_[period - 1] = amount;
        amountLayout->addWidget(amount);
    }
    hoursPerDay_ = new QLabel(amountBox);
    hoursPerDay_->setObjectName("HoursPerDay");
    amountLayout->addWidget(hoursPerDay_);

    status_ = new QLabel(this);
    status_->setObjectName("CalcStatus");
    status_->setAlignment(Qt::AlignCenter);
    status_->setAutoFillBackground(true);
    QPalette yellow = status_->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 160));
    yellow.setColor(QPalette::WindowText, Qt::black);
    status_->setPalette(yellow);
    status_->setMargin(4);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(periodBox);
    boxes->addWidget(amountBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(boxes);
    layout->addWidget(status_);
    layout->addStretch();

    // Typing writes the box, then the form works the pay out again.
    connect(hours_, &QLineEdit::textEdited, this, [this](const QString& text) {
        view_.Salary.HoursPerWeekEdit.text = FromQt(text);
        Handle([this] { view_.HoursPerWeekEditChange(); });
    });
    connect(salary_, &QLineEdit::textEdited, this, [this](const QString& text) {
        view_.Salary.SalaryEdit.text = FromQt(text);
        Handle([this] { view_.SalaryEditChange(); });
    });
    connect(workDays_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        view_.Salary.WorkDaysPerWeekEdit.text = FromQt(text);
        Handle([this] { view_.WorkDaysPerWeekEditChange(); });
    });
}

void SalaryPageWidget::Render()
{
    const SalaryPage& page = view_.Salary;
    quillmark::Render(hours_, page.HoursPerWeekEdit);
    quillmark::Render(salary_, page.SalaryEdit);
    quillmark::Render(salaryLabel_, page.SalaryLabel);
    {
        const QSignalBlocker blocker(workDays_);
        const QString days = ToQt(page.WorkDaysPerWeekEdit.text);
        if (workDays_->currentText() != days) {
            workDays_->setCurrentText(days);
        }
        workDays_->setEnabled(page.WorkDaysPerWeekEdit.enabled);
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        quillmark::Render(periods_[period - 1], page.PeriodButtons[period]);
        quillmark::Render(amounts_[period - 1], page.Amounts[period]);
    }
    quillmark::Render(hoursPerDay_, page.HoursPerDay);
    quillmark::Render(status_, page.CalcStatus);
}

}  // namespace quillmark
