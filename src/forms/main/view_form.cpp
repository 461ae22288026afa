#include "forms/main/view_form.h"

#include "core/random_source.h"
#include "core/whole_number.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

namespace {

// What the window holds, into a record.
void StoreWindow(TView& view, ItemRecord& record)
{
    record.RecordName = view.RecordName.text;
    record.ReadOnly = view.ReadonlyBox.checked;
    view.Picture.Store(record);
    view.Notes.Store(record);
    view.Experience.Store(record);
    view.Description.Store(record);
    view.Salary.Store(record);
    view.Schedule.Store(record);
    view.Skills.Store(record);
}

}  // namespace

TView::TView(Workspace& workspace) : Recent(workspace.settings), workspace_(workspace)
{
    Recent.Read();
    const WindowSize size = ReadWindowSize(workspace.settings, "ViewW:", "ViewH:", {});
    Width = size.width;
    Height = size.height;
    number.text = "0";
    number.hint = "Enter the record you want to go to here ";
    ShowFieldCaptions();
}

// ---- the window comes and goes ----

void TView::FormActivate()
{
    if (!Initialised) {
        Initialised = true;
        OpenDatabaseAtStart();
        workspace_.ChangeFlag = true;
        workspace_.CurrentIndex = -1;
    }
    ShowFieldCaptions();
    // Whatever was copied or cut before is no longer offered for insertion.
    workspace_.ClipboardRecord = std::make_shared<ItemRecord>();
    Actions.InsertRecord.enabled = false;
    if (!workspace_.DatabaseLoaded) {
        StartEmptyDatabase();
    } else {
        if (workspace_.CurrentIndex == -1) {
            workspace_.CurrentIndex = 0;
        }
        workspace_.SpreadsheetIsCaller = false;
        GetRecord(workspace_.CurrentIndex);
    }
    EnableDeleteWhenMoreThanOne();
}

void TView::FormDeactivate()
{
    SaveRecord(workspace_.CurrentIndex);
}

// ---- the record on show ----

void TView::LoadDefaults(int position)
{
    RecordName.text.clear();
    for (EditControl& detail : Description.Detail) {
        detail.text.clear();
    }
    Description.CheckBox1.checked = false;
    Description.CheckBox2.checked = false;
    Description.CheckBox3.checked = false;
    number.text = std::to_string(position + 1);
    Picture.LoadDefaults();
}

void TView::GetRecord(int position)
{
    if (workspace_.RecordCount() == 0) {
        return;
    }
    // Callers keep the position in the list; a stray one shows the nearest record instead.
    position = std::clamp(position, 0, workspace_.RecordCount() - 1);
    workspace_.CurrentIndex = position;
    LoadDefaults(position);
    const std::shared_ptr<ItemRecord>& shown =
        workspace_.RecordList()[static_cast<std::size_t>(position)];
    ItemRecord& record = *shown;
    // A new visit: what is stored from here on is compared with the record as it is now.
    workspace_.History.EndVisit();
    ShowEditHistory();

    ReadonlyBox.checked = record.ReadOnly;
    SetReadOnlyState(record.ReadOnly);
    Picture.Load(record);
    RecordName.text = record.RecordName;
    Description.Load(record, workspace_.ShortDescriptions);
    Salary.Load(record);
    SearchListBox.checked = record.InSearchList;
    Notes.Load(record);
    Experience.Load(record);
    Schedule.Load(record);
    Skills.Load(record, workspace_.database.SkillNames);
    // A new visit: what is stored from here on is compared with what storing the window
    // unchanged would give, so that showing a record is no change of it.
    visited_ = shown;
    visitStart_ = record;
    StoreWindow(*this, visitStart_);
}

void TView::SaveRecord(int position)
{
    if (!workspace_.IsValidPosition(position)) {
        return;
    }
    const std::shared_ptr<ItemRecord>& stored =
        workspace_.RecordList()[static_cast<std::size_t>(position)];
    StoreWindow(*this, *stored);
    RecordVisitStep(stored);
}

void TView::SaveRecordInStep(int position)
{
    if (!workspace_.IsValidPosition(position)) {
        return;
    }
    const std::shared_ptr<ItemRecord>& stored =
        workspace_.RecordList()[static_cast<std::size_t>(position)];
    StoreWindow(*this, *stored);
    if (stored == visited_) {
        visitStart_ = *stored;
    }
}

void TView::SetReadOnlyState(bool readOnly)
{
    RecordName.readOnly = readOnly;
    Description.SetReadOnly(readOnly);
    Notes.SetReadOnly(readOnly);
    Salary.SetReadOnly(readOnly);
    Schedule.SetReadOnly(readOnly);
    Experience.SetReadOnly(readOnly);
    Skills.SetReadOnly(readOnly);
    Picture.SetReadOnly(readOnly);
}

void TView::SetSaveButtonState(bool enabled)
{
    Actions.Save.enabled = enabled;
}

void TView::ShowFieldCaptions()
{
    const Database& database = workspace_.database;
    for (int field = 1; field <= 10; ++field) {
        Description.DescCaptions[field].caption =
            database.DescriptionCaptions[static_cast<std::size_t>(field - 1)];
    }
    for (std::size_t i = 0; i < 10; ++i) {
        Description.DetailCaptions[i].caption = database.DetailCaptions[i];
    }
    for (int field = 1; field <= OtherFieldCount; ++field) {
        Description.OtherCaptions[field].caption =
            database.OtherCaptions[static_cast<std::size_t>(field - 1)];
    }
    PublishLabels();
    // The menus are made from the captions and trees: a database opened, merged or started
    // anew, or a caption renamed, shows in them at once.
    MakeDescriptionMenus();
    MakeSortMenu();
}

void TView::PublishLabels()
{
    RecordLabels& labels = workspace_.Labels;
    labels.Name = RecordTitle.caption;
    labels.Status = Description.boxname.caption;
    labels.StatusNames = {Description.CheckBox1.caption, Description.CheckBox2.caption,
                          Description.CheckBox3.caption};
    labels.Keywords = Notes.KeywordsLabel.caption;
    labels.ResumeFile = Notes.ResumeFileLabel.caption;
    labels.Notes = Notes.NotesLabel.caption;
    for (int field = 1; field <= 10; ++field) {
        labels.DescriptionCaptions[field] = Description.DescCaptions[field].caption;
    }
    for (std::size_t detail = 0; detail < labels.DetailMasks.size(); ++detail) {
        labels.DetailMasks[detail] = Description.Detail[detail].mask;
    }
}

void TView::SetShortDescriptions(bool shortDescriptions)
{
    workspace_.ShortDescriptions = shortDescriptions;
    Actions.ShortDescriptionValues.checked = shortDescriptions;
}

// ---- record bar and "Edit" ----

void TView::NextTBtnClick()
{
    if (workspace_.CurrentIndex < workspace_.RecordCount() - 1) {
        SaveRecord(workspace_.CurrentIndex);
        GetRecord(workspace_.CurrentIndex + 1);
    } else {
        workspace_.services.dialogs.ShowInformation(
            "You are already on the last record in the database.");
    }
}

void TView::PreviousTBtnClick()
{
    if (workspace_.CurrentIndex >= 1 && workspace_.RecordCount() > 0) {
        SaveRecord(workspace_.CurrentIndex);
        GetRecord(workspace_.CurrentIndex - 1);
    } else {
        workspace_.services.dialogs.ShowInformation(
            "You are already on the first item in the database.");
    }
}

void TView::numberEnter()
{
    SaveRecord(workspace_.CurrentIndex);
    const std::optional<int> typed = ReadTypedNumber(number.text);
    if (!typed) {
        workspace_.services.dialogs.ShowInformation(
            "You have entered an invalid number, please try again");
        return;
    }
    const auto wanted = static_cast<long long>(*typed) - 1;
    const int position = static_cast<int>(
        std::clamp<long long>(wanted, 0, std::max(workspace_.RecordCount() - 1, 0)));
    workspace_.SpreadsheetIsCaller = false;
    GetRecord(position);
}

void TView::NewRecord1Click()
{
    if (workspace_.CurrentIndex > -1) {
        SaveRecord(workspace_.CurrentIndex);
    }
    CommandStep step(workspace_);
    ItemRecordList& records = workspace_.RecordList();
    records.push_back(CreateRecord(records, workspace_.services.random));
    workspace_.CurrentIndex = workspace_.RecordCount() - 1;
    workspace_.SpreadsheetIsCaller = false;
    GetRecord(workspace_.CurrentIndex);
    EnableDeleteWhenMoreThanOne();
    step.Done("New Record");
}

void TView::CopyRecord1Click()
{
    if (!workspace_.IsValidPosition(workspace_.CurrentIndex)) {
        return;
    }
    Actions.InsertRecord.enabled = true;
    // A reference, not a snapshot: later edits to the record are part of what is inserted.
    workspace_.ClipboardRecord =
        workspace_.RecordList()[static_cast<std::size_t>(workspace_.CurrentIndex)];
}

void TView::DeleteRecord1Click()
{
    if (ReadonlyBox.checked) {
        workspace_.services.dialogs.ShowInformation("You may not delete read only records.");
        return;
    }
    ItemRecordList& records = workspace_.RecordList();
    if (records.size() >= 2 && workspace_.IsValidPosition(workspace_.CurrentIndex)) {
        // Edits made on screen go with the record, so that Insert brings them back too.
        SaveRecord(workspace_.CurrentIndex);
        CommandStep step(workspace_);
        const auto at = records.begin() + workspace_.CurrentIndex;
        const std::string name = (*at)->RecordName;
        workspace_.ClipboardRecord = *at;
        records.erase(at);
        workspace_.ChangeFlag = true;
        if (workspace_.CurrentIndex == workspace_.RecordCount()) {
            --workspace_.CurrentIndex;
        }
        workspace_.SpreadsheetIsCaller = false;
        GetRecord(workspace_.CurrentIndex);
        Actions.InsertRecord.enabled = true;
        step.Done("Delete Record " + Quoted(name));
    }
    if (records.size() <= 1) {
        Actions.DeleteRecord.enabled = false;
    }
}

void TView::InsertRecord1Click()
{
    if (!workspace_.ClipboardRecord) {
        return;
    }
    // The window is stored first: inserting must not drop what was typed into the record on show.
    SaveRecord(workspace_.CurrentIndex);
    CommandStep step(workspace_);
    ItemRecordList& records = workspace_.RecordList();
    const int position = std::clamp(workspace_.CurrentIndex, 0, workspace_.RecordCount());
    records.insert(records.begin() + position,
                   std::make_shared<ItemRecord>(*workspace_.ClipboardRecord));
    workspace_.ChangeFlag = true;
    workspace_.SpreadsheetIsCaller = false;
    GetRecord(position);
    Actions.InsertRecord.enabled = false;
    EnableDeleteWhenMoreThanOne();
    step.Done("Insert Record " + Quoted(workspace_.ClipboardRecord->RecordName));
}

void TView::ReadonlyBoxClick()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        record->ReadOnly = ReadonlyBox.checked;
    }
    SetReadOnlyState(ReadonlyBox.checked);
}

void TView::EnableDeleteWhenMoreThanOne()
{
    if (workspace_.RecordCount() > 1) {
        Actions.DeleteRecord.enabled = true;
    }
}

// ---- pages ----

void TView::RecordBookChange(int page)
{
    RecordBook = page;
    Picture.PageShown(page == PictureTab);
    if (page == SalaryTab) {
        if (ItemRecord* record = workspace_.RecordOnShow()) {
            Salary.PageShown(*record);
        }
    }
}

void TView::SalaryTypeClick(int period)
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        Salary.SalaryTypeClick(period, *record);
    }
}

void TView::HoursPerWeekEditChange()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        Salary.HoursPerWeekEditChange(*record);
    }
}

void TView::SalaryEditChange()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        Salary.SalaryEditChange(*record);
    }
}

void TView::WorkDaysPerWeekEditChange()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        Salary.WorkDaysPerWeekEditChange(*record);
    }
}

void TView::DayClick(int day)
{
    Schedule.DayClick(day);
}

void TView::ImageBookChange(int tab)
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        // The file name of the tab being left goes with its picture, as at any store.
        Picture.Store(*record);
        Picture.ImageBookChange(tab, *record);
    }
}

void TView::ImageTitleChange()
{
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        Picture.ImageTitleChange(*record);
    }
}

void TView::SelectPictureClick()
{
    Picture.SelectPictureClick(workspace_.services.dialogs, workspace_.RecordOnShow());
}

void TView::ClearPictureClick()
{
    Picture.ClearPictureClick(workspace_.RecordOnShow());
}

void TView::AutosizeClick()
{
    Picture.AutosizeClick();
}

// ---- the other windows ----

void TView::Calculator1Click()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::Calculator);
}

void TView::Calendar1Click()
{
    const ScreenSize screen = workspace_.services.shell.Screen();
    workspace_.services.shell.ShowCalendarAt((screen.width - 100) / 2, (screen.height - 200) / 2);
}

void TView::Contents1Click()
{
    workspace_.services.shell.OpenHelp("");
}

void TView::Introduction1Click()
{
    workspace_.services.shell.OpenHelp("Introduction");
}

void TView::GettingStarted1Click()
{
    workspace_.services.shell.OpenHelp("Getting Started");
}

void TView::About1Click()
{
    workspace_.services.shell.ShowWindow(ProgramWindow::About);
}

void TView::Close1Click()
{
    if (FormCloseQuery()) {
        FormClose();
        workspace_.services.shell.ExitProgram();
    }
}

}  // namespace quillmark
