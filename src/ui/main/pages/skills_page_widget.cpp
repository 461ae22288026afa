#include "ui/main/pages/skills_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillmark {

namespace {

void SetText(QTreeWidgetItem* item, int column, const std::string& text)
{
    const QString shown = ToQt(text);
    if (item->text(column) != shown) {
        item->setText(column, shown);
    }
}

}  // namespace

SkillsPageWidget::SkillsPageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    list_ = new QTreeWidget(this);
    list_->setObjectName("ItemList");
    list_->setAccessibleName(ToQt(TView::PageCaptions[TView::SkillsTab]));
    list_->setColumnCount(3);
    for (int column = 0; column < 3; ++column) {
        list_->headerItem()->setText(column, ToQt(SkillsPage::Columns[column]));
        list_->setColumnWidth(column, SkillsPage::ColumnWidths[column]);
    }
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Grid lines between the cells, as in a report-style list.
    // Styling the items takes their selection colours away, so those are given back too.
    list_->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid palette(midlight);"
                       " border-bottom: 1px solid palette(midlight); }"
                       "QTreeView::item:selected { background: palette(highlight);"
                       " color: palette(highlighted-text); }"));
    for (int row = 0; row < SkillSet::Count; ++row) {
        auto* item = new QTreeWidgetItem(list_);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    editButton_ = FormButton("EditSkillBtn", view_.Skills.EditSkillBtn, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(editButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    // Only a selected row counts: the current item alone may be left over from the keyboard,
    // with nothing shown as selected.
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        view_.Skills.SelectedRow =
            selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.back());
    });
    // A click on a check mark goes to the form, which decides what the mark shows.
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = list_->indexOfTopLevelItem(item);
        const auto& rows = view_.Skills.ItemList;
        if (column != 0 || row < 0 || row >= static_cast<int>(rows.size()) ||
            (item->checkState(0) == Qt::Checked) == rows[static_cast<std::size_t>(row)].checked) {
            return;
        }
        Handle([this, row] { view_.Skills.ItemListCheckClick(row); });
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this] { Handle([this] { view_.ItemListDblClick(); }); });
    connect(editButton_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.EditSkillBtnClick(); }); });
}

void SkillsPageWidget::Render()
{
    const SkillsPage& page = view_.Skills;
    const QSignalBlocker blocker(list_);
    for (int row = 0;
         row < list_->topLevelItemCount() && row < static_cast<int>(page.ItemList.size()); ++row) {
        const SkillRow& skill = page.ItemList[static_cast<std::size_t>(row)];
        QTreeWidgetItem* item = list_->topLevelItem(row);
        SetText(item, 0, skill.caption);
        SetText(item, 1, skill.proficiency);
        SetText(item, 2, skill.notes);
        const Qt::CheckState state = skill.checked ? Qt::Checked : Qt::Unchecked;
        if (item->checkState(0) != state) {
            item->setCheckState(0, state);
        }
        const Qt::ItemFlags flags = page.checksLocked ? item->flags() & ~Qt::ItemIsUserCheckable
                                                      : item->flags() | Qt::ItemIsUserCheckable;
        if (item->flags() != flags) {
            item->setFlags(flags);
        }
    }
    quillmark::Render(editButton_, page.EditSkillBtn);

    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    const int shown = selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.back());
    if (shown != page.SelectedRow) {
        list_->clearSelection();
        if (QTreeWidgetItem* item = list_->topLevelItem(page.SelectedRow)) {
            item->setSelected(true);
        }
    }
}

}  // namespace quillmark
