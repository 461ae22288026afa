#pragma once

#include "core/rgb_colour.h"
#include "engine/pictures/picture_cache.h"
#include "forms/controls.h"
#include "forms/services.h"
#include "forms/spreadsheet_mode.h"
#include "forms/view_tool_bar.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

struct Bitmap;
struct ItemRecord;
struct RecordField;
class Workspace;

// A value of the browse list with its state mark: 0 for the value picked, 1 for the others.
struct BrowseItem {
    std::string caption;
    int stateIndex = 1;
    bool operator==(const BrowseItem&) const = default;
};

// The spreadsheet window: one row per record shown, one column per chosen field, the rows being
// all records, those on the search list or those with a browse value. Text columns are edited
// in place; descriptions, the status and pictures are set from pop-up menus. It exists from
// start-up to the end of the program.
class TSnapShot {
public:
    explicit TSnapShot(Workspace& workspace);

    static constexpr RgbColour Aqua{0x00, 0xFF, 0xFF};    // not on the search list
    static constexpr RgbColour Green{0x00, 0x80, 0x00};   // found by a search
    static constexpr RgbColour Yellow{0xFF, 0xFF, 0x00};  // put on the list otherwise
    static constexpr RgbColour Silver{0xC0, 0xC0, 0xC0};  // a grid without records
    static constexpr int DefaultColWidth = 200;
    static constexpr int DefaultRowHeight = 21;
    static constexpr const char* GridName = "SpreadView";

    std::string Caption = "Spreadsheet View";
    int Width = 640;
    int Height = 475;
    int BrowsePanelWidth = 174;  // the splitter's position

    // What a screen reader calls the controls no caption names.
    struct SpokenNames {
        std::string ViewFields = "Spreadsheet Items";
        std::string SpreadView = "Records";
        std::string BrowseView = "Browse Values";
        std::string Status = "Records Shown";
        std::string number = "Record";
    } Spoken;

    // ---- controls ----
    EditControl ViewFields;  // the titles of the columns; a click opens the chooser
    EditControl Status;      // what the rows are
    CheckControl Hbox{"Highlight"};
    EditControl number;  // the record number of the current record
    LabelControl BrowseLabel{"Browse:"};
    CheckControl ViewAll{"All Records"};
    CheckControl ViewSearched{"Search List Records"};
    CheckControl ViewSelected{"Selected Records"};
    ChoiceControl BrowseBy;              // the field whose values are browsed
    std::vector<BrowseItem> BrowseView;  // its distinct values, in order of first occurrence
    int BrowseViewIndex = -1;            // the value picked; -1 for none
    int BrowseFillCount = 0;             // counts the times BrowseView was filled or emptied
    std::array<std::vector<MenuItemControl>, 10> DMenu;  // category menus of descriptions 1..10
    std::vector<MenuItemControl> Checkb;                 // One1, Two1, Three1: the statuses
    std::vector<MenuItemControl> PictureMenu;            // "Select Image", "Clear Image"
    std::vector<MenuItemControl> PrintMenu;              // "Print Settings", "Print"
    // The column chooser and the next record on the search list, before the buttons every view
    // window repeats.
    ActionControl SelectFieldsTBtn, NextSearchTBtn;
    ViewToolBar Actions;

    // The grid: one fixed row of titles, then a row for each record shown.
    struct Grid {
        int RowCount = 2;
        int ColCount = 5;
        int Row = 1;  // the current cell
        int Col = 0;
        std::vector<int> ColWidths = std::vector<int>(5, DefaultColWidth);
        bool Silver = false;  // no record to show
    };
    Grid SpreadView;
    // Counts the fills, so that the window knows when rows and columns came and went.
    int FillCount = 0;

    int PopupRow = 0;     // the row the last pop-up menu was opened for
    int SelectedRow = 0;  // the row of the last cell selected
    bool PopupAllowed = false;
    // A row whose picture was cleared goes back to the default height; 0 for none. The window
    // sets it back to 0 once done.
    int RowHeightReset = 0;

    // ---- columns and cells ----
    std::string ReturnFieldTitle(int position) const;
    std::string ReturnFieldValue(const ItemRecord& record, int position, int recordNumber) const;
    // The field the column shows; nullptr for none.
    const RecordField* ColumnField(int position) const;
    // The position in the list of the record shown in the row; -1 for none.
    int ReturnDataNumber(int row) const;
    // Titles in row 0, the records' values below.
    std::string CellText(int row, int column) const;
    // The row's background; nothing for the grid's own.
    std::optional<RgbColour> CellColour(int row) const;
    // The picture a picture cell draws at its top-left corner; nothing for other cells.
    std::shared_ptr<const Bitmap> CellPicture(int row, int column);
    bool IsPictureColumn(int column) const;
    bool CellEditable(int row, int column) const;
    // The edit mask of the main window's detail box for detail columns; empty for the others.
    std::string EditMask(int column) const;

    // ---- filling ----
    void FormActivate();
    void FormDeactivate();
    void FillSpreadsheet();
    void FillView();
    void FillBrowseBy();
    // The record's value of the field BrowseBy names; nothing when it names none.
    std::optional<std::string> ReturnBrowseValue(const ItemRecord& record) const;

    // ---- the grid's events ----
    void SpreadViewSelectCell(int column, int row);
    // The text the in-place editor starts with: the whole stored value. The row's record
    // becomes current.
    std::string SpreadViewGetEditText(int column, int row);
    void SpreadViewSetEditText(int column, int row, const std::string& text);
    // A mouse button pressed on a cell: the right button selects it and gives the menu to pop
    // up at the pointer, if the cell has one; its choice goes to PopupMenuClick.
    const std::vector<MenuItemControl>* SpreadViewMouseDown(int column, int row, bool rightButton);
    // A key that does not move the current cell: the menu to pop up at the cell, if any.
    const std::vector<MenuItemControl>* SpreadViewKeyDown();
    // The entry chosen in the menu last handed out, by its indexes from the menu's top.
    void PopupMenuClick(const std::vector<int>& itemPath);
    void SpreadViewColumnMoved(int from, int to);
    void SpreadViewColumnResized(int column, int width);
    void SpreadViewDblClick();

    // ---- the boxes and buttons around it ----
    void ViewFieldsClick();  // the column chooser
    void numberEnter();
    void ViewAllClick();
    void ViewSearchedClick();
    void ViewSelectedClick();
    void BrowseByChange();
    void BrowseViewClick(int item);
    void HboxClick() {}  // the colours follow the box; the grid is drawn again

    // ---- tool bar ----
    void NextSearchTBtnClick();
    // Ctrl+Z and Ctrl+Shift+Z: the main window's history.
    void Undo1Click();
    void Redo1Click();
    void PrintMenuClick(int entry);  // 0 "Print Settings", 1 "Print"

private:
    enum class Menu { None, Description, Status, Picture };

    ItemRecord* RecordOfRow(int row) const;
    int CodeAt(int position) const;
    std::string CodeTitle(int code) const;
    std::string StatusText(const ItemRecord& record) const;
    void SetMode(SpreadsheetMode mode);
    void SelectCurrentRecord();
    void RecordChanged();
    void FillBrowseByEntries();
    const std::vector<MenuItemControl>* MenuOfColumn(int column);
    void StatusMenuClick(int status);
    void PictureMenuClick(int slot, int entry);

    Workspace& workspace_;
    // The field of each entry of BrowseBy.items, and whether the entry is a description's top
    // category rather than its whole value.
    struct BrowseField {
        const RecordField* field;
        bool primary;
    };
    std::vector<BrowseField> browseFields_;
    std::vector<int> rowRecords_;  // the list position shown in each data row, from row 1
    Menu menu_ = Menu::None;
    int menuColumn_ = -1;
    PictureCache pictures_;
};

}  // namespace quillmark
