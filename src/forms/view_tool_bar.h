#pragma once

#include "forms/controls.h"
#include "forms/services.h"

#include <string>
#include <vector>

namespace quillmark {

class Workspace;

// Opens a window made on first use (album, graph, CD player, HTML report), or says why it
// could not.
void OpenProgramWindow(Workspace& workspace, ProgramWindow window);

// The tool bar the album and graph windows share with the other view windows: printing, a door
// to every other window, saving, help and closing. The window's own door is disabled.
class ViewToolBar {
public:
    ViewToolBar(Workspace& workspace, ProgramWindow self, std::string helpTopic,
                std::string closeHint);

    ActionControl PrintScreenTBtn, SearchTBtn, AlbumTBtn, GraphTBtn, SpreadsheetTBtn, ReportTBtn,
        ViewTBtn, CalculatorTBtn, CalendarTBtn, CDPlayerBtn, QuickSaveTBtn, HelpTBtn, CloseTBtn;

    // In the order the tool bar shows them; nullptr stands for a gap.
    std::vector<ActionControl*> ToolBar();

    // The save button follows the main window's each time the window is shown.
    void CopySaveState();

    // "Generate Report" pops up the main window's report menu, without this window's own entry.
    std::vector<MenuItemControl> ReportMenu();
    void ReportMenuClick(int entry);

    void SearchTBtnClick();
    void AlbumTBtnClick();
    void GraphTBtnClick();
    void ViewTBtnClick();
    void CalculatorTBtnClick();
    void CalendarTBtnClick();
    void CDPlayerBtnClick();
    void QuickSaveTBtnClick();
    void HelpTBtnClick();

private:
    Workspace& workspace_;
    ProgramWindow self_;
    std::string helpTopic_;
};

}  // namespace quillmark
