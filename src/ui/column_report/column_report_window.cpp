#include "ui/column_report/column_report_window.h"

#include "engine/reports/report_format_file.h"
#include "forms/column_report/column_report_form.h"
#include "forms/workspace.h"
#include "ui/column_report/column_header.h"
#include "ui/form_buttons.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/preview/page_painter.h"
#include "ui/preview/qt_page_devices.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/undo_shortcuts.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillmark {

ColumnReportWindow::ColumnReportWindow(Workspace& workspace, QWidget* parent)
    : FormWindow(parent),
      devices_(std::make_unique<QtPageDevices>(this)),
      report_(std::make_unique<TPrintBox>(workspace, *devices_))
{
    setObjectName("PrintBox");
    // An import is done here, so it is taken back here too.
    AddUndoShortcuts(
        this, [this, &workspace] { Handle([&workspace] { workspace.Undo(); }); },
        [this, &workspace] { Handle([&workspace] { workspace.Redo(); }); });
    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildItems());
    splitter->addWidget(BuildSetup());
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    auto handle = [this](const std::function<void()>& handler) { Handle(handler); };
    actions_ = BuildViewToolBar(this, report_->Actions, handle);
    connect(actions_.at(&report_->Actions.PrintScreenTBtn), &QAction::triggered, this,
            [this] { Handle([this] { report_->PrintScreenTBtnClick(); }); });
    auto* toolBar = findChild<QToolBar*>(QStringLiteral("ViewToolBar"));
    QAction* first = toolBar->actions().value(0);
    const std::vector<std::pair<ActionControl*, std::function<void()>>> own = {
        {&report_->LoadFormatTBtn, [this] { report_->LoadFormatTBtnClick(); }},
        {&report_->SaveFormatTBtn, [this] { report_->SaveFormatTBtnClick(); }},
        {&report_->ModeTBtn, [this] { report_->ModeTBtnClick(); }},
        {&report_->ImportTBtn, [this] { report_->ImportTBtnClick(); }},
        {&report_->PreviewTBtn, [this] { report_->PreviewTBtnClick(); }},
    };
    for (const auto& [control, handler] : own) {
        auto* action = new QAction(ToolIcon(ToQt(control->icon)), ToQt(control->hint), this);
        action->setObjectName(ToQt(control->buttonName));
        action->setStatusTip(ToQt(control->hint));
        toolBar->insertAction(first, action);
        if (QWidget* button = toolBar->widgetForAction(action)) {
            button->setObjectName(ToQt(control->buttonName));
        }
        actions_[control] = action;
        connect(action, &QAction::triggered, this, [this, handler] { Handle(handler); });
    }
    toolBar->insertSeparator(first);

    FollowFormSize(report_->Width, report_->Height);
    Render();
}

ColumnReportWindow::~ColumnReportWindow() = default;

QWidget* ColumnReportWindow::BuildItems()
{
    // In a panel with the same margins as the setup's, or the group's title would sit on the
    // window's edge.
    auto* panel = new QWidget(this);
    auto* box = new QGroupBox(ToQt("Items"), panel);
    (new QVBoxLayout(panel))->addWidget(box);
    auto* layout = new QVBoxLayout(box);
    fields_ = new QPlainTextEdit(box);
    fields_->setObjectName("Fields");
    fields_->setReadOnly(true);
    layout->addWidget(fields_);
    auto* buttons = new QHBoxLayout;
    add_ = FormButton("AddBtn", report_->AddBtn, box, ButtonKind::Hinted);
    undo_ = FormButton("UndoBtn", report_->UndoBtn, box, ButtonKind::Hinted);
    clear_ = FormButton("ClearBtn", report_->ClearBtn, box, ButtonKind::Hinted);
    for (QPushButton* button : {add_, undo_, clear_}) {
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, [this] {
        bool offer = false;
        Handle([this, &offer] { offer = report_->AddBtnClick(); });
        if (!offer) {
            return;
        }
        if (const auto entry = PopUpAtPointer(this, QStringLiteral("ItemMenu"), report_->ItemMenu,
                                              QStringLiteral("ItemMenu"))) {
            const int position = report_->ItemMenu[*entry].tag;
            Handle([this, position] { report_->ItemMenuClick(position); });
        }
    });
    connect(undo_, &QPushButton::clicked, this,
            [this] { Handle([this] { report_->UndoBtnClick(); }); });
    connect(clear_, &QPushButton::clicked, this,
            [this] { Handle([this] { report_->ClearBtnClick(); }); });
    return panel;
}

QWidget* ColumnReportWindow::BuildSetup()
{
    TPrintBox& r = *report_;
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);

    auto* head = new QGroupBox(ToQt("Head"), panel);
    auto* headLayout = new QGridLayout(head);
    reportTitle_ = new QCheckBox(ToQt(r.ReportTitleBox.caption), head);
    reportTitle_->setObjectName("ReportTitleBox");
    titleText_ = new QLineEdit(head);
    titleText_->setObjectName("TitleText");
    headLayout->addWidget(reportTitle_, 0, 0);
    headLayout->addWidget(titleText_, 0, 1, 1, 3);
    header_ = new QCheckBox(ToQt(r.HeaderBox.caption), head);
    header_->setObjectName("HeaderBox");
    date_ = new QCheckBox(ToQt(r.DateBox.caption), head);
    date_->setObjectName("DateBox");
    pageNumbers_ = new QCheckBox(ToQt(r.PageNumbersBox.caption), head);
    pageNumbers_->setObjectName("PageNumbersBox");
    recordNumbers_ = new QCheckBox(ToQt(r.RecordNumbersBox.caption), head);
    recordNumbers_->setObjectName("RecordNumbersBox");
    headLayout->addWidget(header_, 1, 0);
    headLayout->addWidget(date_, 1, 1);
    headLayout->addWidget(pageNumbers_, 1, 2);
    headLayout->addWidget(recordNumbers_, 1, 3);
    layout->addWidget(head);

    auto* page = new QGroupBox(ToQt("Page"), panel);
    auto* pageLayout = new QGridLayout(page);
    const char* marginNames[] = {"LeftM", "RightM", "TopM", "BottomM"};
    const char* marginCaptions[] = {"Left", "Right", "Top", "Bottom"};
    EditControl* marginControls[] = {&r.LeftM, &r.RightM, &r.TopM, &r.BottomM};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = new QDoubleSpinBox(page);
        margins_[i]->setObjectName(marginNames[i]);
        margins_[i]->setRange(0, 2);
        margins_[i]->setDecimals(2);
        margins_[i]->setSingleStep(0.25);
        auto* caption = new QLabel(ToQt(marginCaptions[i]), page);
        LabelFor(caption, margins_[i]);
        pageLayout->addWidget(caption, i / 2, (i % 2) * 2);
        pageLayout->addWidget(margins_[i], i / 2, (i % 2) * 2 + 1);
        EditControl* control = marginControls[i];
        connect(margins_[i], &QDoubleSpinBox::valueChanged, this, [this, control](double inches) {
            control->text = FromQt(QString::number(inches, 'f', 2));
            Handle([this] { report_->MarginChange(); });
        });
    }
    portrait_ = new QRadioButton(ToQt(r.PortraitMode.caption), page);
    portrait_->setObjectName("PortraitMode");
    landscape_ = new QRadioButton(ToQt(r.LandscapeMode.caption), page);
    landscape_->setObjectName("LandscapeMode");
    pageLayout->addWidget(portrait_, 2, 0, 1, 2);
    pageLayout->addWidget(landscape_, 2, 2, 1, 2);
    layout->addWidget(page);

    auto* columns = new QGroupBox(ToQt("Columns"), panel);
    auto* columnsLayout = new QGridLayout(columns);
    colNum_ = new QSpinBox(columns);
    colNum_->setObjectName("ColNum");
    indent_ = new QCheckBox(ToQt(r.IndentBox.caption), columns);
    indent_->setObjectName("IndentBox");
    set_ = FormButton("SetBtn", r.SetBtn, columns, ButtonKind::Hinted);
    auto* columnsCaption = new QLabel(ToQt("Columns"), columns);
    LabelFor(columnsCaption, colNum_);
    columnsLayout->addWidget(columnsCaption, 0, 0);
    columnsLayout->addWidget(colNum_, 0, 1);
    columnsLayout->addWidget(set_, 0, 2);
    columnsLayout->addWidget(indent_, 0, 3);
    widths_ = new ColumnHeader(columns);
    widths_->setObjectName("Widths");
    widths_->setToolTip(ToQt(r.WidthsHint));
    columnsLayout->addWidget(widths_, 1, 0, 1, 4);
    layout->addWidget(columns);
    widths_->setMinimumSectionSize(TPrintBox::NarrowestSection);
    widths_->widthChanged = [this](int width) {
        // Before the window is shown there is nothing to show yet.
        if (isVisible()) {
            Handle([this, width] { report_->WidthsResize(width); });
        } else {
            report_->WidthsResize(width);
        }
    };
    connect(widths_, &QHeaderView::sectionResized, this, [this](int section, int, int width) {
        Handle([this, section, width] { report_->WidthsSectionResize(section, width); });
    });
    connect(widths_, &QHeaderView::sectionClicked, this, [this](int section) {
        Handle([this, section] { report_->WidthsSectionClick(section); });
    });
    connect(set_, &QPushButton::clicked, this,
            [this] { Handle([this] { report_->SetBtnClick(); }); });

    auto* fonts = new QGroupBox(ToQt("Fonts"), panel);
    auto* fontsLayout = new QHBoxLayout(fonts);
    font_ = FormButton("FontBtn", r.FontBtn, fonts, ButtonKind::Hinted);
    fontsLayout->addWidget(font_);
    const char* boxNames[] = {"HeaderFont", "BodyFont", "ValueFont"};
    for (int i = 0; i < 3; ++i) {
        fontBoxes_[i] = new QLineEdit(fonts);
        fontBoxes_[i]->setObjectName(boxNames[i]);
        fontBoxes_[i]->setAccessibleName(
            ToQt(TPrintBox::FontBoxNames[static_cast<std::size_t>(i)]));
        fontBoxes_[i]->setReadOnly(true);
        fontsLayout->addWidget(fontBoxes_[i]);
    }
    layout->addWidget(fonts);
    layout->addStretch();
    connect(font_, &QPushButton::clicked, this, [this] {
        if (const auto entry = PopUpBelow(font_, QStringLiteral("FontMenu"), report_->FontMenu,
                                          QStringLiteral("FontMenu"))) {
            const int chosen = static_cast<int>(*entry);
            Handle([this, chosen] { report_->FontMenuClick(chosen); });
        }
    });

    Bind(titleText_, r.TitleText);
    Bind(reportTitle_, r.ReportTitleBox);
    Bind(header_, r.HeaderBox);
    Bind(date_, r.DateBox);
    Bind(pageNumbers_, r.PageNumbersBox);
    Bind(recordNumbers_, r.RecordNumbersBox);
    Bind(indent_, r.IndentBox);
    Bind(portrait_, r.PortraitMode);
    Bind(landscape_, r.LandscapeMode);
    Bind(colNum_, r.ColNum);
    return panel;
}

void ColumnReportWindow::Activated()
{
    report_->WidthsResize(widths_->width());
    report_->FormActivate();
}

void ColumnReportWindow::Deactivated()
{
    report_->FormDeactivate();
}

void ColumnReportWindow::Render()
{
    TPrintBox& r = *report_;
    setWindowTitle(ToQt(r.Caption));
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    quillmark::Render(fields_, r.Fields);
    quillmark::Render(add_, r.AddBtn);
    quillmark::Render(undo_, r.UndoBtn);
    quillmark::Render(clear_, r.ClearBtn);
    quillmark::Render(font_, r.FontBtn);
    quillmark::Render(reportTitle_, r.ReportTitleBox);
    quillmark::Render(titleText_, r.TitleText);
    quillmark::Render(header_, r.HeaderBox);
    quillmark::Render(date_, r.DateBox);
    quillmark::Render(pageNumbers_, r.PageNumbersBox);
    quillmark::Render(recordNumbers_, r.RecordNumbersBox);
    quillmark::Render(indent_, r.IndentBox);
    quillmark::Render(portrait_, r.PortraitMode);
    quillmark::Render(landscape_, r.LandscapeMode);
    quillmark::Render(colNum_, r.ColNum);
    const EditControl* margins[] = {&r.LeftM, &r.RightM, &r.TopM, &r.BottomM};
    for (int i = 0; i < 4; ++i) {
        const double inches = MarginInches(margins[i]->text).value_or(1);
        if (margins_[i]->value() != inches) {
            const QSignalBlocker blocker(margins_[i]);
            margins_[i]->setValue(inches);
        }
    }
    const FontBox* boxes[] = {&r.HeaderFont, &r.BodyFont, &r.ValueFont};
    for (int i = 0; i < 3; ++i) {
        fontBoxes_[i]->setText(ToQt(boxes[i]->text));
        fontBoxes_[i]->setFont(PointFont(boxes[i]->font));
        QPalette palette = fontBoxes_[i]->palette();
        const RgbColour colour = boxes[i]->font.colour;
        palette.setColor(QPalette::Text, QColor(colour.red, colour.green, colour.blue));
        fontBoxes_[i]->setPalette(palette);
    }
    std::vector<ColumnHeader::Section> sections;
    for (const TPrintBox::ColumnSection& section : r.Widths) {
        sections.push_back({section.caption, section.width});
    }
    widths_->Show(sections, r.ColumnColours);
}

}  // namespace quillmark
