#include "engine/salary_calculation.h"

#include "core/field_catalogue.h"
#include "core/item_record.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

namespace quillmark {

std::string TwoDecimals(double value)
{
    if (!std::isfinite(value)) {
        value = 0;  // only a figure too large for a double gets here; no amount is meaningful then
    }
    // to_chars, not printf: the program runs under the user's locale, whose decimal separator
    // may be a comma, and the figures are record text read back with a point.
    char text[400];  // room for the largest double written out in full
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(text, end) : std::string("0.00");
}

SalaryCalculation CalculateSalaryFigures(std::string_view hoursPerWeek, std::string_view salary,
                                         std::string_view workDaysPerWeek, int salaryType)
{
    SalaryCalculation result;
    const struct {
        std::string_view text;
        const char* askFor;
    } boxes[] = {{hoursPerWeek, "Please enter hours per week."},
                 {salary, "Please enter salary."},
                 {workDaysPerWeek, "Please enter work days per week."}};
    // An empty box is asked for first; then a box with no digit in it ("abc"), which would
    // otherwise read as 0 and give figures of nothing that look worked out.
    for (const auto& box : boxes) {
        if (box.text.empty()) {
            result.Status = box.askFor;
            return result;
        }
    }
    double numbers[3] = {};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        const std::optional<double> number = CleanNumberIfDigits(boxes[i].text);
        if (!number) {
            result.Status = boxes[i].askFor;
            return result;
        }
        numbers[i] = *number;
    }
    const double hours = numbers[0];
    const double amount = numbers[1];
    const double days = numbers[2];
    if (days > 7) {
        result.Status = "Work Days per week can not be greater then 7.";
        return result;
    }
    if (days < 1) {
        result.Status = "Work Days per week must be greater then 1.";
        return result;
    }

    // With no hours, no period but the hourly one converts to an hourly rate.
    if (hours == 0 && salaryType != 1) {
        result.Status = "Please enter hours per week.";
        return result;
    }

    double hourly = 0;
    switch (salaryType) {
    case 1:
        hourly = amount;
        break;
    case 2:
        hourly = amount / (hours / days);
        break;
    case 3:
        hourly = amount / hours;
        break;
    case 4:
        hourly = amount * 24 / 52 / hours;
        break;
    case 5:
        hourly = amount * 12 / 52 / hours;
        break;
    default:
        hourly = amount / 52 / hours;
        break;
    }
    // Each amount follows from the one before, in this order, as the page shows them.
    const double weekly = hours * hourly;
    const double biMonthly = weekly * 52 / 24;
    const double monthly = biMonthly * 2;
    const double yearly = monthly * 12;
    const double daily = yearly / 52 / days;
    const double hoursPerDay = hours / days;

    result.Calculated = true;
    result.Figures[1] = TwoDecimals(hourly);
    result.Figures[2] = TwoDecimals(daily);
    result.Figures[3] = TwoDecimals(weekly);
    result.Figures[4] = TwoDecimals(biMonthly);
    result.Figures[5] = TwoDecimals(monthly);
    result.Figures[6] = TwoDecimals(yearly);
    result.HoursPerDay = TwoDecimals(hoursPerDay);
    result.Status =
        hoursPerDay > 24 ? "Warning:  Hours per day exceeds 24." : "Calculation Successful";
    return result;
}

void StoreSalaryFigures(const SalaryCalculation& calculation, ItemRecord& record)
{
    if (!calculation.Calculated) {
        for (std::string& figure : record.SalaryFigures) {
            figure.clear();
        }
        return;
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        record.SalaryFigures[period] = calculation.Figures[period];
    }
}

SalaryCalculation RecalculateSalary(ItemRecord& record)
{
    const int period = static_cast<int>(ShownPayPeriod(record.SalaryType));
    SalaryCalculation calculation = CalculateSalaryFigures(record.HoursPerWeek, record.SalaryAmount,
                                                           record.WorkDaysPerWeek, period);
    StoreSalaryFigures(calculation, record);
    return calculation;
}

}  // namespace quillmark
