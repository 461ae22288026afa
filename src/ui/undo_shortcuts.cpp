#include "ui/undo_shortcuts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcut>
#include <QTextEdit>
#include <QWidget>

namespace quillmark {

namespace {

bool IsRedoKey(const QKeyEvent& key)
{
    const QKeyCombination pressed = key.keyCombination();
    return key.matches(QKeySequence::Redo) ||
           pressed == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
           pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// Whether the box has nothing of its own left to take back (or do again).
bool TypingSpent(QObject* box, bool redo)
{
    if (const auto* line = qobject_cast<QLineEdit*>(box)) {
        return redo ? !line->isRedoAvailable() : !line->isUndoAvailable();
    }
    const QTextDocument* document = nullptr;
    if (const auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        document = plain->document();
    } else if (const auto* rich = qobject_cast<QTextEdit*>(box)) {
        document = rich->document();
    }
    if (document == nullptr) {
        return false;
    }
    return redo ? !document->isRedoAvailable() : !document->isUndoAvailable();
}

bool InsideGrid(const QWidget* widget)
{
    for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(up) != nullptr) {
            return true;
        }
    }
    return false;
}

class SpentTextUndoFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) {
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const bool redo = IsRedoKey(key);
        if (!redo && !key.matches(QKeySequence::Undo)) {
            return false;
        }
        if (InsideGrid(static_cast<QWidget*>(watched)) || !TypingSpent(watched, redo)) {
            return false;
        }
        // Not claimed by the box: the window's shortcut takes the key.
        event->ignore();
        return true;
    }
};

}  // namespace

void AddUndoShortcuts(QWidget* window, const std::function<void()>& undo,
                      const std::function<void()>& redo)
{
    PassSpentTextUndoToWindows();
    auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window);
    undoKey->setObjectName(QStringLiteral("UndoShortcut"));
    QObject::connect(undoKey, &QShortcut::activated, window, undo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        auto* redoKey = new QShortcut(keys, window);
        QObject::connect(redoKey, &QShortcut::activated, window, redo);
    }
}

void PassSpentTextUndoToWindows()
{
    // One filter for the application, whatever windows ask for it; a test's new application
    // gets its own.
    static QPointer<SpentTextUndoFilter> installed;
    if (installed.isNull() || installed->parent() != qApp) {
        installed = new SpentTextUndoFilter(qApp);
        qApp->installEventFilter(installed);
    }
}

}  // namespace quillmark
