#include "forms/categories/add_description_form.h"

#include "core/case_folding.h"
#include "core/default_trees.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/item_record.h"
#include "core/program_settings.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"

#include <algorithm>
#include <filesystem>

namespace quillmark {

namespace {

// The order of both sort buttons: alphabetical, letter case aside, equal texts kept in order.
void SortByText(std::vector<CategoryNode>& categories)
{
    std::stable_sort(categories.begin(), categories.end(),
                     [](const CategoryNode& a, const CategoryNode& b) {
                         return Windows1252LowerCaseText(a.Text) < Windows1252LowerCaseText(b.Text);
                     });
}

void SortAll(std::vector<CategoryNode>& categories)
{
    SortByText(categories);
    for (CategoryNode& category : categories) {
        SortAll(category.Children);
    }
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

TAddDescription::TAddDescription(Workspace& workspace, int field)
    : Field(field), workspace_(workspace)
{
    const WindowSize size =
        ReadWindowSize(workspace.settings, "AddDescW:", "AddDescH:", DefaultAddDescSize);
    Width = size.width;
    Height = size.height;
}

void TAddDescription::FormActivate()
{
    AddText.text.clear();
    Caption = "Add " +
              workspace_.database.DescriptionCaptions[static_cast<std::size_t>(Field - 1)] +
              " Category";
    DescriptionList = ReadTreeText(workspace_.database.DescriptionTrees[Field]).Tree;
    Selected.clear();
    ++TreeVersion;
}

void TAddDescription::FormDeactivate()
{
    workspace_.database.DescriptionTrees[Field] = WriteTreeText(DescriptionList);
    try {
        WriteWindowSize(workspace_.settings, "AddDescW:", "AddDescH:", {Width, Height});
    } catch (const WriteError&) {
        // The size is a convenience; the settings file is reported when the program closes.
    }
}

CategoryNode* TAddDescription::NodeAt(const TreePath& path)
{
    std::vector<CategoryNode>* level = &DescriptionList;
    CategoryNode* node = nullptr;
    for (const int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= level->size()) {
            return nullptr;
        }
        node = &(*level)[static_cast<std::size_t>(index)];
        level = &node->Children;
    }
    return node;
}

std::vector<CategoryNode>& TAddDescription::SiblingsOf(const TreePath& path)
{
    if (path.size() <= 1) {
        return DescriptionList;
    }
    return NodeAt(TreePath(path.begin(), path.end() - 1))->Children;
}

std::string TAddDescription::FullName(const TreePath& path) const
{
    std::vector<std::string_view> fromTop;
    const std::vector<CategoryNode>* level = &DescriptionList;
    for (const int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= level->size()) {
            return {};
        }
        const CategoryNode& node = (*level)[static_cast<std::size_t>(index)];
        fromTop.push_back(node.Text);
        level = &node.Children;
    }
    return CategoryFullName(fromTop);
}

void TAddDescription::AssignToRecordOnShow(const std::string& value)
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        if (Step != nullptr) {
            Step->WillChange(workspace_.CurrentIndex);
        }
        record->Desc[Field] = value;
    }
    workspace_.View().Description.DescBoxes[Field].text = value;
}

void TAddDescription::InsertBtnClick()
{
    if (AddText.text.empty()) {
        return;
    }
    TreePath added = Selected;
    if (NodeAt(Selected) == nullptr) {
        added.clear();
    }
    std::vector<CategoryNode>& siblings = added.empty() ? DescriptionList : SiblingsOf(added);
    siblings.push_back(CategoryNode{AddText.text, {}});
    if (added.empty()) {
        added.push_back(0);
    }
    added.back() = static_cast<int>(siblings.size()) - 1;
    ++TreeVersion;
    AssignToRecordOnShow(FullName(added));
}

void TAddDescription::AddChildBtnClick()
{
    if (AddText.text.empty()) {
        return;
    }
    CategoryNode* parent = NodeAt(Selected);
    TreePath added = parent != nullptr ? Selected : TreePath{};
    std::vector<CategoryNode>& children = parent != nullptr ? parent->Children : DescriptionList;
    children.push_back(CategoryNode{AddText.text, {}});
    added.push_back(static_cast<int>(children.size()) - 1);
    ++TreeVersion;
    AssignToRecordOnShow(FullName(added));
}

void TAddDescription::RemoveBtnClick()
{
    if (Selected.empty() || NodeAt(Selected) == nullptr) {
        return;
    }
    // Values are stored leaf first, so a record under the category ends with its full name.
    const std::string tail = Windows1252LowerCaseText(": " + FullName(Selected));
    int affected = 0;
    for (const auto& record : workspace_.RecordList()) {
        if (EndsWith(Windows1252LowerCaseText(": " + record->Desc[Field]), tail)) {
            ++affected;
        }
    }
    if (affected > 0) {
        const std::string question =
            std::to_string(affected) + (affected == 1 ? " record " : " records ") +
            "will be effected by this change.  Are you sure you want to continue ?";
        if (!workspace_.services.dialogs.AskYesNo(question)) {
            return;
        }
    }
    std::vector<CategoryNode>& siblings = SiblingsOf(Selected);
    siblings.erase(siblings.begin() + Selected.back());
    Selected.clear();
    ++TreeVersion;
}

void TAddDescription::RenameBtnClick()
{
    CategoryNode* node = NodeAt(Selected);
    if (AddText.text.empty() || Selected.empty() || node == nullptr) {
        return;
    }
    const std::string oldName = FullName(Selected);
    node->Text = AddText.text;
    const std::string newName = FullName(Selected);
    ++TreeVersion;

    // The old path is replaced where it ends a value, whatever the letter case: the value itself
    // or a category below it. Records under another category of the same text keep theirs.
    const std::string tail = Windows1252LowerCaseText(": " + oldName);
    for (const auto& record : workspace_.RecordList()) {
        const std::string value = ": " + record->Desc[Field];
        if (EndsWith(Windows1252LowerCaseText(value), tail)) {
            if (Step != nullptr) {
                Step->WillChange(record);
            }
            record->Desc[Field] =
                (value.substr(0, value.size() - tail.size()) + ": " + newName).substr(2);
        }
    }
}

void TAddDescription::SortChildrenBtnClick()
{
    if (CategoryNode* node = NodeAt(Selected); node != nullptr && !Selected.empty()) {
        SortByText(node->Children);
        ++TreeVersion;
    }
}

void TAddDescription::SortEverythingBtnClick()
{
    SortAll(DescriptionList);
    Selected.clear();  // the selected category may have moved
    ++TreeVersion;
}

void TAddDescription::MakeDefaultBtnClick()
{
    const std::string folder = workspace_.UserDataFolder;
    const std::string path =
        (folder.empty() ? std::string() : folder + "/") + DefaultTreeFileName(Field);
    try {
        if (!folder.empty()) {
            std::error_code ignored;  // a folder that cannot be made fails the write below
            std::filesystem::create_directories(folder, ignored);
        }
        const std::string text = WriteTreeText(DescriptionList);
        SaveFileSafely(path, [&text](ByteSink& sink) { sink.Write(text); });
    } catch (const WriteError& error) {
        workspace_.services.dialogs.ShowError("Cannot create file \"" + FileNameInMessage(path) +
                                              "\". " + error.what());
    }
}

void TAddDescription::HelpBtnClick()
{
    workspace_.services.shell.OpenHelp("Customizing the Software");
}

bool TAddDescription::DescriptionListDragOver(const TreePath& dragged, const TreePath& target) const
{
    auto* self = const_cast<TAddDescription*>(this);
    return !dragged.empty() && dragged.size() == target.size() && dragged != target &&
           self->NodeAt(dragged) != nullptr && self->NodeAt(target) != nullptr;
}

void TAddDescription::DescriptionListDragDrop(const TreePath& dragged, const TreePath& target)
{
    if (!DescriptionListDragOver(dragged, target)) {
        return;
    }
    std::vector<CategoryNode>& from = SiblingsOf(dragged);
    CategoryNode moving = std::move(from[static_cast<std::size_t>(dragged.back())]);
    from.erase(from.begin() + dragged.back());

    // Taking the category out shifts the target left when it followed it under the same parent.
    TreePath place = target;
    const std::size_t depth = dragged.size() - 1;
    if (std::equal(dragged.begin(), dragged.begin() + static_cast<long>(depth), target.begin()) &&
        dragged.back() < target.back()) {
        --place.back();
    }
    std::vector<CategoryNode>& to = SiblingsOf(place);
    to.insert(to.begin() + place.back(), std::move(moving));
    Selected = place;
    ++TreeVersion;
}

}  // namespace quillmark
