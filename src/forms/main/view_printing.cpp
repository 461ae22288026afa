#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

// ---- printing the window and the experience table ----

void TView::QuickPrintClick()
{
    if (workspace_.services.shell.FormPrint(ProgramWindow::Main)) {
        workspace_.services.dialogs.ShowInformation("Form sent to Printer.");
    }
}

void TView::PrintMenuClick(int entry)
{
    Shell& shell = workspace_.services.shell;
    switch (entry) {
    case ExperiencePage::PrintSettingsEntry:
        shell.ShowPrintSettings(ExperiencePage::GridName);
        break;
    case ExperiencePage::PrintEntry:
        // The name as it stands in the box, typed a moment ago or not.
        shell.PrintTable(ExperiencePage::GridName, Experience.TableToPrint(RecordName.text));
        break;
    default:
        break;
    }
}

}  // namespace quillmark
