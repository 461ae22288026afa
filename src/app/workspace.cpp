#include "app/workspace.h"

#include "app/view_form.h"
#include "core/default_trees.h"
#include "reports/snapshot_form.h"
#include "search/search_form.h"

namespace quillmark {

Workspace::Workspace(Services services_, std::vector<std::string> defaultTreeFolders)
    : services(services_), DefaultTrees(ReadDefaultTrees(defaultTreeFolders))
{
    SetDatabaseDefaults();
    view_ = std::make_unique<TView>(*this);
    spreadsheet_ = std::make_unique<TSnapShot>();
    search_ = std::make_unique<TSearch>();
}

Workspace::~Workspace() = default;

ItemRecord* Workspace::RecordOnShow()
{
    return IsValidPosition(CurrentIndex)
               ? database.RecordList[static_cast<std::size_t>(CurrentIndex)].get()
               : nullptr;
}

void Workspace::SetDatabaseDefaults()
{
    SetDefaultCaptions(database);
    database.DescriptionTrees = DefaultTrees;
}

}  // namespace quillmark
