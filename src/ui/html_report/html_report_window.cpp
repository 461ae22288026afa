#include "ui/html_report/html_report_window.h"

#include "forms/html_report/html_report_form.h"
#include "forms/workspace.h"
#include "ui/form_buttons.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QPlainTextEdit* HtmlBox(const char* name, QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    return box;
}

}  // namespace

HtmlReportWindow::HtmlReportWindow(Workspace& workspace, QWidget* parent)
    : FormWindow(parent), report_(std::make_unique<THTMLReport>(workspace))
{
    setObjectName("HTMLReport");
    setCentralWidget(BuildPanel());
    BuildToolBar();
    resize(report_->Width, report_->Height);
    Render();
}

HtmlReportWindow::~HtmlReportWindow() = default;

QWidget* HtmlReportWindow::BuildPanel()
{
    auto* panel = new QWidget(this);
    fieldsLabel_ = new QLabel(panel);
    fields_ = new QListWidget(panel);
    fields_->setObjectName("Fields");
    add_ = FormButton("AddBtn", report_->AddBtn, panel);
    remove_ = FormButton("RemoveBtn", report_->RemoveBtn, panel);
    moveUp_ = FormButton("MoveUpBtn", report_->MoveUpBtn, panel);
    moveDown_ = FormButton("MoveDownBtn", report_->MoveDownBtn, panel);
    searchListOnly_ = new QCheckBox(panel);
    searchListOnly_->setObjectName("SearchListOnly");
    headerLabel_ = new QLabel(panel);
    header_ = HtmlBox("HeaderHTML", panel);
    loadHeader_ = FormButton("LoadHeaderBtn", report_->LoadHeaderBtn, panel);
    footerLabel_ = new QLabel(panel);
    footer_ = HtmlBox("FooterHTML", panel);
    loadFooter_ = FormButton("LoadFooterBtn", report_->LoadFooterBtn, panel);
    view_ = FormButton("ViewBtn", report_->ViewBtn, panel);
    saveHtml_ = FormButton("SaveHTMLBtn", report_->SaveHTMLBtn, panel);
    fieldsLabel_->setBuddy(fields_);
    headerLabel_->setBuddy(header_);
    footerLabel_->setBuddy(footer_);

    auto* itemButtons = new QVBoxLayout;
    for (QPushButton* button : {add_, remove_, moveUp_, moveDown_}) {
        itemButtons->addWidget(button);
    }
    itemButtons->addStretch();
    auto* reportButtons = new QHBoxLayout;
    reportButtons->addStretch();
    reportButtons->addWidget(view_);
    reportButtons->addWidget(saveHtml_);

    auto* layout = new QGridLayout(panel);
    layout->addWidget(fieldsLabel_, 0, 0);
    layout->addWidget(fields_, 1, 0, 4, 1);
    layout->addLayout(itemButtons, 1, 1, 4, 1);
    layout->addWidget(searchListOnly_, 5, 0, 1, 2);
    layout->addWidget(headerLabel_, 0, 2);
    layout->addWidget(header_, 1, 2);
    layout->addWidget(loadHeader_, 2, 2, Qt::AlignLeft);
    layout->addWidget(footerLabel_, 3, 2);
    layout->addWidget(footer_, 4, 2);
    layout->addWidget(loadFooter_, 5, 2, Qt::AlignLeft);
    layout->addLayout(reportButtons, 6, 0, 1, 3);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(2, 3);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(4, 1);

    Bind(searchListOnly_, report_->SearchListOnly);
    Bind(header_, report_->HeaderHTML);
    Bind(footer_, report_->FooterHTML);
    connect(fields_, &QListWidget::currentRowChanged, this,
            [this](int row) { report_->FieldsClick(row); });
    connect(add_, &QPushButton::clicked, this, [this] {
        if (const auto entry = PopUpAtPointer(this, QStringLiteral("ItemMenu"), report_->ItemMenu,
                                              QStringLiteral("ItemMenu"))) {
            Handle([this, entry] { report_->ItemMenuClick(static_cast<int>(*entry)); });
        }
    });
    const std::vector<std::pair<QPushButton*, std::function<void()>>> handlers = {
        {remove_, [this] { report_->RemoveBtnClick(); }},
        {moveUp_, [this] { report_->MoveUpBtnClick(); }},
        {moveDown_, [this] { report_->MoveDownBtnClick(); }},
        {loadHeader_, [this] { report_->LoadHeaderBtnClick(); }},
        {loadFooter_, [this] { report_->LoadFooterBtnClick(); }},
        {view_, [this] { report_->ViewBtnClick(); }},
        {saveHtml_, [this] { report_->SaveHTMLBtnClick(); }},
    };
    for (const auto& [button, handler] : handlers) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Handle(handler); });
    }
    return panel;
}

void HtmlReportWindow::BuildToolBar()
{
    auto handle = [this](const std::function<void()>& handler) { Handle(handler); };
    actions_ = BuildViewToolBar(this, report_->Actions, handle);
    // The window's own buttons come first, then those every view window has.
    auto* toolBar = findChild<QToolBar*>(QStringLiteral("ViewToolBar"));
    QAction* first = toolBar->actions().value(0);
    for (ActionControl* control : report_->ToolBar()) {
        auto* action = new QAction(ToolIcon(ToQt(control->icon)), ToQt(control->hint), this);
        action->setObjectName(ToQt(control->buttonName));
        action->setStatusTip(ToQt(control->hint));
        if (!control->shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQt(control->shortcut)));
        }
        toolBar->insertAction(first, action);
        if (QWidget* button = toolBar->widgetForAction(action)) {
            button->setObjectName(ToQt(control->buttonName));
        }
        actions_[control] = action;
    }
    toolBar->insertSeparator(first);

    THTMLReport& r = *report_;
    const std::vector<std::pair<ActionControl*, std::function<void()>>> handlers = {
        {&r.LoadFormatBtn, [&r] { r.LoadFormatBtnClick(); }},
        {&r.SaveFormatBtn, [&r] { r.SaveFormatBtnClick(); }},
        {&r.ClearBtn, [&r] { r.ClearBtnClick(); }},
        {&r.FontBtn, [&r] { r.FontBtnClick(); }},
        {&r.ColorBtn, [&r] { r.ColorBtnClick(); }},
        {&r.Actions.PrintScreenTBtn, [&r] { r.PrintScreenTBtnClick(); }},
    };
    for (const auto& [control, handler] : handlers) {
        connect(actions_.at(control), &QAction::triggered, this,
                [this, handler] { Handle(handler); });
    }
    connect(actions_.at(&r.ppreview), &QAction::triggered, this, [this, toolBar] {
        Handle([this] { report_->ppreviewClick(); });
        QWidget* button = toolBar->widgetForAction(actions_.at(&report_->ppreview));
        if (const auto entry = PopUpBelow(button != nullptr ? button : this,
                                          QStringLiteral("PreviewMenu"), report_->PreviewMenu)) {
            Handle([this, entry] { report_->PreviewMenuClick(static_cast<int>(*entry)); });
        }
    });
}

void HtmlReportWindow::RenderFields()
{
    const QSignalBlocker blocker(fields_);
    const std::vector<HtmlReportItem>& items = report_->Fields;
    bool same = fields_->count() == static_cast<int>(items.size());
    for (int row = 0; same && row < fields_->count(); ++row) {
        same = fields_->item(row)->text() == ToQt(items[static_cast<std::size_t>(row)].title);
    }
    if (!same) {
        fields_->clear();
        for (const HtmlReportItem& item : items) {
            fields_->addItem(ToQt(item.title));
        }
    }
    if (fields_->currentRow() != report_->FieldsIndex) {
        fields_->setCurrentRow(report_->FieldsIndex);
    }
}

void HtmlReportWindow::Activated()
{
    report_->FormActivate();
}

void HtmlReportWindow::Render()
{
    setWindowTitle(ToQt(report_->Caption));
    quillmark::Render(fieldsLabel_, report_->FieldsLabel);
    quillmark::Render(headerLabel_, report_->HeaderLabel);
    quillmark::Render(footerLabel_, report_->FooterLabel);
    quillmark::Render(searchListOnly_, report_->SearchListOnly);
    quillmark::Render(header_, report_->HeaderHTML);
    quillmark::Render(footer_, report_->FooterHTML);
    quillmark::Render(add_, report_->AddBtn);
    quillmark::Render(remove_, report_->RemoveBtn);
    quillmark::Render(moveUp_, report_->MoveUpBtn);
    quillmark::Render(moveDown_, report_->MoveDownBtn);
    quillmark::Render(loadHeader_, report_->LoadHeaderBtn);
    quillmark::Render(loadFooter_, report_->LoadFooterBtn);
    quillmark::Render(view_, report_->ViewBtn);
    quillmark::Render(saveHtml_, report_->SaveHTMLBtn);
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    RenderFields();
}

}  // namespace quillmark
