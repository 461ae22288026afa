#include "forms/spreadsheet/select_spreadsheet_form.h"

#include "core/field_catalogue.h"
#include "core/record_fields.h"

#include <algorithm>
#include <utility>

namespace quillmark {

TSelectSpreadsheetForm::TSelectSpreadsheetForm(const std::vector<std::string>& titles,
                                               const Columns& columns)
{
    for (const RecordField* field : FieldsNumberedBy(&RecordField::sheetNumber)) {
        const std::size_t entry = FieldMenu.size();
        FieldMenu.push_back(
            {entry < titles.size() ? titles[entry] : std::string(), field->sheetNumber, true, {}});
    }
    RemoveBtn.enabled = false;
    for (const int code : columns) {
        const int entry = EntryOfCode(code);
        // A layout written by hand may name a field twice; it is listed once.
        if (entry >= 0 && FieldMenu[static_cast<std::size_t>(entry)].enabled) {
            AddField(entry);
        }
    }
}

int TSelectSpreadsheetForm::EntryOfCode(int code) const
{
    const auto entry = std::ranges::find(FieldMenu, code, &MenuItemControl::tag);
    return entry == FieldMenu.end() ? -1 : static_cast<int>(entry - FieldMenu.begin());
}

void TSelectSpreadsheetForm::AddField(int entry)
{
    MenuItemControl& item = FieldMenu[static_cast<std::size_t>(entry)];
    Fields.push_back({item.caption, item.tag});
    item.enabled = false;
    RemoveBtn.enabled = true;
}

void TSelectSpreadsheetForm::SetMenuEntry(int code, bool enabled)
{
    if (const int entry = EntryOfCode(code); entry >= 0) {
        FieldMenu[static_cast<std::size_t>(entry)].enabled = enabled;
    }
}

void TSelectSpreadsheetForm::FieldMenuClick(int entry)
{
    if (entry >= 0 && entry < static_cast<int>(FieldMenu.size()) &&
        FieldMenu[static_cast<std::size_t>(entry)].enabled) {
        AddField(entry);
    }
}

void TSelectSpreadsheetForm::RemoveBtnClick()
{
    if (!RemoveBtn.enabled || ItemIndex < 0 || ItemIndex >= static_cast<int>(Fields.size())) {
        return;
    }
    SetMenuEntry(Fields[static_cast<std::size_t>(ItemIndex)].code, true);
    Fields.erase(Fields.begin() + ItemIndex);
    ItemIndex = -1;
    if (Fields.size() < 2) {
        RemoveBtn.enabled = false;
    }
}

void TSelectSpreadsheetForm::UpBtnClick()
{
    if (ItemIndex >= 1 && ItemIndex < static_cast<int>(Fields.size())) {
        std::swap(Fields[static_cast<std::size_t>(ItemIndex)],
                  Fields[static_cast<std::size_t>(ItemIndex - 1)]);
        --ItemIndex;
    }
}

void TSelectSpreadsheetForm::DownBtnClick()
{
    if (Fields.size() >= 2 && ItemIndex >= 0 && ItemIndex < static_cast<int>(Fields.size()) - 1) {
        std::swap(Fields[static_cast<std::size_t>(ItemIndex)],
                  Fields[static_cast<std::size_t>(ItemIndex + 1)]);
        ++ItemIndex;
    }
}

void TSelectSpreadsheetForm::OKBtnClick()
{
    Chosen.fill(UnusedColumn);
    const std::size_t count = std::min(Fields.size(), Chosen.size());
    for (std::size_t column = 0; column < count; ++column) {
        Chosen[column] = Fields[column].code;
    }
    Accepted = true;
    Closed = true;
}

}  // namespace quillmark
