#pragma once

#include "core/one_based_array.h"

#include <string>
#include <string_view>

namespace quillmark {

inline constexpr int PayPeriodCount =
    6;  // 1 Hourly, 2 Daily, 3 Weekly, 4 Bi-Monthly, 5 Monthly, 6 Yearly

struct SalaryCalculation {
    bool Calculated = false;  // false: the inputs failed a check, Figures are empty
    std::string Status;       // "Calculation Successful", a warning, or what is missing
    OneBasedArray<std::string, PayPeriodCount> Figures;  // two decimals, hourly .. yearly
    std::string HoursPerDay;                             // two decimals; empty when not calculated
};

// Derives the pay of every period from the hours per week, the salary for salaryType's
// period and the working days per week, all as typed.
SalaryCalculation CalculateSalaryFigures(std::string_view hoursPerWeek, std::string_view salary,
                                         std::string_view workDaysPerWeek, int salaryType);

// A number with exactly two decimals, "." as point, no separators: 1250 gives "1250.00".
std::string TwoDecimals(double value);

}  // namespace quillmark
