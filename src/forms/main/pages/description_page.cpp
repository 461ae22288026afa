#include "forms/main/pages/description_page.h"

#include "core/field_catalogue.h"

namespace quillmark {

namespace {

constexpr const char* DateMask = "!99/99/0000;1;_";

constexpr const char* FieldWords[10] = {"One", "Two",   "Three", "Four", "Five",
                                        "Six", "Seven", "Eight", "Nine", "Ten"};
}  // namespace

DescriptionPage::DescriptionPage()
{
    // The two boxes made for dates ("Birth Date", "Employment Date") take mm/dd/yyyy.
    Detail[2].mask = DateMask;
    Other[1].mask = DateMask;
    for (EditControl& box : DescBoxes) {
        box.readOnly = true;  // values are picked from the category menus, never typed
    }
}

std::string DescriptionPage::DescCaptionName(int field)
{
    return "Desc" + std::to_string(field);
}

std::string DescriptionPage::DescBoxName(int field)
{
    return std::string("Desc") + FieldWords[field - 1];
}

void DescriptionPage::Load(const ItemRecord& record, bool shortDescriptions)
{
    for (int field = 1; field <= 10; ++field) {
        DescBoxes[field].hint = record.Desc[field];
        DescBoxes[field].text = ShownDescriptionValue(record.Desc[field], shortDescriptions);
    }
    for (std::size_t i = 0; i < Detail.size(); ++i) {
        Detail[i].text = record.Detail[i];
    }
    for (int field = 1; field <= OtherFieldCount; ++field) {
        Other[field].text = record.Other[field];
    }
    CheckBox1.checked = record.Working;
    CheckBox2.checked = record.Available;
    CheckBox3.checked = record.NotAvailable;
}

void DescriptionPage::Store(ItemRecord& record) const
{
    record.Working = CheckBox1.checked;
    record.Available = CheckBox2.checked;
    record.NotAvailable = CheckBox3.checked;
    for (std::size_t i = 0; i < Detail.size(); ++i) {
        record.Detail[i] = Detail[i].text;
    }
    // The stored value lives in the hint; the text may be the short form.
    for (int field = 1; field <= 10; ++field) {
        record.Desc[field] = DescBoxes[field].hint;
    }
    for (int field = 1; field <= OtherFieldCount; ++field) {
        record.Other[field] = Other[field].text;
    }
}

void DescriptionPage::SetReadOnly(bool readOnly)
{
    for (EditControl& box : Detail) {
        box.readOnly = readOnly;
    }
    for (EditControl& box : Other) {
        box.readOnly = readOnly;
    }
    for (CheckControl* box : {&CheckBox1, &CheckBox2, &CheckBox3}) {
        box->enabled = !readOnly;
    }
}

}  // namespace quillmark
