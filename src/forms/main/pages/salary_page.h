#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"
#include "forms/controls.h"

#include <string>
#include <vector>

namespace quillmark {

// The "Salary" page of the main window: the pay for one period, the hours and days worked,
// and the pay worked out for every period.
struct SalaryPage {
    SalaryPage();

    LabelControl HoursPerWeekLabel{"Hours per Week"};
    EditControl HoursPerWeekEdit;
    EditControl SalaryEdit;
    LabelControl SalaryLabel{"Salary"};
    LabelControl WorkDaysPerWeekLabel{"Work Days per Week"};
    EditControl WorkDaysPerWeekEdit;
    std::vector<std::string> WorkDaysChoices;
    LabelControl PeriodGroup{"Pay Period"};
    LabelControl AmountGroup{"Salary Amounts"};
    // sHourly, sDaily, sWeekly, sBiMonthly, sMonthly, sYearly: pay periods 1..6.
    OneBasedArray<CheckControl, PayPeriodCount> PeriodButtons;
    // aHourly .. aYearly: the worked-out pay as sentences.
    OneBasedArray<LabelControl, PayPeriodCount> Amounts;
    LabelControl HoursPerDay{"per day"};
    LabelControl CalcStatus{"Calculation Successful"};

    static const char* PeriodButtonName(int period);
    static const char* AmountName(int period);

    // Works the pay out from the three boxes and the checked period, shows it and stores the
    // figures in the record; returns the status text.
    std::string CalculateSalary(ItemRecord& record);
    // A period button was clicked: the salary box takes the record's pay for that period.
    void SalaryTypeClick(int period, ItemRecord& record);
    // A box was typed into.
    void HoursPerWeekEditChange(ItemRecord& record);
    void SalaryEditChange(ItemRecord& record);
    void WorkDaysPerWeekEditChange(ItemRecord& record);
    // The page was brought to the front.
    void PageShown(ItemRecord& record);

    void Load(ItemRecord& record);
    void Store(ItemRecord& record) const;
    void SetReadOnly(bool readOnly);

    int CheckedPeriod() const;  // 1..5, or 6 when none of the first five is checked

private:
    void BoxChanged(ItemRecord& record);
    void ResetAmounts();

    bool changeActionsAttached_ = true;
};

}  // namespace quillmark
