#include "ui/utilities/calculator_window.h"

#include "ui/text.h"
#include "ui/window_placement.h"

#include <cctype>

#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark {
namespace {

// The character TCalculator::KeyPress takes for a key the user typed; 0 for none.
char CalculatorCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Escape:
        return '\x1b';
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Delete:
        return '\x7f';
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1) {
        return 0;
    }
    const QChar typed = text.front();
    if (typed == QChar(0x00D7)) {
        return '*';
    }
    if (typed == QChar(0x2013) || typed == QChar(0x2212)) {
        return '-';
    }
    if (typed == QChar(0x00F7)) {
        return '/';
    }
    return typed.unicode() < 0x80 ? static_cast<char>(typed.unicode()) : 0;
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("CalculatorWindow");
    setWindowTitle(ToQt(calculator_.Caption));

    display_ = new QLineEdit(this);
    display_->setObjectName("Display");
    display_->setAccessibleName(ToQt(calculator_.DisplayName));
    display_->setReadOnly(calculator_.Display.readOnly);
    display_->setAlignment(Qt::AlignRight);
    display_->setFocusPolicy(Qt::NoFocus);
    QFont displayFont = display_->font();
    displayFont.setPointSizeF(displayFont.pointSizeF() * 1.4);
    display_->setFont(displayFont);
    // Wide enough for the longest number and for the error messages.
    display_->setMinimumWidth(
        display_->fontMetrics().horizontalAdvance(ToQt("Cannot divide by zero")) + 24);

    auto* pad = new QGridLayout;
    pad->setSpacing(4);
    for (const CalculatorKey& key : TCalculator::Keys()) {
        auto* button = new QPushButton(ToQt(key.caption), this);
        button->setObjectName(key.name);
        if (key.spokenName != nullptr) {
            button->setAccessibleName(ToQt(key.spokenName));
        }
        // The window takes the keyboard; a focused button would swallow Enter and Space.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(52, 32);
        if (!std::isdigit(static_cast<unsigned char>(key.key)) && key.key != '.') {
            QFont operatorFont = button->font();
            operatorFont.setBold(true);
            button->setFont(operatorFont);
        }
        pad->addWidget(button, key.row, key.column, 1, key.columnSpan);
        const char character = key.key;
        connect(button, &QPushButton::clicked, this, [this, character] { KeyPress(character); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(display_);
    layout->addLayout(pad);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setFocusPolicy(Qt::StrongFocus);
    Render();
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event)
{
    const char character = CalculatorCharacter(*event);
    if (character != 0 && calculator_.KeyPress(character)) {
        Render();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CalculatorWindow::KeyPress(char key)
{
    calculator_.KeyPress(key);
    Render();
}

void CalculatorWindow::Render()
{
    const QString shown = ToQt(calculator_.Display.text);
    if (display_->text() != shown) {
        display_->setText(shown);
    }
}

void ShowCalculator(QWidget* parent)
{
    static QPointer<CalculatorWindow> calculator;
    if (calculator == nullptr) {
        calculator = new CalculatorWindow(parent);
        calculator->adjustSize();
        PlaceOver(calculator, parent);
    }
    calculator->show();
    calculator->raise();
    calculator->activateWindow();
}

}  // namespace quillmark
