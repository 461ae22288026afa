#include "forms/utilities/calculator_form.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace quillmark {
namespace {

constexpr const char* DivideByZeroMessage = "Cannot divide by zero";
constexpr const char* TooLargeMessage = "Result is too large";

// Laid out as on a desk calculator: corrections on top, then the number pad with the
// operators down the right. "\xF7", "\xD7" and "\x96" are the division and multiplication
// signs and a dash as long as the plus sign, for minus; a screen reader says what the signs mean.
constexpr std::array<CalculatorKey, 19> KeyTable = {{
    {"BackspaceBtn", "Back", '\b', 0, 0, 2},
    {"ClearEntryBtn", "CE", '\x7f', 0, 2},
    {"ClearBtn", "C", '\x1b', 0, 3},
    {"Digit7Btn", "7", '7', 1, 0},
    {"Digit8Btn", "8", '8', 1, 1},
    {"Digit9Btn", "9", '9', 1, 2},
    {"DivideBtn", "\xF7", '/', 1, 3, 1, "Divide"},
    {"Digit4Btn", "4", '4', 2, 0},
    {"Digit5Btn", "5", '5', 2, 1},
    {"Digit6Btn", "6", '6', 2, 2},
    {"MultiplyBtn", "\xD7", '*', 2, 3, 1, "Multiply"},
    {"Digit1Btn", "1", '1', 3, 0},
    {"Digit2Btn", "2", '2', 3, 1},
    {"Digit3Btn", "3", '3', 3, 2},
    {"MinusBtn", "\x96", '-', 3, 3, 1, "Minus"},
    {"Digit0Btn", "0", '0', 4, 0},
    {"PointBtn", ".", '.', 4, 1, 1, "Point"},
    {"EqualsBtn", "=", '=', 4, 2, 1, "Equals"},
    {"PlusBtn", "+", '+', 4, 3, 1, "Plus"},
}};

bool IsOperation(char key)
{
    return key == '+' || key == '-' || key == '*' || key == '/';
}

}  // namespace

TCalculator::TCalculator()
{
    Display.text = "0";
    Display.readOnly = true;
}

std::span<const CalculatorKey> TCalculator::Keys()
{
    return KeyTable;
}

void TCalculator::DigitClick(int digit)
{
    if (digit < 0 || digit > 9) {
        return;
    }
    StartAfterError();
    const char typed = static_cast<char>('0' + digit);
    std::string& text = Display.text;
    if (startNewEntry_) {
        text = typed;
        startNewEntry_ = false;
        return;
    }
    if (text == "0") {
        text = typed;
        return;
    }
    if (std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) >=
        MaxDigits) {
        return;
    }
    text += typed;
}

void TCalculator::PointClick()
{
    StartAfterError();
    if (startNewEntry_) {
        Display.text = "0.";
        startNewEntry_ = false;
        return;
    }
    if (Display.text.find('.') == std::string::npos) {
        Display.text += '.';
    }
}

void TCalculator::OperatorClick(char operation)
{
    if (!IsOperation(operation)) {
        return;
    }
    StartAfterError();
    if (pendingOperation_ != 0 && startNewEntry_) {
        // Two operators in a row: the second one is what the user meant.
        pendingOperation_ = operation;
        return;
    }
    if (pendingOperation_ != 0) {
        double result = 0;
        if (!Apply(accumulator_, pendingOperation_, DisplayedValue(), result)) {
            return;
        }
        ShowValue(result);
    }
    accumulator_ = DisplayedValue();
    pendingOperation_ = operation;
    startNewEntry_ = true;
}

void TCalculator::EqualsClick()
{
    StartAfterError();
    double left = 0;
    if (pendingOperation_ != 0) {
        left = accumulator_;
        lastOperation_ = pendingOperation_;
        lastOperand_ = DisplayedValue();
    } else if (lastOperation_ != 0) {
        left = DisplayedValue();
    } else {
        // Nothing to work out; a number typed as "5." settles to "5".
        ShowValue(DisplayedValue());
        startNewEntry_ = true;
        return;
    }
    pendingOperation_ = 0;
    double result = 0;
    if (Apply(left, lastOperation_, lastOperand_, result)) {
        ShowValue(result);
        startNewEntry_ = true;
    }
}

void TCalculator::ClearClick()
{
    *this = TCalculator();
}

void TCalculator::ClearEntryClick()
{
    if (error_) {
        ClearClick();
        return;
    }
    Display.text = "0";
    startNewEntry_ = false;
}

void TCalculator::BackspaceClick()
{
    if (error_) {
        ClearClick();
        return;
    }
    if (startNewEntry_) {
        return;  // a result is not something the user typed
    }
    std::string& text = Display.text;
    text.pop_back();
    if (text.empty() || text == "-") {
        text = "0";
    }
}

bool TCalculator::KeyPress(char key)
{
    if (key >= '0' && key <= '9') {
        DigitClick(key - '0');
    } else if (key == '.' || key == ',') {
        PointClick();
    } else if (IsOperation(key)) {
        OperatorClick(key);
    } else if (key == 'x' || key == 'X') {
        OperatorClick('*');
    } else if (key == '=' || key == '\r' || key == '\n') {
        EqualsClick();
    } else if (key == '\x1b') {
        ClearClick();
    } else if (key == '\x7f') {
        ClearEntryClick();
    } else if (key == '\b') {
        BackspaceClick();
    } else {
        return false;
    }
    return true;
}

double TCalculator::DisplayedValue() const
{
    // from_chars, not strtod: the program runs under the user's locale, whose decimal
    // separator may not be the display's ".".
    double value = 0;
    const std::string& text = Display.text;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void TCalculator::ShowValue(double value)
{
    if (value == 0) {
        value = 0;  // no "-0"
    }
    std::array<char, 32> buffer{};
    const auto [end, failed] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::general, MaxDigits);
    Display.text = failed == std::errc() ? std::string(buffer.data(), end) : "0";
}

void TCalculator::ShowError(const char* message)
{
    *this = TCalculator();
    Display.text = message;
    error_ = true;
}

bool TCalculator::Apply(double left, char operation, double right, double& result)
{
    switch (operation) {
    case '+':
        result = left + right;
        break;
    case '-':
        result = left - right;
        break;
    case '*':
        result = left * right;
        break;
    default:
        if (right == 0) {
            ShowError(DivideByZeroMessage);
            return false;
        }
        result = left / right;
        break;
    }
    if (!std::isfinite(result)) {
        ShowError(TooLargeMessage);
        return false;
    }
    return true;
}

void TCalculator::StartAfterError()
{
    if (error_) {
        ClearClick();
    }
}

}  // namespace quillmark
