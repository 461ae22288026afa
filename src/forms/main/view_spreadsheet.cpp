// The main window's door to the spreadsheet window.

#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

void TView::SpreadsheetView1Click()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::Spreadsheet);
}

}  // namespace quillmark
