#include "ui/main/recent_files_menu.h"

#include "forms/main/view_form.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QAction>
#include <QMenu>

namespace quillmark {

QMenu* AddRecentFilesMenu(QAction* before, TView& view,
                          const std::function<void(const std::function<void()>&)>& handle)
{
    QMenu* file = nullptr;
    for (QObject* holder : before->associatedObjects()) {
        if ((file = qobject_cast<QMenu*>(holder)) != nullptr) {
            break;
        }
    }
    Q_ASSERT(file != nullptr);
    auto* recent = new QMenu(ToQt(view.Recent.Caption), file);
    recent->setObjectName("RecentFiles");
    recent->setToolTipsVisible(true);
    file->insertMenu(before, recent);

    QObject::connect(recent, &QMenu::aboutToShow, recent, [recent, &view, handle] {
        handle([&view] { view.Recent.RecentFilesPopup(); });
        recent->clear();
        int entry = 0;
        for (const RecentFiles::Entry& shown : view.Recent.Entries) {
            // File names are spelled as the system spells them; "&" would mark a key.
            QString caption = QString::fromStdString(shown.caption);
            caption.replace(u'&', QStringLiteral("&&"));
            QAction* action = recent->addAction(caption);
            action->setObjectName(QStringLiteral("RecentFile%1").arg(entry + 1));
            action->setToolTip(QString::fromStdString(shown.hint));
            action->setStatusTip(QString::fromStdString(shown.hint));
            action->setEnabled(shown.enabled);
            QObject::connect(action, &QAction::triggered, recent, [&view, handle, entry] {
                handle([&view, entry] { view.RecentFileClick(entry); });
            });
            ++entry;
        }
        recent->addSeparator();
        const ActionControl& clear = view.Recent.ClearRecentFiles;
        QAction* clearAction = recent->addAction(ToQt(clear.caption));
        clearAction->setObjectName(ToQt(clear.menuName));
        Render(clearAction, clear);
        QObject::connect(clearAction, &QAction::triggered, recent, [&view, handle] {
            handle([&view] { view.Recent.ClearRecentFilesClick(); });
        });
    });
    return recent;
}

}  // namespace quillmark
