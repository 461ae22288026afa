#include "engine/related_records.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

namespace {

// The 31 entries of the relation menu, captioned from the database's current field captions
// and the status label's caption: the ten primary entries, the ten complete ones, the ten
// details, then status.
std::vector<MenuItemControl> RelationMenu(const Database& database,
                                          const std::string& statusCaption)
{
    std::vector<MenuItemControl> entries;
    entries.reserve(RelationCount);
    auto quoted = [&](int field) {
        return '"' + database.DescriptionCaptions[static_cast<std::size_t>(field - 1)] + '"';
    };
    for (int field = 1; field <= 10; ++field) {
        entries.push_back({"Display records with the same Primary " + quoted(field),
                           PrimaryRelation(field),
                           true,
                           {}});
    }
    for (int field = 1; field <= 10; ++field) {
        entries.push_back({"Display records with the same Complete " + quoted(field),
                           CompleteRelation(field),
                           true,
                           {}});
    }
    for (int detail = 0; detail < 10; ++detail) {
        entries.push_back({"Display records with the same " +
                               database.DetailCaptions[static_cast<std::size_t>(detail)],
                           DetailRelation(detail),
                           true,
                           {}});
    }
    entries.push_back({statusCaption, StatusRelation, true, {}});
    return entries;
}

}  // namespace

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
    workspace_.services.shell.RunDialog(PickRelated);
    if (!PickRelated.Picked || !workspace_.IsValidPosition(*PickRelated.Picked)) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    workspace_.CurrentIndex = *PickRelated.Picked;
    GetRecord(workspace_.CurrentIndex);
    RecordBookChange(DescriptionTab);
}

}  // namespace quillmark
