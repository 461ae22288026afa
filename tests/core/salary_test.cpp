#include "search/salary_calculation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

constexpr int Hourly = 1;
constexpr int Daily = 2;
constexpr int Weekly = 3;
constexpr int BiMonthly = 4;
constexpr int Monthly = 5;
constexpr int Yearly = 6;

// Hourly, daily, weekly, bi-monthly, monthly and yearly, as the record keeps them.
std::vector<std::string> Figures(const SalaryCalculation& calculation)
{
    return {calculation.Figures.begin(), calculation.Figures.end()};
}

bool IsTwoDecimalNumber(const std::string& text)
{
    const auto point = text.find('.');
    return point != std::string::npos && point > 0 && point + 3 == text.size() &&
           text.find_first_not_of("0123456789.") == std::string::npos;
}

TEST(SalaryTest, EveryPeriodFollowsFromTheWorkedExample)
{
    const std::vector<std::string> expected = {"12.50",   "100.00",  "500.00",
                                               "1083.33", "2166.67", "26000.00"};
    const SalaryCalculation weekly = CalculateSalaryFigures("40", "500", "5", Weekly);
    EXPECT_TRUE(weekly.Calculated);
    EXPECT_EQ(weekly.Status, "Calculation Successful");
    EXPECT_EQ(Figures(weekly), expected);
    EXPECT_EQ(weekly.HoursPerDay, "8.00");

    // The same pay typed for any other period gives the same figures (within the rounding of
    // the typed amount).
    const struct {
        int period;
        const char* salary;
    } samePay[] = {{Hourly, "12.50"},
                   {Daily, "100"},
                   {BiMonthly, "1083.33"},
                   {Monthly, "2166.67"},
                   {Yearly, "26,000"}};
    for (const auto& s : samePay) {
        SCOPED_TRACE(s.period);
        const SalaryCalculation other = CalculateSalaryFigures("40", s.salary, "5", s.period);
        EXPECT_EQ(other.Status, "Calculation Successful");
        EXPECT_EQ(other.Figures[1], "12.50");
        EXPECT_EQ(other.Figures[3], "500.00");
        EXPECT_NEAR(std::stod(other.Figures[6]), 26000.0, 1.0);
    }

    // Bi-monthly is twice a month.
    EXPECT_EQ(CalculateSalaryFigures("40", "1000", "5", BiMonthly).Figures[6], "24000.00");
    // Typed money is cleaned first.
    EXPECT_EQ(CalculateSalaryFigures("40", "$1,000", "5", Weekly).Figures[3], "1000.00");
    EXPECT_EQ(CalculateSalaryFigures("-40", "$1,000", "5", Weekly).Figures[1], "25.00");
}

TEST(SalaryTest, WorkDaysMustLieBetweenOneAndSeven)
{
    EXPECT_EQ(CalculateSalaryFigures("40", "500", "7", Weekly).Status, "Calculation Successful");
    EXPECT_EQ(CalculateSalaryFigures("8", "500", "1", Weekly).Status, "Calculation Successful");
    for (const char* tooMany : {"8", "7.5"}) {
        const SalaryCalculation result = CalculateSalaryFigures("40", "500", tooMany, Weekly);
        EXPECT_EQ(result.Status, "Work Days per week can not be greater then 7.");
        EXPECT_FALSE(result.Calculated);
        EXPECT_EQ(Figures(result), std::vector<std::string>(6));
        EXPECT_EQ(result.HoursPerDay, "");
    }
    for (const char* tooFew : {"0", "0.5", "none"}) {
        EXPECT_EQ(CalculateSalaryFigures("40", "500", tooFew, Weekly).Status,
                  "Work Days per week must be greater then 1.");
    }
}

TEST(SalaryTest, MissingInputsAreNamedInOrder)
{
    EXPECT_EQ(CalculateSalaryFigures("", "", "", Weekly).Status, "Please enter hours per week.");
    EXPECT_EQ(CalculateSalaryFigures("40", "", "", Weekly).Status, "Please enter salary.");
    EXPECT_EQ(CalculateSalaryFigures("40", "500", "", Weekly).Status,
              "Please enter work days per week.");
    EXPECT_FALSE(CalculateSalaryFigures("40", "", "5", Weekly).Calculated);
}

TEST(SalaryTest, UnusualInputsStillGiveFigures)
{
    const SalaryCalculation long_days = CalculateSalaryFigures("70", "700", "2", Weekly);
    EXPECT_EQ(long_days.Status, "Warning:  Hours per day exceeds 24.");
    EXPECT_EQ(long_days.HoursPerDay, "35.00");
    EXPECT_EQ(Figures(long_days), (std::vector<std::string>{"10.00", "350.00", "700.00", "1516.67",
                                                            "3033.33", "36400.00"}));

    const SalaryCalculation letters = CalculateSalaryFigures("40", "abc", "5", Hourly);
    EXPECT_EQ(letters.Status, "Calculation Successful");
    EXPECT_EQ(Figures(letters), std::vector<std::string>(6, "0.00"));

    // No hours: nothing meaningful to show for most periods, but no failure and never "inf"
    // or "nan" in a record.
    for (int period = Hourly; period <= Yearly; ++period) {
        SCOPED_TRACE(period);
        const SalaryCalculation noHours = CalculateSalaryFigures("0", "500", "5", period);
        EXPECT_FALSE(noHours.Status.empty());
        for (const std::string& figure : Figures(noHours)) {
            EXPECT_TRUE(noHours.Calculated ? IsTwoDecimalNumber(figure) : figure.empty()) << figure;
        }
    }
    EXPECT_EQ(CalculateSalaryFigures("0", "12", "5", Hourly).Figures[1], "12.00");

    EXPECT_EQ(TwoDecimals(1250), "1250.00");
    EXPECT_EQ(TwoDecimals(0.005 + 1e-9), "0.01");
    EXPECT_EQ(TwoDecimals(1234567.894), "1234567.89");
}

}  // namespace
}  // namespace quillmark
