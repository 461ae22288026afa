#pragma once

#include "core/item_record.h"
#include "forms/controls.h"
#include "forms/main/pages/description_page.h"
#include "forms/main/pages/experience_page.h"
#include "forms/main/pages/notes_page.h"
#include "forms/main/pages/picture_page.h"
#include "forms/main/pages/salary_page.h"
#include "forms/main/pages/schedule_page.h"
#include "forms/main/pages/skills_page.h"
#include "forms/main/pick_list_form.h"
#include "forms/main/recent_files.h"
#include "forms/main/view_actions.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class Workspace;

// The main window: one record at a time on a notebook of seven pages, the record commands
// and the doors to every other window.
class TView {
public:
    explicit TView(Workspace& workspace);

    // The notebook's pages, in order.
    enum Page {
        DescriptionTab,
        SkillsTab,
        ExperienceTab,
        ScheduleTab,
        SalaryTab,
        NotesTab,
        PictureTab
    };
    static constexpr std::array<const char*, 7> PageCaptions = {
        "Description", "Skills", "Experience", "Schedule", "Salary", "Notes", "Picture"};

    // ---- controls ----
    std::string Caption = "Empty";  // the window title
    // The size saved in the settings; 0 when none is, for the window to open at the smallest
    // size that shows it whole. The window keeps them up to date as it is resized.
    int Width = 0;
    int Height = 0;
    LabelControl RecordTitle{"Name"};
    EditControl RecordName;
    LabelControl RecordLabel{"Record "};
    EditControl number;
    CheckControl ReadonlyBox{"Read Only"};
    CheckControl SearchListBox{"Search List"};
    int RecordBook = DescriptionTab;
    DescriptionPage Description;
    SkillsPage Skills;
    ExperiencePage Experience;
    SchedulePage Schedule;
    SalaryPage Salary;
    NotesPage Notes;
    PicturePage Picture;
    ViewActions Actions;
    std::vector<MenuItemControl> DisplaySameMenu;  // the related-records pop-up
    TPickListForm PickRelated;
    OneBasedArray<std::vector<MenuItemControl>, 10> DescMenus;  // DescMenu1 .. DescMenu10
    RecentFiles Recent;                                         // "Recent Files" in "File"

    bool Initialised = false;
    // The database named on the command line, opened at the first activation instead of the
    // offer to reopen the last one.
    std::string StartupFile;

    // ---- the window comes and goes ----
    void FormActivate();
    void FormDeactivate();

    // ---- the record on show ----
    void GetRecord(int position);  // show the record at the position

    // ---- "File" ----
    void New1Click();
    void Open1Click();
    void RecentFileClick(int entry);  // 0-based in Recent.Entries: opened as Open does
    bool Save1Click();                // true once the file is written
    bool SaveAs1Click();              // true once the file is written
    void OpenFromServer1Click();
    bool SaveToServer1Click();  // true once the database is on the server
    void KeepBackupCopy1Click();
    // Before the database's file is written over: when someone else changed it since it was
    // opened or last saved the user is asked, and may save under another name instead.
    // storeRecord: whether that Save As stores the record on show first, as the menu's does.
    enum class Overwrite { Confirmed, SavedElsewhere, NotSaved };
    Overwrite ConfirmOverwrite(bool storeRecord);
    void Merge1Click();
    void QuickExport1Click();
    void SetDatabaseInformation1Click();
    void SetDatabasePassword1Click();
    void ResetApplication1Click();
    // Before the program ends: offers to save; false keeps the program open.
    bool FormCloseQuery();
    // The program ends: the record on show is stored and the working files are tidied away.
    void FormClose();

    // ---- record bar and "Edit" ----
    void NextTBtnClick();
    void PreviousTBtnClick();
    void numberEnter();  // Enter pressed in the record number box
    void NewRecord1Click();
    void CopyRecord1Click();
    void DeleteRecord1Click();
    void InsertRecord1Click();
    void ReadonlyBoxClick();
    void Undo1Click();
    void Redo1Click();
    // The Edit menu's step names and the title's mark of a changed database.
    void ShowEditHistory();
    // A step was undone or redone: the record on show, the captions and menus as they now are.
    void HistoryApplied(bool settingsChanged);

    // ---- "Sort Records" and "Sort Mode" ----
    std::vector<MenuItemControl> SortSelect;  // "Sort Records", each entry tagged with its key
    std::vector<MenuItemControl> SortMenu;    // the tool button's pop-up: the same entries
    void SortSelectClick(int entry);          // 1-based, in SortSelect or SortMenu
    void SortRecordBtnClick();                // fills SortMenu; the window pops it up
    void AscendingClick();
    void DescendingClick();

    // ---- pages ----
    void RecordBookChange(int page);
    void SalaryTypeClick(int period);
    void HoursPerWeekEditChange();
    void SalaryEditChange();
    void WorkDaysPerWeekEditChange();
    void DayClick(int day);
    void EditSkillBtnClick();
    void ItemListDblClick();  // does nothing while the record is read-only
    void ImageBookChange(int tab);
    void ImageTitleChange();
    void SelectPictureClick();
    void ClearPictureClick();
    void AutosizeClick();
    void SelectResumeBtnClick();
    void ViewResumeBtnClick();

    // ---- description values, captions and date fields ----
    void MakeMenu(int field);      // rebuilds DescMenus[field] from the field's tree
    bool DescBoxClick(int field);  // true when the window is to pop up the field's menu
    // An entry of DescMenus[field], found by its indexes from the menu's top.
    void DescMenuClick(int field, const std::vector<int>& itemPath);
    void ShortDescriptionValues1Click();
    void CustomizeLabels(std::string_view labelName);  // "sn0", "Desc1", "OtherC1", ...
    // A click on "Detail0" .. "Detail9" or "Other1" .. "Other6" at a screen position.
    void DetailClick(std::string_view boxName, int pointerX, int pointerY);

    // ---- related records ----
    // Fills DisplaySameMenu; the window then pops it up at the pointer.
    void DisplaySameBtnClick();
    // An entry of DisplaySameMenu, by its index: lists the related records and shows the one
    // picked.
    void DisplaySameClick(std::size_t entry);

    // ---- the search list ----
    void SearchRecords1Click();  // shows the search window
    void SearchListBoxClick();
    // The spreadsheet walks the list through the main window too, as the caller.
    void NextSearchClick(bool fromSpreadsheet = false);
    void PreviousSearchClick(bool fromSpreadsheet = false);

    // ---- the spreadsheet ----
    void SpreadsheetView1Click();  // shows the spreadsheet window

    // ---- "Utilities": files that have moved to another folder ----
    void ChangePictureFilePath1Click();
    void ChangeResumeFilePath1Click();

    // ---- printing ----
    // "Print Form" and "Print a screenshot": the window's picture on one page.
    void QuickPrintClick();
    // An entry of Experience.PrintMenu, which the window pops up under the print button.
    void PrintMenuClick(int entry);

    // ---- the other windows ----
    void AlbumView1Click();
    void GraphView1Click();
    void GenerateRegularReport1Click();
    void CDButtonClick();
    void GenerateHTMLReport1Click();
    // An entry of the report menu (ReportMenuEntries) that "Generate Report" pops up.
    void ReportMenuClick(int entry);
    void Calculator1Click();
    void Calendar1Click();
    void Contents1Click();
    void Introduction1Click();
    void GettingStarted1Click();
    void About1Click();
    void Close1Click();

private:
    friend class ServerCommands;    // the server's File commands, in server_commands.cpp
    void SaveRecord(int position);  // store the window into the record at the position
    // The same for a command's step that watched the record: the change is the step's, not the
    // visit's.
    void SaveRecordInStep(int position);
    void LoadDefaults(int position);
    void SetReadOnlyState(bool readOnly);
    void SetSaveButtonState(bool enabled);
    // The database's captions on their labels, its trees and captions in the menus.
    void ShowFieldCaptions();
    // Opens the file after its name is known, asking for its passwords; also how the last
    // database is reopened at start-up.
    void OpenDatabase(const std::string& path);
    void MakeSortMenu();  // from the captions of the moment
    void MakeDescriptionMenus();
    std::string ReturnDescriptionValue(const std::string& value) const;
    void DescClick(int field, const std::vector<int>& itemPath);
    void ClearFieldClick(int field);
    void DescOneEnter(int field);  // "ADD NEW ... CATEGORY": the category editor
    // Copies the captions and masks the other windows read into the workspace.
    void PublishLabels();
    // The preference and the menu's check, which always agree.
    void SetShortDescriptions(bool shortDescriptions);
    void EnableDeleteWhenMoreThanOne();
    void StartEmptyDatabase();
    void DiscardDatabase();
    void DatabaseOpened(const std::string& path);  // the caller says it was opened
    // The question whether to let changes go, then the file dialog unless the file is known,
    // then the file opened.
    void OpenAfterAsking(std::optional<std::string> path);
    // A database opened or saved goes to the front of the recent files.
    void RememberFile(const std::string& path);
    bool SaveUnderNewName(bool storeRecord);
    // The database named on the command line, else the last one if the user wants it back.
    void OpenDatabaseAtStart();
    // Asks for the new folder and, once confirmed, lets moveFiles point every record's files
    // of that kind ("Picture", "Resume") into it.
    void ChangeFilePaths(const std::string& kind,
                         void (*moveFiles)(ItemRecord& record, const std::string& folder));
    void WalkSearchList(int step, bool fromSpreadsheet);

    // The record on show as it was when shown or last stored: its edits become one step.
    void RecordVisitStep(const std::shared_ptr<ItemRecord>& record);
    std::string Title() const;

    Workspace& workspace_;
    std::shared_ptr<ItemRecord> visited_;
    ItemRecord visitStart_;
};

}  // namespace quillmark
