// The main window's Edit > Undo and Edit > Redo, and the edits of a record visit as one step.

#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

void TView::RecordVisitStep(const std::shared_ptr<ItemRecord>& record)
{
    if (record != visited_ || record->SameFiledContent(visitStart_)) {
        return;
    }
    HistoryStep step;
    step.Name = "Changes to " + record->RecordName;
    step.Changed.push_back({record, visitStart_, *record});
    step.ShownBefore = step.ShownAfter = record;
    step.IndexBefore = step.IndexAfter = workspace_.CurrentIndex;
    workspace_.History.AddVisit(std::move(step));
    visitStart_ = *record;
    workspace_.HistoryChanged();
}

void TView::Undo1Click()
{
    // What is typed on screen is a change too, and the first to be taken back.
    SaveRecord(workspace_.CurrentIndex);
    workspace_.Undo();
}

void TView::Redo1Click()
{
    SaveRecord(workspace_.CurrentIndex);
    workspace_.Redo();
}

std::string TView::Title() const
{
    const std::string name =
        workspace_.DatabaseFileName.empty() ? "Untitled" : workspace_.DatabaseFileName;
    return workspace_.History.Changed() ? "*" + name : name;
}

void TView::ShowEditHistory()
{
    // The title names the database once a record is on show.
    if (workspace_.IsValidPosition(workspace_.CurrentIndex)) {
        Caption = Title();
    }
    Actions.Undo.caption = UndoCaption(workspace_.History);
    Actions.Undo.enabled = workspace_.History.NextUndo() != nullptr;
    Actions.Redo.caption = RedoCaption(workspace_.History);
    Actions.Redo.enabled = workspace_.History.NextRedo() != nullptr;
}

void TView::HistoryApplied(bool settingsChanged)
{
    if (settingsChanged) {
        ShowFieldCaptions();
    }
    GetRecord(workspace_.CurrentIndex);
    Actions.DeleteRecord.enabled = workspace_.RecordCount() > 1;
}

}  // namespace quillmark
