#include "ui/categories/add_description_dialog.h"

#include "forms/categories/add_description_form.h"
#include "ui/form_buttons.h"
#include "ui/icons.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillmark {

namespace {

TAddDescription::TreePath PathOf(const QTreeWidgetItem* item)
{
    TAddDescription::TreePath path;
    while (item != nullptr) {
        const QTreeWidgetItem* parent = item->parent();
        path.insert(path.begin(), parent != nullptr
                                      ? parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))
                                      : item->treeWidget()->indexOfTopLevelItem(
                                            const_cast<QTreeWidgetItem*>(item)));
        item = parent;
    }
    return path;
}

void AddItems(QTreeWidgetItem* parent, const std::vector<CategoryNode>& categories)
{
    for (const CategoryNode& category : categories) {
        auto* item = new QTreeWidgetItem(parent, QStringList(ToQt(category.Text)));
        AddItems(item, category.Children);
    }
}

}  // namespace

// The tree: a category is dragged only onto one of the same depth, and the form moves it.
class CategoryTreeWidget : public QTreeWidget {
public:
    CategoryTreeWidget(TAddDescription& form,
                       std::function<void(const std::function<void()>&)> handle)
        : form_(form), handle_(std::move(handle))
    {
        setHeaderHidden(true);
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(true);
        setDragDropMode(QAbstractItemView::InternalMove);
    }

protected:
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        const QTreeWidgetItem* target = itemAt(event->position().toPoint());
        if (target != nullptr && currentItem() != nullptr &&
            form_.DescriptionListDragOver(PathOf(currentItem()), PathOf(target))) {
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
    }

    void dropEvent(QDropEvent* event) override
    {
        const QTreeWidgetItem* target = itemAt(event->position().toPoint());
        const QTreeWidgetItem* dragged = currentItem();
        // The form moves the category; the tree is then redrawn from it.
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        if (target == nullptr || dragged == nullptr) {
            return;
        }
        const auto from = PathOf(dragged);
        const auto onto = PathOf(target);
        handle_([this, from, onto] { form_.DescriptionListDragDrop(from, onto); });
    }

private:
    TAddDescription& form_;
    std::function<void(const std::function<void()>&)> handle_;
};

AddDescriptionDialog::AddDescriptionDialog(TAddDescription& form, QWidget* parent)
    : FormDialog(parent), form_(form)
{
    setObjectName("AddDescription");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    tree_ = new CategoryTreeWidget(
        form_, [this](const std::function<void()>& handler) { Handle(handler); });
    tree_->setObjectName("DescriptionList");
    tree_->setAccessibleName(ToQt(form_.DescriptionListName));

    auto* nameLabel = new QLabel(ToQt(form_.AddTextLabel.caption), this);
    addText_ = new QLineEdit(this);
    addText_->setObjectName("AddText");
    nameLabel->setBuddy(addText_);
    auto* help = new QToolButton(this);
    help->setObjectName("HelpBtn");
    help->setText(QStringLiteral("?"));
    help->setAccessibleName(ToQt(form_.HelpBtnName));
    help->setIcon(ToolIcon(QStringLiteral("help-contents")));

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(addText_, 1);
    nameRow->addWidget(help);

    auto* buttons = new QGridLayout;
    const std::vector<std::pair<ButtonControl*, void (TAddDescription::*)()>> commands = {
        {&form_.InsertBtn, &TAddDescription::InsertBtnClick},
        {&form_.RemoveBtn, &TAddDescription::RemoveBtnClick},
        {&form_.AddChildBtn, &TAddDescription::AddChildBtnClick},
        {&form_.RenameBtn, &TAddDescription::RenameBtnClick},
        {&form_.SortChildrenBtn, &TAddDescription::SortChildrenBtnClick},
        {&form_.SortEverythingBtn, &TAddDescription::SortEverythingBtnClick},
        {&form_.MakeDefaultBtn, &TAddDescription::MakeDefaultBtnClick},
        {&form_.CloseBtn, &TAddDescription::CloseBtnClick},
    };
    const char* names[] = {"InsertBtn",       "RemoveBtn",         "AddChildBtn",    "RenameBtn",
                           "SortChildrenBtn", "SortEverythingBtn", "MakeDefaultBtn", "CloseBtn"};
    int index = 0;
    for (const auto& [control, handler] : commands) {
        QPushButton* button = FormButton(names[index], *control, this, ButtonKind::InDialog);
        buttons->addWidget(button, index / 4, index % 4);
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Handle([this, handler] { (form_.*handler)(); }); });
        ++index;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);

    connect(addText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.AddText.text = FromQt(text); });
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                form_.Selected = current != nullptr ? PathOf(current) : TAddDescription::TreePath{};
            });
    connect(help, &QToolButton::clicked, this,
            [this] { Handle([this] { form_.HelpBtnClick(); }); });

    FollowFormSize(form_.Width, form_.Height);
}

void AddDescriptionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate();
}

void AddDescriptionDialog::done(int result)
{
    Deactivate();
    QDialog::done(result);
}

void AddDescriptionDialog::Activated()
{
    form_.FormActivate();
    addText_->setFocus();
}

void AddDescriptionDialog::Deactivated()
{
    form_.FormDeactivate();
}

bool AddDescriptionDialog::FormClosed() const
{
    return form_.Closed;
}

void AddDescriptionDialog::Render()
{
    const QString caption = ToQt(form_.Caption);
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
    quillmark::Render(addText_, form_.AddText);
    if (shownTreeVersion_ != form_.TreeVersion) {
        RedrawTree();
    }
}

void AddDescriptionDialog::RedrawTree()
{
    shownTreeVersion_ = form_.TreeVersion;
    const QSignalBlocker blocker(tree_);
    tree_->clear();
    for (const CategoryNode& category : form_.DescriptionList) {
        auto* item = new QTreeWidgetItem(tree_, QStringList(ToQt(category.Text)));
        AddItems(item, category.Children);
    }
    tree_->expandAll();
    QTreeWidgetItem* selected = nullptr;
    for (const int index : form_.Selected) {
        selected = selected == nullptr ? tree_->topLevelItem(index) : selected->child(index);
        if (selected == nullptr) {
            break;
        }
    }
    tree_->setCurrentItem(selected);
    if (selected == nullptr) {
        form_.Selected.clear();
    }
}

}  // namespace quillmark
