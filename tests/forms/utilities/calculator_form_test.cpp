#include "forms/utilities/calculator_form.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmark {
namespace {

using Steps = std::vector<std::pair<std::string_view, std::string_view>>;

// Types each step's keys into one calculator, as a user would on the keyboard, and checks
// what the display shows after it.
void ExpectSession(const Steps& steps)
{
    TCalculator calculator;
    std::string typed;
    for (const auto& [keys, shown] : steps) {
        for (const char key : keys) {
            EXPECT_TRUE(calculator.KeyPress(key)) << "key " << int(key);
        }
        typed += keys;
        EXPECT_EQ(calculator.Display.text, shown) << "after \"" << typed << '"';
    }
}

TEST(CalculatorTest, EachSumShowsItsResultAndCorrectionsAndErrorsLeaveNothingBehind)
{
    // Worked out left to right as the next operator is pressed, to fifteen digits and never
    // "-0"; of operators in a row the last counts. "=" repeats the last operation, on a number
    // typed after it too, and takes the display when nothing follows the operator. Typed
    // numbers stay well formed: no leading zeros, one point, "," for it, fifteen digits.
    const Steps sums = {
        {"10-4/3=", "2"},  {"2-5=", "-3"},    {"0.1+0.2=", "0.3"}, {"1/3=", "0.333333333333333"},
        {"2-5=*0=", "0"},  {"8*/+2=", "10"},  {"2+3===", "11"},    {"3*=", "9"},
        {"2+3=10=", "13"}, {"5.=", "5"},      {"=", "0"},          {"2+3=*2=", "10"},
        {"007", "7"},      {"1.2.3", "1.23"}, {".5", "0.5"},       {"0.05", "0.05"},
        {"3,25", "3.25"},  {"4+.5=", "4.5"}};
    for (const auto& sum : sums) {
        ExpectSession({sum});
    }
    ExpectSession({{"12345678901234.56", "12345678901234.5"}});
    ExpectSession({{"1234567890123456789", "123456789012345"}});
    // The running total shows as soon as the next operator is pressed; a number typed after
    // a result starts a new sum.
    ExpectSession({{"2+3", "3"}, {"*", "5"}, {"4", "4"}, {"\r", "20"}, {"6+1=", "7"}});

    // Corrections clear what they say; dividing by zero shows a message and the next key starts
    // afresh; huge results show an exponent, then overflow.
    ExpectSession({{"125\b", "12"},
                   {"\b\b\b", "0"},
                   {"9+5\x7f", "0"},  // CE: the 5 goes, the 9 + stays
                   {"3=", "12"},
                   {"\b", "12"},  // a result cannot be taken back digit by digit
                   {"\x1b", "0"},
                   {"==", "0"},  // C forgot the repeated operation too
                   {"4.\b", "4"}});
    ExpectSession({{"5/0=", "Cannot divide by zero"},
                   {"7", "7"},
                   {"+1=", "8"},  // nothing of the failed sum is left over
                   {"\x1b"
                    "0/0=",
                    "Cannot divide by zero"},  // after C
                   {"\b", "0"},
                   {"6/0+", "Cannot divide by zero"},  // found while chaining, before "="
                   {"+2=", "2"},
                   {"6/0=.", "0."}});
    ExpectSession({{"999999999999999+1=", "1e+15"},
                   {"*=====", "1e+90"},
                   {"==============", "1e+300"},  // fourteen times
                   {"=", "Result is too large"},
                   {"2*2=", "4"}});

    // The keyboard ignores other keys.
    TCalculator calculator;
    for (const char key : {'1', '2', 'a', ' ', 'x', '3', '\n'}) {
        EXPECT_EQ(calculator.KeyPress(key), key != 'a' && key != ' ') << key;
    }
    EXPECT_EQ(calculator.Display.text, "36");

    // The window forwards button clicks as keys: each must do something and be unique.
    std::set<char> keys;
    std::set<std::string> names;
    for (const CalculatorKey& key : TCalculator::Keys()) {
        EXPECT_TRUE(keys.insert(key.key).second) << key.name;
        EXPECT_TRUE(names.insert(key.name).second) << key.name;
        TCalculator fresh;
        EXPECT_TRUE(fresh.KeyPress(key.key)) << key.name;
    }
}

}  // namespace
}  // namespace quillmark
