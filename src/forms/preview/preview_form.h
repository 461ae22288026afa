#pragma once

#include "engine/reports/column_report.h"
#include "forms/controls.h"
#include "forms/services.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class PageDevices;
class TOrvPrinter;
class Workspace;

// The preview of a laid-out report: a page at a time at a chosen zoom, its margins and a
// measuring grid, printing a range of pages and exporting the report's cells.
class TOrvPreview {
public:
    TOrvPreview(Workspace& workspace, TOrvPrinter& store, const ExportTable& table,
                PageDevices& devices);

    std::string Caption = "Preview";
    // Measured by the window before it is shown and whenever it is resized: its client
    // area, the scrolling area's width and the screen's pixels per inch.
    int Width = 800;
    int Height = 600;
    int ScrollBoxWidth = 780;
    int ScreenPixelsPerInch = 96;

    ActionControl MarginBtn, GridBtn, PrintBtn, ExportBtn, CloseBtn;
    std::vector<MenuItemControl> ExportMenu;  // the export button's entries
    LabelControl Pages{"Page 1 of 1"};
    LabelControl ZoomLabel{"Zoom"};
    ChoiceControl Zoom;
    LabelControl SpinEdit1Label{"Page"};
    SpinControl SpinEdit1;  // the number of the page shown, 1 to the page count
    std::string SpinEdit1Hint;
    std::string ScrollBoxName = "Page View";  // what a screen reader calls the page shown

    // Screen pixels for an inch of paper, always a multiple of 4.
    int Scale = 4;
    int PageShown = 1;
    // The page picture's size and its distance from the scrolling area's left edge.
    int PictureWidth = 0;
    int PictureHeight = 0;
    int PictureLeft = 10;
    bool Closed = false;
    // The report's title when it shows one; the exports are called by it, else by the database.
    std::string ReportTitle;

    const TOrvPrinter& Store() const { return store_; }

    void FormShow();
    void FormResize();
    // The zoom box's text takes effect: an entry picked, Enter typed or the box left.
    void ZoomChange();
    // The page box's number takes effect, the same way.
    void SpinEdit1Change();
    void MarginBtnClick();
    void GridBtnClick();
    void PrintBtnClick();
    // 0 "Export to CSV", 1 "Export to HTML", 2 "Export to PDF".
    void ExportMenuClick(int entry);
    void CloseBtnClick();

private:
    int FitWidthScale() const;
    void ApplyScale(long long pixelsPerInch);
    void SizePicture();
    void ShowPage(int page);
    // Asks for a file to export to; nothing when the user gives up.
    std::optional<SaveFileChoice> ExportFile(const FileDialogRequest& request);

    Workspace& workspace_;
    TOrvPrinter& store_;
    const ExportTable& table_;
    PageDevices& devices_;
    std::string appliedZoom_;
};

}  // namespace quillmark
