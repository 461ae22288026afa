#pragma once

#include "forms/controls.h"

#include <string>
#include <vector>

namespace quillmark {

// The main window's commands: its menu entries and tool buttons.
struct ViewActions {
    ViewActions();

    // "File"
    ActionControl New, Open, Save, SaveAs, OpenFromServer, SaveToServer, KeepBackupCopy,
        QuickExport, Merge, SetDatabaseInformation, SetDatabasePassword, ResetApplication, Close;
    // "Edit"
    ActionControl Undo, Redo, NewRecord, CopyRecord, DeleteRecord, InsertRecord, PrintForm,
        Ascending, Descending;
    // "Report and View"
    ActionControl SearchRecords, AlbumView, GraphView, SpreadsheetView, GenerateHTMLReport,
        GenerateRegularReport, ShortDescriptionValues;
    // "Utilities"
    ActionControl Calculator, Calendar, ChangePictureFilePath, ChangeResumeFilePath;
    // "Help" and "About"
    ActionControl Contents, Introduction, GettingStarted, About;
    // Tool buttons without a menu entry of their own.
    ActionControl Previous, Next, PreviousSearch, NextSearch, SortRecords, DisplaySame, PrintScreen,
        Report, ViewRecord, CdPlayer;
};

// How the menu bar and the tool bar are laid out, for the window to build them.
struct MenuLayout {
    std::string caption;
    // nullptr stands for a separator; a submenu is listed by its caption in submenus.
    std::vector<ActionControl*> entries;
    std::vector<MenuLayout> submenus;  // shown after the entries
};

std::vector<MenuLayout> MainMenuLayout(ViewActions& actions);
std::vector<ActionControl*> ToolBarLayout(ViewActions& actions);

// The report menu the "Generate Report" buttons pop up: the report entries of "Report and
// View", enabled as they are there.
inline constexpr int ReportMenuHtmlEntry = 0;
inline constexpr int ReportMenuRegularEntry = 1;
std::vector<MenuItemControl> ReportMenuEntries(const ViewActions& actions);

}  // namespace quillmark
