#pragma once

#include "forms/utilities/calculator_form.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace quillmark {

// The calculator window: a display and a pad of buttons over TCalculator. Clicks and typed
// keys both go to the form's KeyPress, then the display is drawn again.
class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    explicit CalculatorWindow(QWidget* parent = nullptr);

    const TCalculator& Form() const { return calculator_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void KeyPress(char key);
    void Render();

    TCalculator calculator_;
    QLineEdit* display_ = nullptr;
};

// Shows the program's one calculator, making it on first use and raising it when it is
// already open. It keeps its figures while hidden.
void ShowCalculator(QWidget* parent);

}  // namespace quillmark
