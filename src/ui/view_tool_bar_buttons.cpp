#include "ui/view_tool_bar_buttons.h"

#include "forms/view_tool_bar.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/text.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace quillmark {

namespace {

QAction* MakeToolAction(QMainWindow* window, const ActionControl& control)
{
    auto* action = new QAction(ToolIcon(ToQt(control.icon)), ToQt(control.hint), window);
    action->setObjectName(ToQt(control.buttonName));
    action->setStatusTip(ToQt(control.hint));
    if (!control.shortcut.empty()) {
        action->setShortcut(QKeySequence(ToQt(control.shortcut)));
    }
    return action;
}

// Tool buttons carry their action's name, so tests and screen readers find them.
void NameButton(QToolBar* toolBar, QAction* action)
{
    if (QWidget* button = toolBar->widgetForAction(action)) {
        button->setObjectName(action->objectName());
    }
}

}  // namespace

std::map<const ActionControl*, QAction*> BuildViewToolBar(
    QMainWindow* window, ViewToolBar& a,
    const std::function<void(const std::function<void()>&)>& handle)
{
    std::map<const ActionControl*, QAction*> actions;
    QToolBar* toolBar = window->addToolBar(ToQt("Tools"));
    toolBar->setObjectName("ViewToolBar");
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(22, 22));
    for (ActionControl* control : a.ToolBar()) {
        if (control == nullptr) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = MakeToolAction(window, *control);
        toolBar->addAction(action);
        NameButton(toolBar, action);
        actions[control] = action;
    }
    const std::vector<std::pair<ActionControl*, std::function<void()>>> handlers = {
        {&a.SearchTBtn, [&a] { a.SearchTBtnClick(); }},
        {&a.AlbumTBtn, [&a] { a.AlbumTBtnClick(); }},
        {&a.GraphTBtn, [&a] { a.GraphTBtnClick(); }},
        {&a.SpreadsheetTBtn, [&a] { a.SpreadsheetTBtnClick(); }},
        {&a.ViewTBtn, [&a] { a.ViewTBtnClick(); }},
        {&a.CalculatorTBtn, [&a] { a.CalculatorTBtnClick(); }},
        {&a.CalendarTBtn, [&a] { a.CalendarTBtnClick(); }},
        {&a.CDPlayerBtn, [&a] { a.CDPlayerBtnClick(); }},
        {&a.QuickSaveTBtn, [&a] { a.QuickSaveTBtnClick(); }},
        {&a.HelpTBtn, [&a] { a.HelpTBtnClick(); }},
    };
    for (const auto& [control, handler] : handlers) {
        QObject::connect(actions.at(control), &QAction::triggered, window,
                         [handle, handler] { handle(handler); });
    }
    // The report menu at the pointer, as on the main window.
    QObject::connect(actions.at(&a.ReportTBtn), &QAction::triggered, window, [window, &a, handle] {
        if (const auto entry =
                PopUpAtPointer(window, QStringLiteral("ReportMenu"), a.ReportMenu())) {
            handle([&a, entry] { a.ReportMenuClick(static_cast<int>(*entry)); });
        }
    });
    QObject::connect(actions.at(&a.CloseTBtn), &QAction::triggered, window, &QWidget::close);
    return actions;
}

void InsertOwnToolButtons(QMainWindow* window, const std::vector<ActionControl*>& controls,
                          std::map<const ActionControl*, QAction*>& actions)
{
    auto* toolBar = window->findChild<QToolBar*>(QStringLiteral("ViewToolBar"));
    QAction* first = toolBar->actions().value(0);
    for (ActionControl* control : controls) {
        QAction* action = MakeToolAction(window, *control);
        toolBar->insertAction(first, action);
        NameButton(toolBar, action);
        actions[control] = action;
    }
    toolBar->insertSeparator(first);
}

}  // namespace quillmark
