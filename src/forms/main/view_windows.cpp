// The main window's doors to the album, the graph, the CD player and the two reports, each made
// on first use.

#include "forms/main/view_form.h"
#include "forms/view_tool_bar.h"
#include "forms/workspace.h"

namespace quillmark {

void TView::AlbumView1Click()
{
    OpenProgramWindow(workspace_, ProgramWindow::Album);
}

void TView::GraphView1Click()
{
    OpenProgramWindow(workspace_, ProgramWindow::Graph);
}

void TView::GenerateRegularReport1Click()
{
    workspace_.SpreadsheetMode = SpreadsheetMode::AllRecords;
    OpenProgramWindow(workspace_, ProgramWindow::ColumnReport);
}

void TView::CDButtonClick()
{
    OpenProgramWindow(workspace_, ProgramWindow::CdPlayer);
}

void TView::GenerateHTMLReport1Click()
{
    OpenProgramWindow(workspace_, ProgramWindow::HtmlReport);
}

void TView::ReportMenuClick(int entry)
{
    if (entry == ReportMenuHtmlEntry && Actions.GenerateHTMLReport.enabled) {
        GenerateHTMLReport1Click();
    } else if (entry == ReportMenuRegularEntry && Actions.GenerateRegularReport.enabled) {
        GenerateRegularReport1Click();
    }
}

}  // namespace quillmark
