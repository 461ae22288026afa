#include "ui/render.h"

#include "ui/text.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace quillmark {

void Render(QLineEdit* widget, const EditControl& control)
{
    const QSignalBlocker blocker(widget);
    const QString text = ToQt(control.text);
    if (widget->text() != text) {
        widget->setText(text);
        widget->setCursorPosition(0);
    }
    const QString hint = ToQt(control.hint);
    if (widget->toolTip() != hint) {
        widget->setToolTip(hint);
    }
    widget->setReadOnly(control.readOnly);
    widget->setEnabled(control.enabled);
}

void Render(QLabel* widget, const LabelControl& control)
{
    const QString caption = ToQt(control.caption);
    if (widget->text() != caption) {
        widget->setText(caption);
    }
}

void Render(QAbstractButton* widget, const CheckControl& control)
{
    const QSignalBlocker blocker(widget);
    const QString caption = ToQt(control.caption);
    if (widget->text() != caption) {
        widget->setText(caption);
    }
    if (widget->isChecked() != control.checked) {
        widget->setChecked(control.checked);
    }
    widget->setEnabled(control.enabled);
}

void Render(QPushButton* widget, const ButtonControl& control)
{
    const QString caption = ToQt(control.caption);
    if (widget->text() != caption) {
        widget->setText(caption);
    }
    widget->setToolTip(ToQt(control.hint));
    widget->setEnabled(control.enabled);
}

void Render(QPlainTextEdit* widget, const MemoControl& control)
{
    const QSignalBlocker blocker(widget);
    const QString text = LinesToQt(control.lines);
    if (widget->toPlainText() != text) {
        widget->setPlainText(text);
    }
    widget->setReadOnly(control.readOnly);
}

void Render(QAction* action, const ActionControl& control)
{
    action->setEnabled(control.enabled);
    if (control.checkable) {
        const QSignalBlocker blocker(action);
        action->setChecked(control.checked);
    }
}

void Bind(QLineEdit* widget, EditControl& control)
{
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [&control](const QString& text) { control.text = FromQt(text); });
}

void Bind(QPlainTextEdit* widget, MemoControl& control)
{
    QObject::connect(widget, &QPlainTextEdit::textChanged, widget,
                     [widget, &control] { control.lines = LinesFromQt(widget->toPlainText()); });
}

void Bind(QAbstractButton* widget, CheckControl& control)
{
    QObject::connect(widget, &QAbstractButton::toggled, widget,
                     [&control](bool checked) { control.checked = checked; });
}

}  // namespace quillmark
