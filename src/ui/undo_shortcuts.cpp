#include "ui/undo_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace quillmark {

void AddUndoShortcuts(QWidget* window, const std::function<void()>& undo,
                      const std::function<void()>& redo)
{
    auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window);
    undoKey->setObjectName(QStringLiteral("UndoShortcut"));
    QObject::connect(undoKey, &QShortcut::activated, window, undo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        auto* redoKey = new QShortcut(keys, window);
        QObject::connect(redoKey, &QShortcut::activated, window, redo);
    }
}

}  // namespace quillmark
