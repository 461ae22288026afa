#include "forms/main/view_actions.h"

namespace quillmark {

namespace {

ActionControl Entry(std::string caption, std::string menuName, std::string shortcut = {})
{
    ActionControl action;
    action.caption = std::move(caption);
    action.menuName = std::move(menuName);
    action.shortcut = std::move(shortcut);
    return action;
}

// A menu entry that also has a tool button.
ActionControl Both(ActionControl entry, const ActionControl& button)
{
    entry.buttonName = button.buttonName;
    entry.hint = button.hint;
    entry.icon = button.icon;
    return entry;
}

}  // namespace

ViewActions::ViewActions()
{
    New = Entry("New", "New1");
    // The desktop's usual keys for the file commands; none of them is taken by another command.
    Open = Entry("Open", "Open1", "Ctrl+O");
    Save = Both(Entry("Save", "Save1", "Ctrl+S"),
                ToolButton("QuickSaveTBtn", "Save Database", "document-save"));
    SaveAs = Entry("Save As", "SaveAs1", "Ctrl+Shift+S");
    OpenFromServer = Entry("Open From Server...", "OpenFromServer1");
    SaveToServer = Entry("Save To Server...", "SaveToServer1");
    KeepBackupCopy = Entry("Keep a Backup Copy", "KeepBackupCopy1");
    KeepBackupCopy.checkable = true;
    KeepBackupCopy.checked = true;
    QuickExport = Entry("Quick Export", "QuickExport1");
    Merge = Entry("Merge", "Merge1");
    SetDatabaseInformation = Entry("Set Database Information", "SetDatabaseInformation1");
    SetDatabasePassword = Entry("Set Database Password", "SetDatabasePassword1");
    ResetApplication = Entry("Reset Application", "ResetApplication1");
    Close = Both(Entry("Close", "Close1", "Ctrl+Q"),
                 ToolButton("CloseTBtn", "Exit the Program", "application-exit"));

    // Named after the step they take back or do again; Ctrl+Y redoes too.
    Undo = Entry("Undo", "Undo1", "Ctrl+Z");
    Redo = Entry("Redo", "Redo1", "Ctrl+Shift+Z");
    NewRecord = Both(Entry("New Record", "NewRecord1", "Ctrl+N"),
                     ToolButton("NewRecordTBtn", "Add New Record", "document-new"));
    CopyRecord = Both(Entry("Copy Record", "CopyRecord1", "Ctrl+C"),
                      ToolButton("CopyRecordTBtn", "Copy Record", "edit-copy"));
    DeleteRecord = Both(Entry("Delete Record", "DeleteRecord1", "Ctrl+D"),
                        ToolButton("DeleteRecordTBtn", "Delete Record", "edit-delete"));
    InsertRecord = Both(Entry("Insert Record", "InsertRecord1", "Ctrl+I"),
                        ToolButton("InsertRecordTBtn", "Insert Record", "edit-paste"));
    PrintForm = Entry("Print Form", "PrintForm1");
    Ascending = Entry("Ascending", "Ascending1");
    Ascending.checkable = true;
    Ascending.checked = true;
    Descending = Entry("Descending", "Descending1");
    Descending.checkable = true;

    SearchRecords = Both(Entry("Search Records", "SearchRecords1"),
                         ToolButton("SearchTBtn", "Perform Search", "system-search"));
    AlbumView = Both(Entry("Album View", "AlbumView1"),
                     ToolButton("AlbumTBtn", "Generate Album View", "image-x-generic"));
    GraphView = Both(Entry("Graph View", "GraphView1"),
                     ToolButton("GraphTBtn", "Generate Graph", "office-chart-bar"));
    SpreadsheetView =
        Both(Entry("Spreadsheet View", "SpreadsheetView1"),
             ToolButton("SpreadsheetTBtn", "Generate Spreadsheet", "x-office-spreadsheet"));
    GenerateHTMLReport = Entry("Generate HTML Report", "GenerateHTMLReport1");
    GenerateRegularReport = Entry("Generate Regular Report", "GenerateRegularReport1");
    ShortDescriptionValues = Entry("Short Description Values", "ShortDescriptionValues1");
    ShortDescriptionValues.checkable = true;

    Calculator = Both(Entry("Calculator", "Calculator1"),
                      ToolButton("CalculatorTBtn", "Display Calculator", "accessories-calculator"));
    Calendar = Both(Entry("Calendar", "Calendar1"),
                    ToolButton("CalendarTBtn", "Display Calendar", "x-office-calendar"));
    ChangePictureFilePath = Entry("Change Picture File Path", "ChangePictureFilePath1");
    ChangeResumeFilePath = Entry("Change Resume File Path", "ChangeResumeFilePath1");

    Contents = Both(Entry("Contents", "Contents1", "F1"),
                    ToolButton("HelpTBtn", "Display Help", "help-contents"));
    Introduction = Entry("Introduction", "Introduction1");
    GettingStarted = Entry("Getting Started", "GettingStarted1");
    About = Entry("Quillmark", "About1");

    Previous = ToolButton("PreviousTBtn", "Previous Record in Database", "go-previous");
    Next = ToolButton("NextTBtn", "Next Record in Database", "go-next");
    PreviousSearch = ToolButton("PreviousSearchTBtn", "Previous Record On Search List",
                                "quillmark-search-list-previous");
    NextSearch =
        ToolButton("NextSearchTBtn", "Next Record on Search List", "quillmark-search-list-next");
    SortRecords = ToolButton("SortRecordTBtn", "Sort Records", "view-sort-ascending");
    DisplaySame = ToolButton("DisplaySameBtn", "Display Related Records", "view-filter");
    PrintScreen = ToolButton("PrintScreenTBtn", "Print a screenshot", "document-print");
    Report = ToolButton("ReportTBtn", "Generate Report", "x-office-document");
    ViewRecord = ToolButton("ViewRecordBtn", "Show the Record Window", "go-home");
    CdPlayer = ToolButton("CDButton", "Display CD Player", "media-optical-audio");

    // What later work builds is present but not offered yet.
    for (ActionControl* unbuilt : {&ViewRecord}) {
        unbuilt->enabled = false;
    }
    // Saving needs a file name, and merging a database opened from a file.
    Save.enabled = false;
    Merge.enabled = false;
    DeleteRecord.enabled = false;
    InsertRecord.enabled = false;
    Undo.enabled = false;
    Redo.enabled = false;
}

std::vector<MenuLayout> MainMenuLayout(ViewActions& a)
{
    MenuLayout sortMode{"Sort Mode", {&a.Ascending, &a.Descending}, {}};
    MenuLayout sortRecords{"Sort Records", {}, {}};
    return {
        {"File",
         {&a.New, &a.Open, &a.Save, &a.SaveAs, &a.KeepBackupCopy, nullptr, &a.OpenFromServer,
          &a.SaveToServer, nullptr, &a.QuickExport, &a.Merge, nullptr, &a.SetDatabaseInformation,
          &a.SetDatabasePassword, &a.ResetApplication, nullptr, &a.Close},
         {}},
        {"Edit",
         {&a.Undo, &a.Redo, nullptr, &a.NewRecord, &a.CopyRecord, &a.DeleteRecord, &a.InsertRecord,
          nullptr, &a.PrintForm, nullptr},
         {sortMode, sortRecords}},
        {"Report and View",
         {&a.SearchRecords, &a.AlbumView, &a.GraphView, &a.SpreadsheetView, nullptr,
          &a.GenerateHTMLReport, &a.GenerateRegularReport, nullptr, &a.ShortDescriptionValues},
         {}},
        {"Utilities",
         {&a.Calculator, &a.Calendar, nullptr, &a.ChangePictureFilePath, &a.ChangeResumeFilePath},
         {}},
        {"Help", {&a.Contents, &a.Introduction, &a.GettingStarted}, {}},
        {"About", {&a.About}, {}},
    };
}

std::vector<MenuItemControl> ReportMenuEntries(const ViewActions& actions)
{
    return {{actions.GenerateHTMLReport.caption,
             ReportMenuHtmlEntry,
             actions.GenerateHTMLReport.enabled,
             {}},
            {actions.GenerateRegularReport.caption,
             ReportMenuRegularEntry,
             actions.GenerateRegularReport.enabled,
             {}}};
}

std::vector<ActionControl*> ToolBarLayout(ViewActions& a)
{
    return {&a.Previous,
            &a.Next,
            &a.PreviousSearch,
            &a.NextSearch,
            nullptr,
            &a.NewRecord,
            &a.CopyRecord,
            &a.DeleteRecord,
            &a.InsertRecord,
            &a.SortRecords,
            &a.DisplaySame,
            nullptr,
            &a.PrintScreen,
            &a.SearchRecords,
            &a.AlbumView,
            &a.GraphView,
            &a.SpreadsheetView,
            &a.Report,
            &a.ViewRecord,
            nullptr,
            &a.Calculator,
            &a.Calendar,
            &a.CdPlayer,
            &a.Save,
            &a.Contents,
            &a.Close};
}

}  // namespace quillmark
