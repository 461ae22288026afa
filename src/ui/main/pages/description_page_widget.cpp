#include "ui/main/pages/description_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/main/pages/page_scroll_area.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QLabel* Caption(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

// A value box too narrow for its value shows how the value begins: when Tab selects the whole
// value, the caret goes to the start, and there it stays when the focus moves on. (A description
// box's hint, its tool tip, holds the whole value.)
class ValueBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QLineEdit::focusInEvent(event);
        if (hasSelectedText() && selectedText() == text()) {
            setSelection(static_cast<int>(text().size()), -static_cast<int>(text().size()));
        }
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QLineEdit::focusOutEvent(event);
        if (!hasSelectedText()) {
            setCursorPosition(0);
        }
    }
};

QLineEdit* Box(const QString& name, QWidget* parent)
{
    auto* box = new ValueBox(parent);
    box->setObjectName(name);
    return box;
}

// A panel that scrolls when the window is made too small for its rows.
QWidget* Scrolled(QWidget* panel)
{
    auto* scroll = new PageScrollArea(panel);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

}  // namespace

DescriptionPageWidget::DescriptionPageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    DescriptionPage& page = view_.Description;
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("Splitter1");
    splitter->setChildrenCollapsible(false);

    auto* left = new QWidget;
    auto* leftGrid = new QGridLayout(left);
    leftGrid->setVerticalSpacing(3);
    int row = 0;
    for (int field = 1; field <= 10; ++field, ++row) {
        descCaptions_[field - 1] =
            Caption(QString::fromStdString(DescriptionPage::DescCaptionName(field)), left);
        descBoxes_[field - 1] =
            Box(QString::fromStdString(DescriptionPage::DescBoxName(field)), left);
        LabelFor(descCaptions_[field - 1], descBoxes_[field - 1]);
        leftGrid->addWidget(descCaptions_[field - 1], row, 0);
        leftGrid->addWidget(descBoxes_[field - 1], row, 1);
    }
    for (int field = 1; field <= 3; ++field, ++row) {
        otherCaptions_[field - 1] = Caption(QStringLiteral("OtherC%1").arg(field), left);
        others_[field - 1] = Box(QStringLiteral("Other%1").arg(field), left);
        LabelFor(otherCaptions_[field - 1], others_[field - 1]);
        leftGrid->addWidget(otherCaptions_[field - 1], row, 0);
        leftGrid->addWidget(others_[field - 1], row, 1);
    }
    leftGrid->setRowStretch(row, 1);

    auto* right = new QWidget;
    auto* rightGrid = new QGridLayout(right);
    rightGrid->setVerticalSpacing(3);
    row = 0;
    for (int i = 0; i < 10; ++i, ++row) {
        detailCaptions_[i] = Caption(QStringLiteral("sn%1").arg(i), right);
        details_[i] = Box(QStringLiteral("Detail%1").arg(i), right);
        LabelFor(detailCaptions_[i], details_[i]);
        rightGrid->addWidget(detailCaptions_[i], row, 0);
        rightGrid->addWidget(details_[i], row, 1);
    }
    statusCaption_ = Caption(QStringLiteral("boxname"), right);
    auto* statusRow = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        statusBoxes_[i] = new QCheckBox(right);
        statusBoxes_[i]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        statusRow->addWidget(statusBoxes_[i]);
    }
    rightGrid->addWidget(statusCaption_, row, 0, Qt::AlignTop);
    rightGrid->addLayout(statusRow, row++, 1);
    for (int field = 4; field <= OtherFieldCount; ++field, ++row) {
        otherCaptions_[field - 1] = Caption(QStringLiteral("OtherC%1").arg(field), right);
        others_[field - 1] = Box(QStringLiteral("Other%1").arg(field), right);
        LabelFor(otherCaptions_[field - 1], others_[field - 1]);
        rightGrid->addWidget(otherCaptions_[field - 1], row, 0);
        rightGrid->addWidget(others_[field - 1], row, 1);
    }
    rightGrid->setRowStretch(row, 1);

    splitter->addWidget(Scrolled(left));
    splitter->addWidget(Scrolled(right));
    splitter->setSizes({1, 1});  // two equal halves to begin with
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    for (int field = 1; field <= 10; ++field) {
        Shown(descCaptions_[field - 1], page.DescCaptions[field]);
        Shown(descBoxes_[field - 1], page.DescBoxes[field]);  // picked, never typed
    }
    for (std::size_t i = 0; i < details_.size(); ++i) {
        Shown(detailCaptions_[i], page.DetailCaptions[i]);
        Tied(details_[i], page.Detail[i]);
    }
    for (int field = 1; field <= OtherFieldCount; ++field) {
        Shown(otherCaptions_[field - 1], page.OtherCaptions[field]);
        Tied(others_[field - 1], page.Other[field]);
    }
    Shown(statusCaption_, page.boxname);
    Tied(statusBoxes_[0], page.CheckBox1);
    Tied(statusBoxes_[1], page.CheckBox2);
    Tied(statusBoxes_[2], page.CheckBox3);

    for (QWidget* clickable : descCaptions_) {
        clickable->installEventFilter(this);
    }
    for (QWidget* clickable : detailCaptions_) {
        clickable->installEventFilter(this);
    }
    for (QWidget* clickable : otherCaptions_) {
        clickable->installEventFilter(this);
    }
    for (QWidget* clickable : descBoxes_) {
        clickable->installEventFilter(this);
    }
    for (QWidget* clickable : details_) {
        clickable->installEventFilter(this);
    }
    for (QWidget* clickable : others_) {
        clickable->installEventFilter(this);
    }
}

bool DescriptionPageWidget::eventFilter(QObject* watched, QEvent* event)
{
    // From the keyboard a value box opens its menu as a drop-down list does.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opens = key->key() == Qt::Key_Space || key->key() == Qt::Key_F4 ||
                           (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier);
        for (int field = 1; field <= 10 && opens; ++field) {
            if (watched == descBoxes_[static_cast<std::size_t>(field - 1)]) {
                PopUpDescriptionMenu(field);
                return true;
            }
        }
    }
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return PageWidget::eventFilter(watched, event);
    }
    const std::string name = watched->objectName().toStdString();
    if (qobject_cast<QLabel*>(watched) != nullptr) {
        Handle([this, name] { view_.CustomizeLabels(name); });
        return true;
    }
    for (int field = 1; field <= 10; ++field) {
        if (watched == descBoxes_[static_cast<std::size_t>(field - 1)]) {
            PopUpDescriptionMenu(field);
            return true;
        }
    }
    // A detail or other box: a date field opens the calendar just off the pointer.
    const QPoint pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    Handle([this, name, pointer] { view_.DetailClick(name, pointer.x(), pointer.y()); });
    return PageWidget::eventFilter(watched, event);
}

void DescriptionPageWidget::PopUpDescriptionMenu(int field)
{
    if (!view_.DescBoxClick(field)) {
        return;
    }
    QLineEdit* box = descBoxes_[static_cast<std::size_t>(field - 1)];
    QMenu* menu =
        BuildPopupMenu(view_.DescMenus[field], this, [this, field](const std::vector<int>& path) {
            Handle([this, field, path] { view_.DescMenuClick(field, path); });
        });
    menu->setObjectName(QStringLiteral("DescMenu%1").arg(field));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Its top-left corner at the middle of the box's lower edge.
    menu->popup(box->mapToGlobal(QPoint(box->width() / 2, box->height())));
}

void DescriptionPageWidget::Render()
{
    RenderControls();
}

}  // namespace quillmark
