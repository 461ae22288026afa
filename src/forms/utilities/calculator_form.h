#pragma once

#include "forms/controls.h"

#include <span>
#include <string>

namespace quillmark {

// One key of the calculator as the window lays it out: a grid of rows and columns under the
// display. `key` is what KeyPress takes for it, so a click and a typed key do the same thing.
struct CalculatorKey {
    const char* name;     // object name of the button
    const char* caption;  // Windows-1252
    char key;
    int row;
    int column;
    int columnSpan = 1;
    const char* spokenName = nullptr;  // for a caption that is a sign; nullptr: the caption
};

// The calculator: a pocket calculator that works each operation out as soon as the next one
// is pressed, so 2 + 3 x 4 = gives 20.
class TCalculator {
public:
    // The longest number that can be typed, in digits; doubles hold no more exactly.
    static constexpr int MaxDigits = 15;

    TCalculator();

    std::string Caption = "Calculator";
    EditControl Display;                  // read-only: typed keys reach it through KeyPress
    std::string DisplayName = "Display";  // what a screen reader calls it

    static std::span<const CalculatorKey> Keys();

    void DigitClick(int digit);
    void PointClick();
    // '+', '-', '*' or '/'.
    void OperatorClick(char operation);
    void EqualsClick();
    // C: start again from nothing.
    void ClearClick();
    // CE: clear the number being typed and keep the sum so far.
    void ClearEntryClick();
    void BackspaceClick();
    // A typed character: digits, '.' or ',', the four operators ('x' multiplies too), '=' or
    // Enter ('\r' or '\n'), Escape ('\x1b') for C, Delete ('\x7f') for CE, '\b' to take back a
    // digit. False for a key the calculator does not use.
    bool KeyPress(char key);

private:
    double DisplayedValue() const;
    void ShowValue(double value);
    void ShowError(const char* message);
    // Works out `left operation right`; false (with the error shown) when it cannot.
    bool Apply(double left, char operation, double right, double& result);
    void StartAfterError();

    double accumulator_ = 0;
    char pendingOperation_ = 0;
    // Repeating "=" applies the last operation again with the same right-hand number.
    char lastOperation_ = 0;
    double lastOperand_ = 0;
    // The display shows a result (or nothing typed yet since an operator): the next digit
    // starts a new number instead of adding to it.
    bool startNewEntry_ = true;
    bool error_ = false;
};

}  // namespace quillmark
