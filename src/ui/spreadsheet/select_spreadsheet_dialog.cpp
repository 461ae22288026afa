#include "ui/spreadsheet/select_spreadsheet_dialog.h"

#include "forms/spreadsheet/select_spreadsheet_form.h"
#include "ui/form_buttons.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quillmark {

SelectSpreadsheetDialog::SelectSpreadsheetDialog(TSelectSpreadsheetForm& form, QWidget* parent)
    : FormDialog(parent), form_(form)
{
    setObjectName("SelectSpreadsheetForm");
    setWindowTitle(ToQt(form.Caption));

    fields_ = new QListWidget(this);
    fields_->setObjectName("Fields");
    fields_->setMinimumSize(220, 260);
    add_ = FormButton("AddBtn", form.AddBtn, this, ButtonKind::InDialog);
    remove_ = FormButton("RemoveBtn", form.RemoveBtn, this, ButtonKind::InDialog);
    up_ = FormButton("UpBtn", form.UpBtn, this, ButtonKind::InDialog);
    down_ = FormButton("DownBtn", form.DownBtn, this, ButtonKind::InDialog);
    QPushButton* ok = FormButton("OKBtn", form.OKBtn, this, ButtonKind::InDialog);
    ok->setDefault(true);
    QPushButton* cancel = FormButton("CancelBtn", form.CancelBtn, this, ButtonKind::InDialog);

    connect(fields_, &QListWidget::currentRowChanged, this, [this](int row) {
        form_.ItemIndex = row;
        Render();
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        if (const auto entry = PopUpAtPointer(this, QStringLiteral("FieldMenu"), form_.FieldMenu,
                                              QStringLiteral("Field"))) {
            Handle([this, entry] { form_.FieldMenuClick(static_cast<int>(*entry)); });
        }
    });
    connect(remove_, &QPushButton::clicked, this,
            [this] { Handle([this] { form_.RemoveBtnClick(); }); });
    connect(up_, &QPushButton::clicked, this, [this] { Handle([this] { form_.UpBtnClick(); }); });
    connect(down_, &QPushButton::clicked, this,
            [this] { Handle([this] { form_.DownBtnClick(); }); });
    connect(ok, &QPushButton::clicked, this, [this] {
        form_.OKBtnClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        form_.CancelBtnClick();
        reject();
    });
    // Escape and the title bar's button close it as "Cancel" does.
    connect(this, &QDialog::rejected, this, [this] { form_.Closed = true; });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, remove_, up_, down_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* list = new QVBoxLayout;
    auto* label = new QLabel(ToQt(form.FieldsLabel.caption), this);
    LabelFor(label, fields_);
    list->addWidget(label);
    list->addWidget(fields_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);
    Render();
}

void SelectSpreadsheetDialog::Render()
{
    const QSignalBlocker blocker(fields_);
    const auto count = static_cast<int>(form_.Fields.size());
    while (fields_->count() > count) {
        delete fields_->takeItem(fields_->count() - 1);
    }
    for (int line = 0; line < count; ++line) {
        const QString title = ToQt(form_.Fields[static_cast<std::size_t>(line)].title);
        if (line >= fields_->count()) {
            fields_->addItem(title);
        } else if (fields_->item(line)->text() != title) {
            fields_->item(line)->setText(title);
        }
    }
    fields_->setCurrentRow(form_.ItemIndex);
    quillmark::Render(remove_, form_.RemoveBtn);
    quillmark::Render(up_, form_.UpBtn);
    quillmark::Render(down_, form_.DownBtn);
}

}  // namespace quillmark
