#include "ui/utilities/about_window.h"

#include "forms/utilities/about_form.h"
#include "ui/text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillmark {

void ShowAboutBox(QWidget* parent)
{
    QDialog about(parent);
    about.setObjectName("AboutBox");
    about.setWindowTitle(ToQt(AboutBox::Caption));

    auto* name = new QLabel(ToQt(AboutBox::ProductName), &about);
    name->setObjectName("ProductName");
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    name->setMinimumWidth(name->sizeHint().width() * 2);

    auto* version = new QLabel(ToQt(AboutBox::Version), &about);
    version->setObjectName("Version");
    version->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(&about);
    QPushButton* close =
        buttons->addButton(ToQt(AboutBox::CloseButton), QDialogButtonBox::AcceptRole);
    close->setObjectName("CloseBtn");
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    buttons->setCenterButtons(true);

    auto* layout = new QVBoxLayout(&about);
    layout->setContentsMargins(36, 24, 36, 16);
    layout->setSpacing(8);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    about.exec();
}

}  // namespace quillmark
