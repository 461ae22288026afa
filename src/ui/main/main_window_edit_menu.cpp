// Edit > Undo and Edit > Redo of the main window; the form names them after their steps.

#include "ui/main/main_window.h"

#include "forms/main/view_form.h"
#include "ui/text.h"
#include "ui/undo_shortcuts.h"

#include <QAction>
#include <QKeySequence>

namespace quillmark {

void MainWindow::BuildEditHistory()
{
    PassSpentTextUndoToWindows();
    ViewActions& a = view_.Actions;
    QAction* redo = actions_.at(&a.Redo);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(actions_.at(&a.Undo), &QAction::triggered, this,
            [this] { Handle([this] { view_.Undo1Click(); }); });
    connect(redo, &QAction::triggered, this, [this] { Handle([this] { view_.Redo1Click(); }); });
}

void MainWindow::RenderEditHistory()
{
    ViewActions& a = view_.Actions;
    for (const ActionControl* control : {&a.Undo, &a.Redo}) {
        // A record's name may hold "&", which would otherwise mark a key.
        QString caption = ToQt(control->caption);
        caption.replace(u'&', QStringLiteral("&&"));
        actions_.at(control)->setText(caption);
    }
}

}  // namespace quillmark
