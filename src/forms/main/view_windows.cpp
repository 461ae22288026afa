// The main window's doors to the album, the graph, the CD player and the column report, each
// made on first use.

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
    workspace_.SpreadsheetMode = 1;
    OpenProgramWindow(workspace_, ProgramWindow::ColumnReport);
}

void TView::CDButtonClick()
{
    OpenProgramWindow(workspace_, ProgramWindow::CdPlayer);
}

}  // namespace quillmark
