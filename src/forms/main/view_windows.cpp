// The main window's doors to the album, the graph and the CD player, each made on first use.

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

void TView::CDButtonClick()
{
    OpenProgramWindow(workspace_, ProgramWindow::CdPlayer);
}

}  // namespace quillmark
