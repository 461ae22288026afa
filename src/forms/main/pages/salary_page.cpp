#include "forms/main/pages/salary_page.h"

#include "core/pay_period.h"
#include "engine/salary_calculation.h"

namespace quillmark {

namespace {

constexpr const char* PeriodButtonNames[PayPeriodCount] = {"sHourly",    "sDaily",   "sWeekly",
                                                           "sBiMonthly", "sMonthly", "sYearly"};
constexpr const char* AmountNames[PayPeriodCount] = {"aHourly",    "aDaily",   "aWeekly",
                                                     "aBiMonthly", "aMonthly", "aYearly"};
constexpr const char* AmountEndings[PayPeriodCount] = {" per hour",   " per day",   " per week",
                                                       " bi-monthly", " per month", " per year"};

}  // namespace

SalaryPage::SalaryPage()
{
    WorkDaysPerWeekEdit.text = "5";
    for (int days = 1; days <= 7; ++days) {
        WorkDaysChoices.push_back(std::to_string(days));
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        PeriodButtons[period].caption = PayPeriodName(static_cast<PayPeriod>(period));
        Amounts[period].caption = "$0.00";
    }
    PeriodButtons[2].checked = true;
}

const char* SalaryPage::PeriodButtonName(int period)
{
    return PeriodButtonNames[period - 1];
}

const char* SalaryPage::AmountName(int period)
{
    return AmountNames[period - 1];
}

int SalaryPage::CheckedPeriod() const
{
    for (int period = 1; period <= 5; ++period) {
        if (PeriodButtons[period].checked) {
            return period;
        }
    }
    return 6;
}

void SalaryPage::ResetAmounts()
{
    for (int period = 1; period <= PayPeriodCount; ++period) {
        Amounts[period].caption = std::string("$0.00") + AmountEndings[period - 1];
    }
    HoursPerDay.caption.clear();
}

std::string SalaryPage::CalculateSalary(ItemRecord& record)
{
    const SalaryCalculation result = CalculateSalaryFigures(
        HoursPerWeekEdit.text, SalaryEdit.text, WorkDaysPerWeekEdit.text, CheckedPeriod());
    StoreSalaryFigures(result, record);
    if (!result.Calculated) {
        ResetAmounts();
        return result.Status;
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        Amounts[period].caption = "$" + result.Figures[period] + AmountEndings[period - 1];
    }
    HoursPerDay.caption = result.HoursPerDay + " hours per day";
    return result.Status;
}

void SalaryPage::SalaryTypeClick(int period, ItemRecord& record)
{
    for (int other = 1; other <= PayPeriodCount; ++other) {
        PeriodButtons[other].checked = other == period;
    }
    SalaryLabel.caption = std::string(PayPeriodName(static_cast<PayPeriod>(period))) + " Salary";
    // The same pay in the new period; filling the box runs its own change action too. Without
    // a worked-out figure for that period the box keeps what was typed rather than go blank.
    if (const std::string& samePay = record.SalaryFigures[period]; !samePay.empty()) {
        SalaryEdit.text = samePay;
        SalaryEditChange(record);
    }
    CalcStatus.caption = CalculateSalary(record);
}

void SalaryPage::BoxChanged(ItemRecord& record)
{
    if (changeActionsAttached_) {
        CalcStatus.caption = CalculateSalary(record);
    }
}

void SalaryPage::HoursPerWeekEditChange(ItemRecord& record)
{
    BoxChanged(record);
}

void SalaryPage::SalaryEditChange(ItemRecord& record)
{
    BoxChanged(record);
}

void SalaryPage::WorkDaysPerWeekEditChange(ItemRecord& record)
{
    BoxChanged(record);
}

void SalaryPage::PageShown(ItemRecord& record)
{
    const int period = CheckedPeriod();
    if (period != 2) {  // with "Daily" checked the label keeps its text
        SalaryLabel.caption =
            std::string(PayPeriodName(static_cast<PayPeriod>(period))) + " Salary";
    }
    CalcStatus.caption = CalculateSalary(record);
}

void SalaryPage::Load(ItemRecord& record)
{
    changeActionsAttached_ = false;
    HoursPerWeekEdit.text = record.HoursPerWeek;
    SalaryEdit.text = record.SalaryAmount;
    WorkDaysPerWeekEdit.text = record.WorkDaysPerWeek;
    const int period = static_cast<int>(ShownPayPeriod(record.SalaryType));
    for (int other = 1; other <= PayPeriodCount; ++other) {
        PeriodButtons[other].checked = other == period;
    }
    CalcStatus.caption = CalculateSalary(record);
    changeActionsAttached_ = true;
}

void SalaryPage::Store(ItemRecord& record) const
{
    record.HoursPerWeek = HoursPerWeekEdit.text;
    record.SalaryAmount = SalaryEdit.text;
    record.WorkDaysPerWeek = WorkDaysPerWeekEdit.text;
    record.SalaryType = CheckedPeriod();
}

void SalaryPage::SetReadOnly(bool readOnly)
{
    HoursPerWeekEdit.readOnly = readOnly;
    SalaryEdit.readOnly = readOnly;
    WorkDaysPerWeekEdit.enabled = !readOnly;
    for (CheckControl& button : PeriodButtons) {
        button.enabled = !readOnly;
    }
}

}  // namespace quillmark
