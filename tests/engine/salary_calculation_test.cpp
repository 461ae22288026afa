#include "support/test_helpers.h"

#include "engine/salary_calculation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillmark {
namespace {

constexpr int Hourly = 1, Daily = 2, Weekly = 3, BiMonthly = 4, Monthly = 5, Yearly = 6;

std::vector<std::string> Figures(const SalaryCalculation& calculation)
{
    return {calculation.Figures.begin(), calculation.Figures.end()};
}

TEST(SalaryTest, EveryPeriodFollowsFromTheWorkedExample)
{
    const SalaryCalculation weekly = CalculateSalaryFigures("40", "500", "5", Weekly);
    EXPECT_EQ(Figures(weekly), (std::vector<std::string>{"12.50", "100.00", "500.00", "1083.33",
                                                         "2166.67", "26000.00"}));
    EXPECT_EQ(weekly.HoursPerDay, "8.00");

    // The same pay typed for any other period gives the same figures (within the rounding of
    // the typed amount).
    for (const auto& [period, salary] :
         {std::pair(Hourly, "12.50"), std::pair(Daily, "100"), std::pair(BiMonthly, "1083.33"),
          std::pair(Monthly, "2166.67"), std::pair(Yearly, "26,000")}) {
        SCOPED_TRACE(period);
        const SalaryCalculation other = CalculateSalaryFigures("40", salary, "5", period);
        EXPECT_EQ(other.Status, "Calculation Successful");
        EXPECT_EQ(other.Figures[1], "12.50");
        EXPECT_EQ(other.Figures[3], "500.00");
        EXPECT_NEAR(std::stod(other.Figures[6]), 26000.0, 1.0);
    }
}

// Work days run from 1 to 7 and a day from no hours to 24: on and just outside each limit.
TEST(SalaryTest, RefusedInputsNameTheProblemAndGiveNoFigures)
{
    const char* const fine = "Calculation Successful";
    const char* const longDay = "Warning:  Hours per day exceeds 24.";
    const struct {
        const char* hours;
        const char* salary;
        const char* days;
        int period;
        const char* status;
    } cases[] = {
        {"", "", "", Weekly, "Please enter hours per week."},
        {"40", "", "", Weekly, "Please enter salary."},
        {"40", "500", "", Weekly, "Please enter work days per week."},
        // Without hours only an hourly wage can be worked out.
        {"0", "500", "5", Weekly, "Please enter hours per week."},
        {"none", "500", "5", Daily, "Please enter hours per week."},
        // A box with no digit in it holds no number; an empty one is asked for first.
        {"40", "abc", "5", Hourly, "Please enter salary."},
        {"forty", "$.", "", Hourly, "Please enter work days per week."},
        {"forty", "$.", "five", Hourly, "Please enter hours per week."},
        {"40", "12", "five", Hourly, "Please enter work days per week."},
        {"40", "100", "0.99", Weekly, "Work Days per week must be greater then 1."},
        {"40", "100", "1", Weekly, longDay},
        {"24", "100", "1", Weekly, fine},
        {"24.01", "100", "1", Weekly, longDay},
        {"40", "100", "7", Weekly, fine},
        {"40", "100", "7.01", Weekly, "Work Days per week can not be greater then 7."},
    };
    for (const auto& in : cases) {
        SCOPED_TRACE(std::string(in.hours) + "/" + in.salary + "/" + in.days);
        const SalaryCalculation result =
            CalculateSalaryFigures(in.hours, in.salary, in.days, in.period);
        EXPECT_EQ(result.Status, in.status);
        const bool refused = in.status != fine && in.status != longDay;
        EXPECT_EQ(result.Calculated, !refused);
        if (refused) {
            EXPECT_EQ(Figures(result), std::vector<std::string>(6));
            EXPECT_EQ(result.HoursPerDay, "");
        }
    }
}

TEST(SalaryTest, UnusualInputsStillGiveFigures)
{
    const SalaryCalculation longDays = CalculateSalaryFigures("70", "700", "2", Weekly);
    EXPECT_EQ(longDays.HoursPerDay, "35.00");
    EXPECT_EQ(Figures(longDays), (std::vector<std::string>{"10.00", "350.00", "700.00", "1516.67",
                                                           "3033.33", "36400.00"}));

    const SalaryCalculation noHours = CalculateSalaryFigures("0", "12", "5", Hourly);
    EXPECT_EQ(noHours.Figures[1], "12.00");
    EXPECT_EQ(noHours.Figures[3], "0.00");  // never "inf" or "nan" in a record

    EXPECT_EQ(TwoDecimals(0.005 + 1e-9), "0.01");
    EXPECT_EQ(TwoDecimals(1234567.894), "1234567.89");
}

TEST(SalaryTest, RecalculatingUsesTheRecordsPayPeriodAndYearlyForAnyOther)
{
    const struct {
        int type;
        const char* hourly;  // 40 hours, 5 days, 2080 paid for the period
    } cases[] = {
        {1, "2080.00"}, {5, "1.00"}, {6, "1.00"}, {0, "1.00"}, {7, "1.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ItemRecord record;
        record.HoursPerWeek = "40";
        record.SalaryAmount = c.type == 5 ? "173.33333333" : "2080";
        record.SalaryType = c.type;
        EXPECT_TRUE(RecalculateSalary(record).Calculated);
        EXPECT_EQ(record.SalaryFigures[1], c.hourly);
        EXPECT_EQ(record.SalaryFigures[6], c.type == 1 ? "4326400.00" : "2080.00");
    }
    ItemRecord unpaid;
    unpaid.SalaryFigures[6] = "1.00";
    EXPECT_FALSE(RecalculateSalary(unpaid).Calculated);
    EXPECT_EQ(unpaid.SalaryFigures[6], "") << "figures that no longer follow are cleared";
}

// The program runs under the user's locale; a comma for its decimal separator must not reach
// the figures a record keeps, which are read back with a point.
TEST(SalaryTest, FiguresHaveADecimalPointWhateverTheLocale)
{
    const test::TemporaryFolder folder;
    const std::string build =
        "localedef -c -i de_DE -f UTF-8 " + folder.File("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) {
        GTEST_SKIP() << "no locale source to build a comma locale from";
    }
    ::setenv("LOCPATH", folder.Path().c_str(), 1);
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    char probe[8];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const SalaryCalculation weekly = CalculateSalaryFigures("40", "500", "5", Weekly);
    std::setlocale(LC_NUMERIC, before.c_str());
    ::unsetenv("LOCPATH");
    ASSERT_STREQ(probe, "1,5") << "the locale did not take";
    EXPECT_EQ(weekly.Figures[1], "12.50");
    EXPECT_EQ(weekly.HoursPerDay, "8.00");
}

}  // namespace
}  // namespace quillmark
