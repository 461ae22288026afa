#pragma once

#include "core/category_tree.h"
#include "forms/controls.h"

#include <string>
#include <vector>

namespace quillmark {

class Workspace;

// The category editor of one description field: edits the field's tree, carries renames into
// the values of every record and gives new categories to the record on show. Modal; made for
// one use by the main window's "ADD NEW ... CATEGORY" entry.
class CommandStep;

class TAddDescription {
public:
    // A category is found by the indexes leading to it from the top level; empty for none.
    using TreePath = std::vector<int>;

    TAddDescription(Workspace& workspace, int field);

    // ---- controls ----
    std::string Caption;
    int Width = 369;
    int Height = 393;
    int Field = 0;  // the DescriptionList's tag: description field 1..10
    // Where the records the editor rewrites are kept for Edit > Undo, when it keeps them.
    CommandStep* Step = nullptr;
    CategoryTree DescriptionList;  // the tree being edited
    TreePath Selected;             // the selected category
    EditControl AddText;           // "Category Name"
    LabelControl AddTextLabel{"Category Name"};
    // What a screen reader calls the tree and the "?" button.
    std::string DescriptionListName = "Categories";
    std::string HelpBtnName = "Help";
    ButtonControl InsertBtn{"Insert", ""};
    ButtonControl RemoveBtn{"Remove", ""};
    ButtonControl AddChildBtn{"Add Child", ""};
    ButtonControl RenameBtn{"Rename", ""};
    ButtonControl SortChildrenBtn{"Sort Children", ""};
    ButtonControl SortEverythingBtn{"Sort Everything", ""};
    ButtonControl MakeDefaultBtn{"Make Default", ""};
    ButtonControl CloseBtn{"Close", ""};
    bool Closed = false;
    // Bumped whenever the tree's shape or texts change, so the window knows to redraw it.
    int TreeVersion = 0;

    // ---- the window comes and goes ----
    void FormActivate();    // reads the field's tree
    void FormDeactivate();  // writes the tree back into the database and keeps the size

    // ---- buttons ----
    void InsertBtnClick();
    void RemoveBtnClick();
    void AddChildBtnClick();
    void RenameBtnClick();
    void SortChildrenBtnClick();
    void SortEverythingBtnClick();
    void MakeDefaultBtnClick();
    void CloseBtnClick() { Closed = true; }
    void HelpBtnClick();

    // ---- dragging a category onto another ----
    bool DescriptionListDragOver(const TreePath& dragged, const TreePath& target) const;
    void DescriptionListDragDrop(const TreePath& dragged, const TreePath& target);

    // The stored value naming the category: its text, then each enclosing category's.
    std::string FullName(const TreePath& path) const;
    CategoryNode* NodeAt(const TreePath& path);

private:
    void AssignToRecordOnShow(const std::string& value);
    std::vector<CategoryNode>& SiblingsOf(const TreePath& path);

    Workspace& workspace_;
};

}  // namespace quillmark
