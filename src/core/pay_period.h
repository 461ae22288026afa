#pragma once

#include <array>
#include <cstdint>

namespace quillmark {

// The period a record's salary amount is paid for. The numbers are the ones the database file
// stores.
enum class PayPeriod : std::int32_t {
    Hourly = 1,
    Daily = 2,
    Weekly = 3,
    BiMonthly = 4,
    Monthly = 5,
    Yearly = 6
};
inline constexpr int PayPeriodCount = 6;

// The periods' names, Hourly first: the salary page's buttons, the sort and search menus, and
// what a salary-type search term names.
inline constexpr std::array<const char*, PayPeriodCount> PayPeriodNames = {
    "Hourly", "Daily", "Weekly", "Bi-Monthly", "Monthly", "Yearly"};

inline const char* PayPeriodName(PayPeriod period)
{
    return PayPeriodNames[static_cast<std::size_t>(static_cast<int>(period) - 1)];
}

// The period a stored number stands for where one must be chosen: the salary page checks
// "Yearly" for any number it has no other button for.
inline PayPeriod ShownPayPeriod(std::int32_t stored)
{
    return stored >= 1 && stored <= 5 ? static_cast<PayPeriod>(stored) : PayPeriod::Yearly;
}

}  // namespace quillmark
