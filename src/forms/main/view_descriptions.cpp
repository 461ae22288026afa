// The main window's description values, field captions and date fields.

#include "core/field_catalogue.h"
#include "forms/categories/add_description_form.h"
#include "forms/category_menus.h"
#include "forms/main/field_captions.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"

namespace quillmark {

namespace {

bool IsField(int field)
{
    return field >= 1 && field <= 10;
}

}  // namespace

void TView::MakeMenu(int field)
{
    if (!IsField(field)) {
        return;
    }
    DescMenus[field] = BuildDescriptionMenu(field, Description.DescCaptions[field].caption,
                                            workspace_.database.DescriptionTrees[field]);
}

void TView::MakeDescriptionMenus()
{
    for (int field = 1; field <= 10; ++field) {
        MakeMenu(field);
    }
}

std::string TView::ReturnDescriptionValue(const std::string& value) const
{
    return ShownDescriptionValue(value, workspace_.ShortDescriptions);
}

bool TView::DescBoxClick(int field)
{
    return IsField(field) && !ReadonlyBox.checked;
}

void TView::DescMenuClick(int field, const std::vector<int>& itemPath)
{
    if (!IsField(field) || itemPath.empty() || MenuItemAt(DescMenus[field], itemPath) == nullptr) {
        return;
    }
    if (itemPath.size() == 1 && itemPath.front() == AddCategoryEntry) {
        DescOneEnter(field);
    } else if (itemPath.size() == 1 && itemPath.front() == ClearFieldEntry) {
        ClearFieldClick(field);
    } else {
        DescClick(field, itemPath);
    }
}

void TView::DescClick(int field, const std::vector<int>& itemPath)
{
    if (!IsField(field)) {
        return;
    }
    const std::string value = DescriptionValueAt(DescMenus[field], itemPath);
    if (value.empty()) {
        return;
    }
    EditControl& box = Description.DescBoxes[field];
    box.text = ReturnDescriptionValue(value);
    box.hint = value;
    SaveRecord(workspace_.CurrentIndex);
}

void TView::ClearFieldClick(int field)
{
    if (!IsField(field)) {
        return;
    }
    if (ItemRecord* record = workspace_.RecordOnShow()) {
        record->Desc[field].clear();
    }
    Description.DescBoxes[field].text.clear();
    Description.DescBoxes[field].hint.clear();
    // Stored at once, as a picked value is: the spreadsheet's menu clears a cell as one step.
    SaveRecord(workspace_.CurrentIndex);
}

void TView::DescOneEnter(int field)
{
    if (!IsField(field)) {
        return;
    }
    SaveRecord(workspace_.CurrentIndex);
    CommandStep step(workspace_, CommandStep::Settings);
    {
        TAddDescription editor(workspace_, field);
        editor.Step = &step;
        workspace_.services.shell.RunDialog(editor);
    }
    step.Done("Changes to " +
              workspace_.database.DescriptionCaptions[static_cast<std::size_t>(field - 1)] +
              " Categories");
    // The editor's change to the record on show is in that step, not in this visit's.
    if (visited_) {
        visitStart_ = *visited_;
    }
    MakeMenu(field);
    // The editor may have renamed or assigned the value of the record on show.
    if (const ItemRecord* record = workspace_.RecordOnShow()) {
        Description.DescBoxes[field].hint = record->Desc[field];
        Description.DescBoxes[field].text = ReturnDescriptionValue(record->Desc[field]);
    }
    SaveRecord(workspace_.CurrentIndex);
}

void TView::ShortDescriptionValues1Click()
{
    SaveRecord(workspace_.CurrentIndex);
    SetShortDescriptions(!workspace_.ShortDescriptions);
    GetRecord(workspace_.CurrentIndex);
}

void TView::CustomizeLabels(std::string_view labelName)
{
    LabelControl* label = CaptionLabel(Description, labelName);
    if (label == nullptr) {
        return;
    }
    const std::optional<std::string> answer = workspace_.services.dialogs.InputBox(
        "Field Name", "Please enter a new Filed Name:", label->caption);
    label->caption = answer.value_or(label->caption);
    CommandStep step(workspace_, CommandStep::Settings);

    Database& database = workspace_.database;
    for (std::size_t i = 0; i < 10; ++i) {
        database.DetailCaptions[i] = Description.DetailCaptions[i].caption;
        database.DescriptionCaptions[i] = Description.DescCaptions[static_cast<int>(i) + 1].caption;
    }
    for (std::size_t i = 0; i < OtherFieldCount; ++i) {
        database.OtherCaptions[i] = Description.OtherCaptions[static_cast<int>(i) + 1].caption;
    }
    step.Done("Caption " + Quoted(label->caption));
    ShowFieldCaptions();
}

void TView::DetailClick(std::string_view boxName, int pointerX, int pointerY)
{
    if (ReadonlyBox.checked) {
        return;
    }
    const CaptionedBox field = DetailOrOtherBox(Description, boxName);
    if (field.box == nullptr || !IsDateCaption(field.caption->caption)) {
        return;
    }
    // The calendar starts at the box's own day, and closing it without a pick keeps the box
    // as it was: a birth date must not turn into today by a look at the calendar.
    const CalendarDate shown =
        CalendarDateFromText(field.box->text).value_or(workspace_.services.clock.Today());
    if (const std::optional<CalendarDate> picked =
            workspace_.services.dialogs.PickDate(pointerX + 10, pointerY + 10, shown)) {
        field.box->text = CalendarDateText(*picked);
    }
}

}  // namespace quillmark
