#include "app/related_records.h"
#include "app/view_form.h"
#include "app/workspace.h"

namespace quillmark {

// ---- related records ----

void TView::DisplaySameBtnClick()
{
    // Rebuilt at every showing, so that the entries follow captions changed since.
    DisplaySameMenu = RelationMenu(workspace_.database, Description.boxname.caption);
}

void TView::DisplaySameClick(std::size_t entry)
{
    if (entry >= DisplaySameMenu.size()) {
        return;
    }
    const MenuItemControl& relation = DisplaySameMenu[entry];
    PickRelated.Clear();
    PickRelated.Caption = relation.caption;
    if (relation.tag < 0) {
        return;
    }
    const ItemRecordList& records = workspace_.RecordList();
    for (int position : RelatedPositions(records, workspace_.CurrentIndex, relation.tag)) {
        PickRelated.Add(records[static_cast<std::size_t>(position)]->RecordName, position);
    }
    workspace_.services.shell.ShowPickList(PickRelated);
    if (!PickRelated.Picked || !workspace_.IsValidPosition(*PickRelated.Picked)) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    workspace_.CurrentIndex = *PickRelated.Picked;
    GetRecord(workspace_.CurrentIndex);
    RecordBookChange(DescriptionTab);
}

}  // namespace quillmark
