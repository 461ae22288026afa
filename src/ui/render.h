#pragma once

#include "forms/controls.h"

#include <QString>

class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPixmap;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QWidget;

namespace quillmark {

struct Bitmap;

// Put a control's state on its widget, touching only what differs so that a caret or a
// selection is not disturbed. Signals are blocked while doing so: only the user's own changes
// reach the form.
void Render(QLineEdit* widget, const EditControl& control);
void Render(QLabel* widget, const LabelControl& control);
void Render(QAbstractButton* widget, const CheckControl& control);
void Render(QPushButton* widget, const ButtonControl& control);
void Render(QPlainTextEdit* widget, const MemoControl& control);
void Render(QAction* action, const ActionControl& control);
void Render(QComboBox* widget, const ChoiceControl& control);
void Render(QSpinBox* widget, const SpinControl& control);
void Render(QProgressBar* widget, const ProgressControl& control);

// An edit mask in the program's notation ("!99/99/0000;1;_") as QLineEdit takes it.
QString QtInputMask(const std::string& mask);
// What a box holds; a masked box left blank reads back as no text, not as its separators.
QString TypedText(const QLineEdit* widget);

// A decoded picture as the screen draws it.
QPixmap ToPixmap(const Bitmap& bitmap);

// The caption names the input, for the keyboard (its shortcut letter moves there) and for screen
// readers (the input's accessible name), also as the caption changes.
void LabelFor(QLabel* caption, QWidget* input);

// Typing writes straight into the form's state.
void Bind(QLineEdit* widget, EditControl& control);
void Bind(QPlainTextEdit* widget, MemoControl& control);
void Bind(QAbstractButton* widget, CheckControl& control);
void Bind(QComboBox* widget, ChoiceControl& control);
void Bind(QSpinBox* widget, SpinControl& control);

}  // namespace quillmark
