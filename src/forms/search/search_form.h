#pragma once

#include "engine/search/search_terms.h"
#include "forms/controls.h"
#include "forms/view_tool_bar.h"

#include <array>
#include <string>
#include <vector>

namespace quillmark {

class Workspace;

// The search window: the terms of the one search in a grid, the search run, the search list
// and saved searches. It exists from start-up to the end of the program.
class TSearch {
public:
    explicit TSearch(Workspace& workspace);

    std::string Caption = "Search Records";
    int Width = 581;
    int Height = 454;
    bool Enabled = false;  // enabled once a database has been opened

    // ---- the term grid ----
    static constexpr std::array<const char*, 3> GridHeader = {"Field", "Type", "Value"};
    static constexpr const char* GridName = "Search Terms";  // what a screen reader calls it
    enum Column { FieldColumn, TypeColumn, ValueColumn };
    std::vector<SearchTermRow> GridRows;  // SearchGrid, below its header; never empty
    int GridRow = 0;                      // the current cell, in GridRows
    int GridColumn = FieldColumn;
    SearchTermTable SearchTerms;
    std::string SearchResultMessage;  // the outcome of the last search that found records

    // The field menu's entries carry the fields' tags; the category menus, one per
    // description field, list each level of the field's tree in reverse.
    std::vector<MenuItemControl> FieldMenu;
    std::vector<MenuItemControl> TypeMenu;
    std::vector<MenuItemControl> StatusMenu;
    std::vector<MenuItemControl> SalaryMenu;
    OneBasedArray<std::vector<MenuItemControl>, 10> SearchMenus;

    ButtonControl AddTermBtn{"Add Term", ""};
    ButtonControl PerformSearchBtn{"Search", ""};
    ButtonControl NewSearchBtn{"New Search", ""};
    ButtonControl Clear{"Clear", ""};
    LabelControl RangeLabel{"Add Record Range:"};
    SpinControl LowRange{1, 1, 1};
    LabelControl RangeToLabel{"To"};
    SpinControl HighRange{1, 1, 1};
    ButtonControl AddRangeBtn{"Add", ""};
    ProgressControl SearchProgress{0, 0};
    // Loading, saving and extracting, before the buttons every view window repeats.
    ActionControl LoadSearchBtn, SaveSearchBtn, Extract;
    ViewToolBar Actions;
    std::vector<MenuItemControl> ExtractType;  // "Extract To File", a line, "Remove From Database"
    std::vector<MenuItemControl> PrintMenu;    // "Print Settings", "Print"

    // ---- the window comes and goes ----
    void FormActivate();
    void FormDeactivate();

    // ---- term entry ----
    // The current cell moves.
    void SearchGridSelectCell(int row, int column);
    // A key press in the grid or a click on the current cell opens the chooser of the current
    // column: the menu returned is for the window to pop up at the pointer, and the entry
    // picked goes to ChooserClick; nothing when a dialog has run already or the value is
    // typed.
    const std::vector<MenuItemControl>* OpenChooser();
    // The entry picked in the menu OpenChooser returned, by its indexes from the menu's top.
    void ChooserClick(const std::vector<int>& itemPath);
    // Only typed values are edited in place, in the value column.
    bool CellEditable(int row, int column) const;
    void SearchGridSetEditText(int row, const std::string& text);
    void AddTermBtnClick();
    void NewSearchBtnClick();
    void PerformSearchBtnClick();

    // ---- the search list ----
    void AddRangeBtnClick();
    void ClearClick();
    void SetExtractState();
    // The records were added, removed or reordered elsewhere: the ranges and Extract follow.
    void RecordsChanged();
    // Ctrl+Z and Ctrl+Shift+Z: the main window's history.
    void Undo1Click();
    void Redo1Click();
    static constexpr int ExtractToFileEntry = 0;
    static constexpr int RemoveFromDatabaseEntry = 2;
    void ExtractTypeClick(int entry);  // the position of the entry picked in ExtractType

    // ---- saved searches ----
    void SaveSearchBtnClick();
    void LoadSearchBtnClick();

    // ---- tool bar ----
    void PrintMenuClick(int entry);  // 0 "Print Settings", 1 "Print"

private:
    enum class Chooser { None, Field, Type, Category, Status, Salary };

    void BuildFieldMenu();
    void BuildCategoryMenus();
    void SetFieldMenuEnableState();
    void SelectField(const MenuItemControl& entry);
    void SelectType(int inclusion);
    void RemoveTerm();
    void SetValue(const std::string& from, const std::string& to, const std::string& shown);
    void ChooseRange(const std::string& mask);
    void ChooseSchedule();
    void ChooseSkill();
    SearchTermRow& CurrentRow() { return GridRows[static_cast<std::size_t>(GridRow)]; }
    SearchRecord* CurrentTerm();
    std::string FieldCaption(int tag) const;
    void RemoveFromDatabase();
    void ExtractToFile();

    Workspace& workspace_;
    Chooser chooser_ = Chooser::None;
    int chooserField_ = 0;  // the description field of a category menu
};

}  // namespace quillmark
