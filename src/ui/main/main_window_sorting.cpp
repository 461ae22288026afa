// The main window's sorting: the "Sort Records" submenu follows the form's entries, the
// "Sort Records" tool button pops up the same entries at the pointer.

#include "forms/main/view_form.h"
#include "ui/main/main_window.h"
#include "ui/popup_menu.h"
#include "ui/text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quillmark {

namespace {

QString SortEntryName(std::size_t index)
{
    return QStringLiteral("SortBy") + QString::number(index + 1);
}

}  // namespace

void MainWindow::BuildSorting()
{
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        if (menu->title() == ToQt("Sort Records")) {
            sortRecordsMenu_ = menu;
            menu->setObjectName("SortSelect");
        }
    }
    ViewActions& a = view_.Actions;
    connect(actions_.at(&a.Ascending), &QAction::triggered, this,
            [this] { Handle([this] { view_.AscendingClick(); }); });
    connect(actions_.at(&a.Descending), &QAction::triggered, this,
            [this] { Handle([this] { view_.DescendingClick(); }); });
    connect(actions_.at(&a.SortRecords), &QAction::triggered, this, [this] {
        Handle([this] { view_.SortRecordBtnClick(); });
        if (const auto chosen = PopUpAtPointer(this, QStringLiteral("SortMenu"), view_.SortMenu,
                                               QStringLiteral("SortBy"))) {
            const int entry = static_cast<int>(*chosen) + 1;
            Handle([this, entry] { view_.SortSelectClick(entry); });
        }
    });
}

void MainWindow::RenderSorting()
{
    if (sortRecordsMenu_ == nullptr) {
        return;
    }
    std::vector<std::string> captions;
    for (const MenuItemControl& entry : view_.SortSelect) {
        captions.push_back(entry.caption);
    }
    if (captions == sortCaptions_) {
        return;
    }
    sortCaptions_ = captions;
    // An entry may be the one whose click is being handled: it goes once that is done.
    for (QAction* old : sortRecordsMenu_->actions()) {
        sortRecordsMenu_->removeAction(old);
        old->deleteLater();
    }
    for (std::size_t i = 0; i < view_.SortSelect.size(); ++i) {
        QAction* action = sortRecordsMenu_->addAction(ToQt(view_.SortSelect[i].caption));
        action->setObjectName(SortEntryName(i));
        action->setEnabled(view_.SortSelect[i].enabled);
        const int entry = static_cast<int>(i + 1);
        connect(action, &QAction::triggered, this,
                [this, entry] { Handle([this, entry] { view_.SortSelectClick(entry); }); });
    }
    sortRecordsMenu_->setEnabled(!view_.SortSelect.empty());
}

}  // namespace quillmark
