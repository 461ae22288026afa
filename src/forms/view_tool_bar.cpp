#include "forms/view_tool_bar.h"

#include "forms/main/view_form.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

void OpenProgramWindow(Workspace& workspace, ProgramWindow window)
{
    if (!workspace.services.shell.OpenWindow(window)) {
        workspace.services.dialogs.ShowError(
            "Too many windows are open.  Please close some windows and try again.");
    }
}

ViewToolBar::ViewToolBar(Workspace& workspace, ProgramWindow self, std::string helpTopic,
                         std::string closeHint)
    : workspace_(workspace), self_(self), helpTopic_(std::move(helpTopic))
{
    PrintScreenTBtn = ToolButton("PrintScreenTBtn", "Print a screenshot", "document-print");
    SearchTBtn = ToolButton("SearchTBtn", "Perform Search", "system-search");
    AlbumTBtn = ToolButton("AlbumTBtn", "Generate Album View", "image-x-generic");
    GraphTBtn = ToolButton("GraphTBtn", "Generate Graph", "office-chart-bar");
    SpreadsheetTBtn = ToolButton("SpreadsheetTBtn", "Generate Spreadsheet", "x-office-spreadsheet");
    ReportTBtn = ToolButton("ReportTBtn", "Generate Report", "x-office-document");
    ViewTBtn = ToolButton("ViewTBtn", "Show the Record Window", "go-home");
    CalculatorTBtn = ToolButton("CalculatorTBtn", "Display Calculator", "accessories-calculator");
    CalendarTBtn = ToolButton("CalendarTBtn", "Display Calendar", "x-office-calendar");
    CDPlayerBtn = ToolButton("CDPlayerBtn", "Display CD Player", "media-optical-audio");
    QuickSaveTBtn = ToolButton("QuickSaveTBtn", "Save Database", "document-save");
    HelpTBtn = ToolButton("HelpTBtn", "Display Help", "help-contents");
    CloseTBtn = ToolButton("CloseTBtn", std::move(closeHint), "window-close");
    SearchTBtn.enabled = self != ProgramWindow::Search;
    AlbumTBtn.enabled = self != ProgramWindow::Album;
    GraphTBtn.enabled = self != ProgramWindow::Graph;
    SpreadsheetTBtn.enabled = self != ProgramWindow::Spreadsheet;
    const std::vector<MenuItemControl> reports = ReportMenu();
    ReportTBtn.enabled = std::any_of(reports.begin(), reports.end(),
                                     [](const MenuItemControl& entry) { return entry.enabled; });
    HelpTBtn.shortcut = "F1";
    CloseTBtn.shortcut = "Ctrl+W";
}

std::vector<ActionControl*> ViewToolBar::ToolBar()
{
    return {&PrintScreenTBtn, &SearchTBtn, &AlbumTBtn,     &GraphTBtn,      &SpreadsheetTBtn,
            &ReportTBtn,      &ViewTBtn,   nullptr,        &CalculatorTBtn, &CalendarTBtn,
            &CDPlayerBtn,     nullptr,     &QuickSaveTBtn, &HelpTBtn,       &CloseTBtn};
}

void ViewToolBar::CopySaveState()
{
    QuickSaveTBtn.enabled = workspace_.View().Actions.Save.enabled;
}

std::vector<MenuItemControl> ViewToolBar::ReportMenu()
{
    std::vector<MenuItemControl> entries = ReportMenuEntries(workspace_.View().Actions);
    if (self_ == ProgramWindow::HtmlReport) {
        entries[ReportMenuHtmlEntry].enabled = false;
    }
    return entries;
}

void ViewToolBar::ReportMenuClick(int entry)
{
    const std::vector<MenuItemControl> entries = ReportMenu();
    if (entry >= 0 && entry < static_cast<int>(entries.size()) &&
        entries[static_cast<std::size_t>(entry)].enabled) {
        workspace_.View().ReportMenuClick(entry);
    }
}

void ViewToolBar::SearchTBtnClick()
{
    if (SearchTBtn.enabled) {
        workspace_.services.shell.ShowWindow(ProgramWindow::Search);
    }
}

void ViewToolBar::AlbumTBtnClick()
{
    if (AlbumTBtn.enabled) {
        OpenProgramWindow(workspace_, ProgramWindow::Album);
    }
}

void ViewToolBar::GraphTBtnClick()
{
    if (GraphTBtn.enabled) {
        OpenProgramWindow(workspace_, ProgramWindow::Graph);
    }
}

void ViewToolBar::SpreadsheetTBtnClick()
{
    if (SpreadsheetTBtn.enabled) {
        workspace_.View().SpreadsheetView1Click();
    }
}

void ViewToolBar::ViewTBtnClick()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::Main);
}

void ViewToolBar::CalculatorTBtnClick()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::Calculator);
}

void ViewToolBar::CalendarTBtnClick()
{
    const ScreenSize screen = workspace_.services.shell.Screen();
    workspace_.services.shell.ShowCalendarAt((screen.width - 100) / 2, (screen.height - 200) / 2);
}

void ViewToolBar::CDPlayerBtnClick()
{
    OpenProgramWindow(workspace_, ProgramWindow::CdPlayer);
}

void ViewToolBar::QuickSaveTBtnClick()
{
    if (QuickSaveTBtn.enabled) {
        workspace_.QuickSave();
    }
}

void ViewToolBar::HelpTBtnClick()
{
    workspace_.services.shell.OpenHelp(helpTopic_);
}

}  // namespace quillmark
