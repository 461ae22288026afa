#pragma once

#include "engine/reports/font_setting.h"
#include "engine/reports/html_report.h"
#include "forms/controls.h"
#include "forms/view_tool_bar.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class Workspace;

// The HTML report window: the fields picked and ordered as the report's columns, an optional
// header and footer, the data cells' font and colour; the report saved as an HTML file or shown
// in the browser, and the choices kept in a format file.
class THTMLReport {
public:
    explicit THTMLReport(Workspace& workspace);

    std::string Caption = "Generate HTML Report";
    int Width = 720;
    int Height = 470;

    LabelControl FieldsLabel{"Report Items"};
    std::vector<HtmlReportItem> Fields;
    int FieldsIndex = -1;  // the selected line; -1 for none
    // An entry for each report field, in the order of their codes, carrying the code as its tag;
    // an item in Fields has its entry disabled.
    std::vector<MenuItemControl> ItemMenu;
    ButtonControl AddBtn{"Add", "Add a new field to the Report"};
    ButtonControl RemoveBtn{"Remove", "Remove the Last added field", false};
    ButtonControl MoveUpBtn{"Move Up", ""};
    ButtonControl MoveDownBtn{"Move Down", ""};
    CheckControl SearchListOnly{"Only include search list items."};
    LabelControl HeaderLabel{"Header HTML (Optional)"};
    MemoControl HeaderHTML;
    ButtonControl LoadHeaderBtn{"Load Header", ""};
    LabelControl FooterLabel{"Footer HTML (Optional)"};
    MemoControl FooterHTML;
    ButtonControl LoadFooterBtn{"Load Footer", ""};
    ButtonControl ViewBtn{"View", "", false};
    ButtonControl SaveHTMLBtn{"Save HTML", ""};

    ActionControl LoadFormatBtn, SaveFormatBtn, ClearBtn, FontBtn, ColorBtn, ppreview;
    std::vector<MenuItemControl> PreviewMenu;  // "Print Settings", "Print"
    ViewToolBar Actions;

    FontSetting ReportFont;               // the data cells' text colour and style
    RgbColour ReportColor = WhiteColour;  // the data cells' background
    HtmlReportTable ReportData;           // built by GenerateReport

    // The window's own buttons in tool bar order, before the common view buttons.
    std::vector<ActionControl*> ToolBar();

    // ---- the window comes and goes ----
    void FormActivate();

    // ---- the item list ----
    // The entry of ItemMenu picked after "Add", by its index.
    void ItemMenuClick(int entry);
    void FieldsClick(int line);
    void RemoveBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void ClearBtnClick();

    // ---- header, footer and look ----
    void LoadHeaderBtnClick();
    void LoadFooterBtnClick();
    void FontBtnClick();
    void ColorBtnClick();

    // ---- the report ----
    // Builds ReportData and writes the header and footer files; false, reported, when they
    // cannot be written.
    bool GenerateReport();
    void SaveHTMLBtnClick();
    void ViewBtnClick();
    // Builds the report for the menu the window then pops up under the button.
    void ppreviewClick();
    void PreviewMenuClick(int entry);  // 0 "Print Settings", 1 "Print"
    void PrintScreenTBtnClick();

    // ---- format files ----
    void SaveFormatBtnClick();
    void LoadFormatBtnClick();

private:
    void CaptionItemMenu();
    void SetItemState();
    void LoadLines(MemoControl& box, const std::string& title);
    bool WriteDocument(const std::string& path);
    std::string WorkingFile(const std::string& name) const;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request,
                                           const std::string& extension);

    Workspace& workspace_;
};

}  // namespace quillmark
