#include "forms/album/album_form.h"

#include "core/program_settings.h"
#include "engine/pictures/thumbnails.h"
#include "forms/workspace.h"

#include <algorithm>
#include <cstdlib>

namespace quillmark {

CellRect AlbumPictureArea(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight,
                          bool autoSize, bool label)
{
    CellRect area{0, 0, cellWidth, cellHeight};
    if (!autoSize) {
        area.width = std::min(pictureWidth, cellWidth);
        area.height = std::min(pictureHeight, cellHeight);
    }
    if (label) {
        area.top = TAlbumView::LabelHeight;
        if (area.height >= cellHeight) {
            area.height = std::max(0, cellHeight - TAlbumView::LabelHeight);
        }
    }
    return area;
}

TAlbumView::TAlbumView(Workspace& workspace, ThumbnailCache& thumbnails)
    : Actions(workspace, ProgramWindow::Album, "Album View", "Close Album Window"),
      workspace_(workspace),
      thumbnails_(thumbnails)
{
    const WindowSize size =
        ReadWindowSize(workspace.settings, "AlbumW:", "AlbumH:", DefaultAlbumSize);
    Width = size.width;
    Height = size.height;
    for (auto& column : CellMap) {
        column.fill(-1);
    }
    // The page shows what Undo or Redo made of the records, even while another window has
    // the focus.
    workspace_.RedrawAfterHistory[ProgramWindow::Album] = [this] {
        Page = std::max(Page, 1);
        ShowSheet();
        workspace_.services.shell.RefreshWindow(ProgramWindow::Album);
    };
}

TAlbumView::~TAlbumView()
{
    workspace_.RedrawAfterHistory.erase(ProgramWindow::Album);
}

// ---- the window comes and goes ----

bool TAlbumView::SearchedRecords() const
{
    // The spreadsheet's browse mode shows the search list here: the caption says so.
    return workspace_.SpreadsheetMode != SpreadsheetMode::AllRecords;
}

void TAlbumView::FormActivate()
{
    Caption = SearchedRecords() ? "Album View (Searched Records)" : "Album View (All Records)";
    Page = std::max(Page, 1);
    Actions.CopySaveState();
    RowsChange();
}

void TAlbumView::FormDeactivate()
{
    try {
        WriteWindowSize(workspace_.settings, "AlbumW:", "AlbumH:", {Width, Height});
    } catch (const WriteError&) {
        // The size is a convenience; the main window reports a settings file it cannot write.
    }
}

void TAlbumView::FormResize(int gridWidth, int gridHeight)
{
    if (Printing) {
        return;
    }
    GridWidth = gridWidth;
    GridHeight = gridHeight;
    RowsChange();
}

// ---- pages and layout ----

void TAlbumView::ShowSheet()
{
    const ItemRecordList& records = workspace_.RecordList();
    const bool searched = SearchedRecords();
    const int perPage = Across * Down;
    int count = 0;
    int last = 0;
    while (true) {
        for (auto& column : CellMap) {
            column.fill(-1);
        }
        const int first = (Page - 1) * perPage + 1;
        last = Page * perPage;
        count = 0;
        int column = 0;
        int row = 0;
        for (std::size_t position = 0; position < records.size(); ++position) {
            if (searched && !records[position]->InSearchList) {
                continue;
            }
            ++count;
            if (count >= first && count <= last) {
                CellMap[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] =
                    static_cast<int>(position);
                if (++column == Across) {
                    column = 0;
                    ++row;
                }
            }
        }
        // A page beyond the records (after a bigger layout, or fewer records) steps back.
        if (count >= first) {
            break;
        }
        --Page;
    }
    Next.enabled = count > last;
    Previous.enabled = Page >= 2;
    const int pages = (count + perPage - 1) / perPage;
    pagenum.caption = "Page " + std::to_string(Page) + " of " + std::to_string(pages);
    // Pictures asked for by the page before are not wanted any more.
    thumbnails_.ForgetQueued();
}

void TAlbumView::RowsChange()
{
    Size.caption = std::to_string(Across) + " X " + std::to_string(Down);
    // Rounded down: a cell a pixel wider would push the last column out of the grid.
    CellWidth = std::max(1, GridWidth / Across - 2);
    CellHeight = std::max(1, GridHeight / Down - 2);
    ShowSheet();
}

void TAlbumView::SetLayout(int across, int down)
{
    Across = std::clamp(across, 1, MaxCells);
    Down = std::clamp(down, 1, MaxCells);
    RowsChange();
}

void TAlbumView::MoreRowsClick()
{
    SetLayout(Across + 1, Down);
}

void TAlbumView::LessRowsClick()
{
    SetLayout(Across - 1, Down);
}

void TAlbumView::MoreColsClick()
{
    SetLayout(Across, Down + 1);
}

void TAlbumView::LessColsClick()
{
    SetLayout(Across, Down - 1);
}

void TAlbumView::ImageChange()
{
    RowsChange();
}

void TAlbumView::NextClick()
{
    if (Next.enabled) {
        ++Page;
        ShowSheet();
    }
}

void TAlbumView::PreviousClick()
{
    if (Previous.enabled) {
        --Page;
        ShowSheet();
    }
}

void TAlbumView::ModeClick()
{
    Page = 1;
    if (workspace_.SpreadsheetMode == SpreadsheetMode::AllRecords) {
        workspace_.SpreadsheetMode = SpreadsheetMode::SearchList;
        Caption = "Album View (Searched Records)";
    } else {
        workspace_.SpreadsheetMode = SpreadsheetMode::AllRecords;
        Caption = "Album View (All Records)";
    }
    ShowSheet();
}

// ---- the cells ----

int TAlbumView::RecordAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= Across || row >= Down) {
        return -1;
    }
    const int position = CellMap[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    return workspace_.IsValidPosition(position) ? position : -1;
}

AlbumCell TAlbumView::AlbumGridDrawCell(int column, int row)
{
    AlbumCell cell;
    const int position = RecordAt(column, row);
    if (position < 0) {
        return cell;
    }
    const ItemRecord& record = *workspace_.RecordList()[static_cast<std::size_t>(position)];
    cell.empty = false;
    cell.current = position == workspace_.CurrentIndex;
    if (UseLabel.checked) {
        cell.label = std::to_string(position + 1) + ": " + record.RecordName;
    }
    const int picture = std::clamp(std::atoi(Image.text.c_str()), 1, PictureCount);
    const std::string& file = record.Images[picture].ImageFile;
    int pictureWidth = PlaceholderWidth;
    int pictureHeight = PlaceholderHeight;
    if (!file.empty()) {
        // Stretched pictures are wanted at the size they are drawn; the others only as far
        // as the cell shows them.
        const CellRect stretched =
            AlbumPictureArea(CellWidth, CellHeight, 0, 0, true, UseLabel.checked);
        const ThumbnailRequest request =
            AutoSize.checked
                ? ThumbnailRequest{file, stretched.width, stretched.height, PictureFit::Whole}
                : ThumbnailRequest{file, CellWidth, CellHeight, PictureFit::Corner};
        if (const std::optional<Thumbnail> thumbnail = thumbnails_.Find(request);
            thumbnail && thumbnail->bitmap) {
            cell.picture = thumbnail->bitmap;
            pictureWidth = thumbnail->pictureWidth;
            pictureHeight = thumbnail->pictureHeight;
        }
    }
    cell.area = AlbumPictureArea(CellWidth, CellHeight, pictureWidth, pictureHeight,
                                 AutoSize.checked, UseLabel.checked);
    return cell;
}

void TAlbumView::AlbumGridMouseDown(int column, int row, bool rightButton)
{
    const int position = RecordAt(column, row);
    if (position < 0) {
        return;
    }
    workspace_.CurrentIndex = position;
    if (rightButton) {
        workspace_.services.shell.ShowWindow(ProgramWindow::Spreadsheet);
    }
}

void TAlbumView::AlbumGridDblClick(int column, int row)
{
    const int position = RecordAt(column, row);
    if (position < 0) {
        return;
    }
    workspace_.CurrentIndex = position;
    workspace_.services.shell.ShowWindow(ProgramWindow::Main);
}

// ---- tool bar ----

void TAlbumView::PrintClick()
{
    // The page alone, without the buttons beside it.
    Printing = true;
    ControlPanelVisible = false;
    Width -= 155;
    Shell& shell = workspace_.services.shell;
    shell.RefreshWindow(ProgramWindow::Album);
    const bool printed = shell.FormPrint(ProgramWindow::Album);
    Width += 155;
    Printing = false;
    ControlPanelVisible = true;
    shell.RefreshWindow(ProgramWindow::Album);
    if (printed) {
        workspace_.services.dialogs.ShowInformation("Form sent to Printer.");
    }
}

}  // namespace quillmark
