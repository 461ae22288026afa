#include "ui/view_tool_bar_buttons.h"

#include "forms/view_tool_bar.h"
#include "ui/icons.h"
#include "ui/popup_menu.h"
#include "ui/text.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace quillmark {

std::map<const ActionControl*, QAction*> BuildViewToolBar(
    QMainWindow* window, ViewToolBar& a,
    const std::function<void(const std::function<void()>&)>& handle)
{
    std::map<const ActionControl*, QAction*> actions;
    QToolBar* toolBar = window->addToolBar("Tools");
    toolBar->setObjectName("ViewToolBar");
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(22, 22));
    for (ActionControl* control : a.ToolBar()) {
        if (control == nullptr) {
            toolBar->addSeparator();
            continue;
        }
        auto* action = new QAction(ToolIcon(ToQt(control->icon)), ToQt(control->hint), window);
        action->setObjectName(ToQt(control->buttonName));
        action->setStatusTip(ToQt(control->hint));
        if (!control->shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQt(control->shortcut)));
        }
        toolBar->addAction(action);
        if (QWidget* button = toolBar->widgetForAction(action)) {
            button->setObjectName(ToQt(control->buttonName));
        }
        actions[control] = action;
    }
    const std::vector<std::pair<ActionControl*, std::function<void()>>> handlers = {
        {&a.SearchTBtn, [&a] { a.SearchTBtnClick(); }},
        {&a.AlbumTBtn, [&a] { a.AlbumTBtnClick(); }},
        {&a.GraphTBtn, [&a] { a.GraphTBtnClick(); }},
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
        if (const auto entry = PopUpAtPointer(window, "ReportMenu", a.ReportMenu())) {
            handle([&a, entry] { a.ReportMenuClick(static_cast<int>(*entry)); });
        }
    });
    QObject::connect(actions.at(&a.CloseTBtn), &QAction::triggered, window, &QWidget::close);
    return actions;
}

}  // namespace quillmark
