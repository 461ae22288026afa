#include "ui/render.h"

#include "engine/pictures/bitmap.h"
#include "forms/edit_mask.h"
#include "ui/text.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>

namespace quillmark {

// "!99/99/0000;1;_" in Qt's notation, where the digit letters mean the opposite: a required
// digit is 9 and an optional one 0.
QString QtInputMask(const std::string& mask)
{
    QString format = ToQt(mask);
    if (format.startsWith(u'!')) {
        format.remove(0, 1);
    }
    const QStringList parts = format.split(u';');
    QString qtFormat;
    for (QChar c : parts.value(0)) {
        qtFormat += c == u'0' ? QChar(u'9') : c == u'9' ? QChar(u'0') : c;
    }
    return qtFormat + QStringLiteral(";") + parts.value(2, QStringLiteral(" "));
}

// What the box holds; a masked box left blank reads back as its separators alone ("//"),
// which is no text.
QString TypedText(const QLineEdit* widget)
{
    const QString text = widget->text();
    const bool onlySeparators =
        !widget->inputMask().isEmpty() &&
        std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    return onlySeparators ? QString() : text;
}

namespace {

// The text box of an editable drop-down list is what the keys type into: it is named too.
void NameInput(QWidget* input, const QString& name)
{
    if (input->accessibleName() != name) {
        input->setAccessibleName(name);
    }
    if (const auto* choices = qobject_cast<QComboBox*>(input); choices && choices->lineEdit()) {
        if (choices->lineEdit()->accessibleName() != name) {
            choices->lineEdit()->setAccessibleName(name);
        }
    }
}

}  // namespace

void Render(QLineEdit* widget, const EditControl& control)
{
    const QSignalBlocker blocker(widget);
    const QString mask = !control.mask.empty() && TextFitsMask(control.text, control.mask)
                             ? QtInputMask(control.mask)
                             : QString();
    if (widget->inputMask() != mask) {
        widget->setInputMask(mask);
    }
    const QString text = ToQt(control.text);
    if (TypedText(widget) != text) {
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
    // Captions come from the database file: shown as they are, never read as markup.
    if (widget->textFormat() != Qt::PlainText) {
        widget->setTextFormat(Qt::PlainText);
    }
    // A label that names an input reads "&" as its shortcut mark: a caption's own are doubled.
    QWidget* input = widget->buddy();
    const QString shown =
        input != nullptr ? QString(caption).replace(u'&', QStringLiteral("&&")) : caption;
    if (widget->text() != shown) {
        widget->setText(shown);
    }
    if (input != nullptr) {
        NameInput(input, caption);
    }
}

void LabelFor(QLabel* caption, QWidget* input)
{
    caption->setBuddy(input);
    QString name = caption->text();
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
    NameInput(input, name);
}

void Render(QAbstractButton* widget, const CheckControl& control)
{
    const QSignalBlocker blocker(widget);
    const QString caption = ToQt(control.caption);
    if (widget->text() != caption) {
        widget->setText(caption);
    }
    if (widget->isChecked() != control.checked) {
        // A radio button of a group the form keeps (none chosen yet, say) is unchecked by hand:
        // Qt lets no button of an exclusive group be unchecked.
        const bool exclusive = widget->autoExclusive();
        widget->setAutoExclusive(exclusive && control.checked);
        widget->setChecked(control.checked);
        widget->setAutoExclusive(exclusive);
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
    const QString name = ToQt(control.accessibleName);
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
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

void Render(QComboBox* widget, const ChoiceControl& control)
{
    const QSignalBlocker blocker(widget);
    QStringList items;
    for (const std::string& item : control.items) {
        items << ToQt(item);
    }
    bool same = widget->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i) {
        same = widget->itemText(i) == items[i];
    }
    if (!same) {
        widget->clear();
        widget->addItems(items);
    }
    widget->setEditable(control.editable);
    const QString text = ToQt(control.text);
    if (widget->currentText() != text) {
        const int index = widget->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            widget->setCurrentIndex(index);
        } else if (control.editable) {
            widget->setEditText(text);
        }
    }
}

void Render(QSpinBox* widget, const SpinControl& control)
{
    const QSignalBlocker blocker(widget);
    widget->setRange(control.minimum, control.maximum);
    widget->setValue(control.value);
    widget->setEnabled(control.enabled);
}

void Render(QProgressBar* widget, const ProgressControl& control)
{
    widget->setRange(0, std::max(control.maximum, 1));
    widget->setValue(std::min(control.position, std::max(control.maximum, 1)));
}

QPixmap ToPixmap(const Bitmap& bitmap)
{
    // The image only borrows the pixels; the pixmap made from it has its own.
    const QImage image(bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width * 4,
                       QImage::Format_RGBA8888);
    return QPixmap::fromImage(image);
}

void Bind(QLineEdit* widget, EditControl& control)
{
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [widget, &control] { control.text = FromQt(TypedText(widget)); });
}

void Bind(QPlainTextEdit* widget, MemoControl& control)
{
    // Only the lines an edit touched are read back, so that a key typed into a box of a million
    // lines does not convert all of them. The box holds one block per line; no lines at all
    // show as one empty block.
    QTextDocument* document = widget->document();
    QObject::connect(
        document, &QTextDocument::contentsChange, widget,
        [widget, document, &control](int position, int /*removed*/, int added) {
            if (widget->signalsBlocked()) {
                return;  // the form's own text being put on the box
            }
            std::vector<std::string>& lines = control.lines;
            if (lines.empty()) {
                lines.emplace_back();
            }
            const int end = std::min(position + added, document->characterCount() - 1);
            const int first = document->findBlock(position).blockNumber();
            const int last = document->findBlock(end).blockNumber();
            const int grown = document->blockCount() - static_cast<int>(lines.size());
            const int replaced = last - first + 1 - grown;
            if (first < 0 || replaced < 1 || first + replaced > static_cast<int>(lines.size())) {
                control.lines = LinesFromQt(widget->toPlainText());
                return;
            }
            std::vector<std::string> changed;
            for (QTextBlock block = document->findBlockByNumber(first);
                 block.isValid() && block.blockNumber() <= last; block = block.next()) {
                changed.push_back(FromQt(block.text()));
            }
            const auto from = lines.begin() + first;
            lines.erase(from, from + replaced);
            lines.insert(lines.begin() + first, std::make_move_iterator(changed.begin()),
                         std::make_move_iterator(changed.end()));
            if (lines.size() == 1 && lines.front().empty()) {
                lines.clear();
            }
        });
}

void Bind(QComboBox* widget, ChoiceControl& control)
{
    QObject::connect(widget, &QComboBox::currentTextChanged, widget,
                     [&control](const QString& text) { control.text = FromQt(text); });
}

void Bind(QSpinBox* widget, SpinControl& control)
{
    QObject::connect(widget, &QSpinBox::valueChanged, widget,
                     [&control](int value) { control.value = value; });
}

void Bind(QAbstractButton* widget, CheckControl& control)
{
    QObject::connect(widget, &QAbstractButton::toggled, widget,
                     [&control](bool checked) { control.checked = checked; });
}

}  // namespace quillmark
