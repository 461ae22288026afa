#include "forms/utilities/calculator_form.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace quillmark {
namespace {

// Types the keys as a user would on the keyboard and returns what the display shows.
std::string Type(TCalculator& calculator, std::string_view keys)
{
    for (const char key : keys) {
        EXPECT_TRUE(calculator.KeyPress(key)) << "key " << int(key);
    }
    return calculator.Display.text;
}

std::string Type(std::string_view keys)
{
    TCalculator calculator;
    return Type(calculator, keys);
}

TEST(CalculatorTest, WorksEachOperationOutAsTheNextIsPressed)
{
    EXPECT_EQ(Type("2+3*4="), "20");
    EXPECT_EQ(Type("10-4/3="), "2");
    EXPECT_EQ(Type("2-5="), "-3");
    EXPECT_EQ(Type("0.1+0.2="), "0.3");
    EXPECT_EQ(Type("1/3="), "0.333333333333333");
    EXPECT_EQ(Type("2-5=*0="), "0");  // not "-0"

    // The running total shows as soon as the next operator is pressed.
    TCalculator calculator;
    EXPECT_EQ(Type(calculator, "2+3"), "3");
    EXPECT_EQ(Type(calculator, "*"), "5");
    EXPECT_EQ(Type(calculator, "4"), "4");
    EXPECT_EQ(Type(calculator, "\r"), "20");
    // A number typed after a result starts a new sum.
    EXPECT_EQ(Type(calculator, "6+1="), "7");
    // A second operator in a row replaces the first.
    EXPECT_EQ(Type("8+-3="), "5");
    EXPECT_EQ(Type("8*/+2="), "10");
}

TEST(CalculatorTest, EqualsRepeatsAndUsesTheDisplayWhenNothingFollows)
{
    EXPECT_EQ(Type("2+3==="), "11");
    EXPECT_EQ(Type("3*="), "9");
    EXPECT_EQ(Type("2+3=10="), "13");  // the repeat applies "+ 3" to the new number
    EXPECT_EQ(Type("5.="), "5");
    EXPECT_EQ(Type("="), "0");
    EXPECT_EQ(Type("2+3=*2="), "10");
}

TEST(CalculatorTest, TypedNumbersStayWellFormed)
{
    EXPECT_EQ(Type("007"), "7");
    EXPECT_EQ(Type("1.2.3"), "1.23");
    EXPECT_EQ(Type(".5"), "0.5");
    EXPECT_EQ(Type("0.05"), "0.05");
    EXPECT_EQ(Type("3,25"), "3.25");
    EXPECT_EQ(Type("4+.5="), "4.5");
    EXPECT_EQ(Type("1234567890123456789"), "123456789012345");
    EXPECT_EQ(Type("12345678901234.56"), "12345678901234.5");
}

TEST(CalculatorTest, CorrectionsClearWhatTheySay)
{
    TCalculator calculator;
    EXPECT_EQ(Type(calculator, "125\b"), "12");
    EXPECT_EQ(Type(calculator, "\b\b\b"), "0");
    EXPECT_EQ(Type(calculator, "9+5\x7f"), "0");  // CE: the 5 goes, the 9 + stays
    EXPECT_EQ(Type(calculator, "3="), "12");
    EXPECT_EQ(Type(calculator, "\b"), "12");  // a result cannot be taken back digit by digit
    EXPECT_EQ(Type(calculator, "\x1b"), "0");
    EXPECT_EQ(Type(calculator, "=="), "0");  // C forgot the repeated operation too
    EXPECT_EQ(Type(calculator, "4.\b"), "4");
}

TEST(CalculatorTest, DividingByZeroShowsAMessageAndTheNextKeyStartsAfresh)
{
    TCalculator calculator;
    EXPECT_EQ(Type(calculator, "5/0="), "Cannot divide by zero");
    EXPECT_EQ(Type(calculator, "7"), "7");
    EXPECT_EQ(Type(calculator, "+1="), "8");  // nothing of the failed sum is left over

    Type(calculator, "\x1b");
    EXPECT_EQ(Type(calculator, "0/0="), "Cannot divide by zero");
    EXPECT_EQ(Type(calculator, "\b"), "0");

    // Found while chaining, before "=".
    EXPECT_EQ(Type(calculator, "6/0+"), "Cannot divide by zero");
    EXPECT_EQ(Type(calculator, "+2="), "2");
    EXPECT_EQ(Type(calculator, "6/0=."), "0.");
}

TEST(CalculatorTest, HugeResultsShowAnExponentThenOverflow)
{
    TCalculator calculator;
    EXPECT_EQ(Type(calculator, "999999999999999+1="), "1e+15");
    EXPECT_EQ(Type(calculator, "*====="), "1e+90");
    std::string shown;
    for (int i = 0; i < 20 && shown != "Result is too large"; ++i) {
        shown = Type(calculator, "=");
    }
    EXPECT_EQ(shown, "Result is too large");
    EXPECT_EQ(Type(calculator, "2*2="), "4");
}

TEST(CalculatorTest, KeyboardIgnoresOtherKeysAndEveryButtonHasAKey)
{
    TCalculator calculator;
    Type(calculator, "12");
    EXPECT_FALSE(calculator.KeyPress('a'));
    EXPECT_FALSE(calculator.KeyPress(' '));
    EXPECT_EQ(calculator.Display.text, "12");
    EXPECT_EQ(Type(calculator, "x3\n"), "36");

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
