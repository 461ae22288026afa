#pragma once

#include "engine/reports/column_report.h"
#include "engine/reports/report_format_file.h"
#include "forms/controls.h"
#include "forms/view_tool_bar.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

class PageDevices;
class TOrvPrinter;
class Workspace;

// The regular report window: the items, columns, margins, fonts and head of a report laid out
// on pages, its preview, its format files, and the comma-delimited import that fills records
// in the order of its items.
class TPrintBox {
public:
    TPrintBox(Workspace& workspace, PageDevices& devices);
    ~TPrintBox();

    std::string Caption = "Report (All Records)";
    int Width = 599;
    int Height = 481;

    // ---- tool bar ----
    ActionControl LoadFormatTBtn, SaveFormatTBtn, ModeTBtn, ImportTBtn, PreviewTBtn;
    ViewToolBar Actions;
    // In the order the tool bar shows them, the view buttons after these; nullptr a gap.
    std::vector<ActionControl*> ToolBar();

    // ---- the items ----
    ButtonControl AddBtn, UndoBtn, ClearBtn;
    std::vector<MenuItemControl> ItemMenu;  // all 35 report items, tagged with their position
    MemoControl Fields;                     // "Items": the captions of those chosen
    std::vector<int> ReportItems;
    std::array<int, MaximumReportItems> ReportItemExtras{};
    int ItemCount() const { return static_cast<int>(ReportItems.size()); }

    // ---- the head, columns and margins ----
    CheckControl ReportTitleBox{"Report Title", true};
    EditControl TitleText;
    CheckControl HeaderBox{"Header", true};
    CheckControl DateBox{"Date", true};
    CheckControl PageNumbersBox{"Page Numbers", true};
    CheckControl RecordNumbersBox{"Record Numbers", true};
    SpinControl ColNum{3, 1, MaximumReportColumns, true};
    // Inches, 0 to 2, as typed in the boxes.
    EditControl LeftM, RightM, TopM, BottomM;
    CheckControl IndentBox{"Indent", false};
    CheckControl PortraitMode{"Portrait Mode", true};
    CheckControl LandscapeMode{"Landscape Mode", false};
    ButtonControl SetBtn;

    // The column header: a section per column, each drawn in its column's colour.
    struct ColumnSection {
        std::string caption;
        int width = 0;  // pixels
        bool operator==(const ColumnSection&) const = default;
    };
    // The sections always share the header's whole width, none narrower than a mouse can catch.
    std::vector<ColumnSection> Widths;
    int WidthsWidth = 450;  // the header's own width, kept by the window
    static constexpr int NarrowestSection = 10;
    std::string WidthsHint = "Click Column to Change Color.";
    std::array<RgbColour, ReportColumnColours> ColumnColours = ColumnReportSetup::FilledColours();

    // ---- fonts ----
    ButtonControl FontBtn;
    std::vector<MenuItemControl> FontMenu;
    FontBox HeaderFont{{}, "Title"};
    FontBox BodyFont{{}, "Body"};
    FontBox ValueFont{{}, "Value"};
    // What a screen reader calls the three boxes, which show a sample in their fonts.
    static constexpr std::array<const char*, 3> FontBoxNames = {"Title Font", "Body Font",
                                                                "Value Font"};
    PageFont ReportTitleFont, ReportBodyFont, ReportValueFont;

    int PrintableWidth = 0;
    int PrintableHeight = 0;
    // The cells of the last report laid out, for the preview's exports.
    ExportTable ExportGrid;

    // ---- the window comes and goes ----
    void FormActivate();
    void FormDeactivate();

    // ---- items ----
    // True when the window is to pop up ItemMenu; a report already full says so instead.
    bool AddBtnClick();
    void ItemMenuClick(int position);
    void UndoBtnClick();
    void ClearBtnClick();
    void EnableScreen();

    // ---- columns and fonts ----
    void CalculateSpace();
    void DoColumns();
    void SetBtnClick();
    // A section dragged to a width: the sections after it (before it, for the last one) give
    // or take the difference.
    void WidthsSectionResize(int section, int width);
    // The header's own width changed: the sections keep their shares of it.
    void WidthsResize(int width);
    // A margin box changed: the sections show their new widths on paper.
    void MarginChange();
    void WidthsSectionClick(int section);
    void FontMenuClick(int entry);  // 0 "Title", 1 "Body", 2 "Value"

    // ---- tool bar ----
    void LoadFormatTBtnClick();
    void SaveFormatTBtnClick();
    void ModeTBtnClick();
    void ImportTBtnClick();
    void PreviewTBtnClick();
    void PrintScreenTBtnClick();

    // The window's choices as a format file holds them, and back.
    ReportFormat CurrentFormat() const;
    void ApplyFormat(const ReportFormat& format);
    ColumnReportSetup Setup() const;

private:
    void DisableWithoutItems();
    void CaptionItemMenu();
    void CaptionSections();
    void FitSections();

    int captionedFor_ = -1;  // the printable width the captions were made for
    Workspace& workspace_;
    PageDevices& devices_;
};

}  // namespace quillmark
