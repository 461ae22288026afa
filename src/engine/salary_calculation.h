#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"

#include <string>
#include <string_view>

namespace quillmark {

struct SalaryCalculation {
    bool Calculated = false;  // false: the inputs failed a check, Figures are empty
    std::string Status;       // "Calculation Successful", a warning, or what is missing
    OneBasedArray<std::string, PayPeriodCount> Figures;  // two decimals, hourly .. yearly
    std::string HoursPerDay;                             // two decimals; empty when not calculated
};

// Derives the pay of every period from the hours per week, the salary for salaryType's
// period and the working days per week, all as typed. A box left empty or with no digit in it
// is asked for in Status, and nothing is worked out.
SalaryCalculation CalculateSalaryFigures(std::string_view hoursPerWeek, std::string_view salary,
                                         std::string_view workDaysPerWeek, int salaryType);

// Puts the worked-out pay into the record's salary figures; a failed calculation empties them
// all, so that a record with bad inputs has no figures for search, sorting and reports.
void StoreSalaryFigures(const SalaryCalculation& calculation, ItemRecord& record);

// Works a record's pay out again from its own three salary texts and pay period, exactly as
// the salary page does when the record is shown. For records filled by import or other tools.
SalaryCalculation RecalculateSalary(ItemRecord& record);

// A number with exactly two decimals, "." as point, no separators: 1250 gives "1250.00".
std::string TwoDecimals(double value);

}  // namespace quillmark
