#include "ui/main/pick_list_dialog.h"

#include "forms/main/pick_list_form.h"
#include "ui/form_buttons.h"
#include "ui/text.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark {

PickListDialog::PickListDialog(TPickListForm& form, QWidget* parent) : QDialog(parent)
{
    setObjectName("PickRelated");
    setWindowTitle(ToQt(form.Caption));

    auto* list = new QListWidget(this);
    list->setObjectName("PickList");
    list->setAccessibleName(ToQt(form.ItemsName));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const TPickListForm::Entry& entry : form.Items) {
        list->addItem(ToQt(entry.name));
    }
    list->setCurrentRow(form.ItemIndex);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* display =
        AddFormButton(buttons, "DisplayBtn", form.DisplayBtn, QDialogButtonBox::AcceptRole);
    display->setDefault(true);
    QPushButton* close =
        AddFormButton(buttons, "CloseBtn", form.CloseBtn, QDialogButtonBox::RejectRole);

    // Only a selected entry counts: the current row alone may be left over from the keyboard.
    auto selectedRow = [list] {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    };
    auto pick = [this, &form, selectedRow] {
        form.ItemIndex = selectedRow();
        form.DisplayBtnClick();
        if (form.Closed) {
            accept();
        }
    };
    connect(display, &QPushButton::clicked, this, pick);
    connect(list, &QListWidget::itemDoubleClicked, this, pick);
    connect(close, &QPushButton::clicked, this, [this, &form] {
        form.CloseBtnClick();
        reject();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(360, 300);
}

}  // namespace quillmark
