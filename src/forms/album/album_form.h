#pragma once

#include "forms/controls.h"
#include "forms/view_tool_bar.h"

#include <array>
#include <memory>
#include <string>

namespace quillmark {

class ThumbnailCache;
class Workspace;
struct Bitmap;

// A rectangle in pixels, relative to the cell it is drawn in.
struct CellRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CellRect&) const = default;
};

// Where a picture of its own size goes in a cell: without "Auto-Size" at its own size but no
// bigger than the cell (its top-left part shown), with it over the whole cell. "Label" takes
// the top 20 pixels: a picture shorter than the cell moves down, one as tall is squeezed.
CellRect AlbumPictureArea(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight,
                          bool autoSize, bool label);

// What one cell of the album's grid shows.
struct AlbumCell {
    bool empty = true;     // no record: the cell stays blank
    bool current = false;  // the record on show in the main window
    std::string label;     // "12: Smith" above the picture, or nothing
    // The picture, drawn stretched over area; nothing for the placeholder, which is also
    // shown while the picture is still being decoded.
    std::shared_ptr<const Bitmap> picture;
    CellRect area;
};

// The album window: one picture of each record, a page of across by down cells at a time, of
// all records or of those on the search list.
class TAlbumView {
public:
    // Pictures come through the cache, decoded off the window's thread when it has workers.
    TAlbumView(Workspace& workspace, ThumbnailCache& thumbnails);
    ~TAlbumView();
    TAlbumView(const TAlbumView&) = delete;
    TAlbumView& operator=(const TAlbumView&) = delete;

    static constexpr int MaxCells = 9;      // across and down each run from 1 to 9
    static constexpr int LabelHeight = 20;  // the record's number and name above its picture
    // The placeholder picture's own size.
    static constexpr int PlaceholderWidth = 96;
    static constexpr int PlaceholderHeight = 96;

    std::string Caption = "Album View (All Records)";
    int Width = 518;
    int Height = 437;
    bool Maximized = false;
    bool ControlPanelVisible = true;
    bool Printing = false;

    int Across = 3;  // pictures in a row (the hidden box Rows)
    int Down = 3;    // pictures in a column (the hidden box Cols)
    int Page = 1;
    int GridWidth = 353;  // the grid's size in pixels, as the window lays it out
    int GridHeight = 376;
    int CellWidth = 0;
    int CellHeight = 0;
    // The record position in each cell, [column][row]; -1 for an empty cell.
    std::array<std::array<int, MaxCells>, MaxCells> CellMap{};

    LabelControl pagenum{"Page 0 of 0"};
    LabelControl Size{"3 X 3"};
    CheckControl UseLabel{"Label"};
    CheckControl AutoSize{"Auto-Size"};
    // The arrows around FullScreen. Despite their names, MoreRows and LessRows change the
    // pictures across (the hidden box Rows), MoreCols and LessCols the pictures down.
    ButtonControl MoreRows{"", "More pictures across"};
    ButtonControl LessRows{"", "Fewer pictures across"};
    ButtonControl MoreCols{"", "More pictures down"};
    ButtonControl LessCols{"", "Fewer pictures down"};
    ButtonControl FullScreen{"", "Fill the screen, or back"};
    LabelControl ImageLabel{"Record Image"};
    ChoiceControl Image{{"1", "2", "3", "4", "5", "6"}, "1"};
    ButtonControl Previous{"Previous", ""};
    ButtonControl Next{"Next", ""};
    ButtonControl Mode{"Mode", ""};
    ViewToolBar Actions;

    // ---- the window comes and goes ----
    void FormActivate();
    void FormDeactivate();
    // The grid has a new size.
    void FormResize(int gridWidth, int gridHeight);

    // ---- pages and layout ----
    void ShowSheet();
    void RowsChange();
    void NextClick();
    void PreviousClick();
    void ModeClick();
    void MoreRowsClick();
    void LessRowsClick();
    void MoreColsClick();
    void LessColsClick();
    void ImageChange();  // a new picture number in Image.text
    void FullScreenClick() { Maximized = !Maximized; }

    // ---- the cells ----
    AlbumCell AlbumGridDrawCell(int column, int row);
    // A button pressed over a cell: the record there becomes the current one; the right
    // button shows the spreadsheet too.
    void AlbumGridMouseDown(int column, int row, bool rightButton);
    void AlbumGridDblClick(int column, int row);

    // ---- tool bar ----
    void PrintClick();

private:
    int RecordAt(int column, int row) const;
    bool SearchedRecords() const;
    void SetLayout(int across, int down);

    Workspace& workspace_;
    ThumbnailCache& thumbnails_;
};

}  // namespace quillmark
