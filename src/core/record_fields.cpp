#include "core/record_fields.h"

#include "core/database.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <stdexcept>

namespace quillmark {

namespace {

template <int Field>
std::string& Desc(ItemRecord& record)
{
    return record.Desc[Field];
}
template <std::size_t Index>
std::string& Detail(ItemRecord& record)
{
    return record.Detail[Index];
}
template <int Field>
std::string& Other(ItemRecord& record)
{
    return record.Other[Field];
}
template <int Period>
std::string& Salary(ItemRecord& record)
{
    return record.SalaryFigures[Period];
}
std::string& Name(ItemRecord& record)
{
    return record.RecordName;
}
std::string& Hours(ItemRecord& record)
{
    return record.HoursPerWeek;
}
std::string& WorkDays(ItemRecord& record)
{
    return record.WorkDaysPerWeek;
}
StringList& Keywords(ItemRecord& record)
{
    return record.Keywords;
}
StringList& ResumeFile(ItemRecord& record)
{
    return record.ResumeFile;
}
StringList& Notes(ItemRecord& record)
{
    return record.Notes;
}

using C = CaptionList;
using K = FieldKind;
constexpr int no = NotNumbered;  // the table's short word for it

// The numbers of the ten description, ten detail and six other fields, of the pictures and of
// the pay periods run in steps of 10 (search tags, spreadsheet and report numbers, related-record
// codes) or of 1 (sort keys, export columns) because files made by earlier versions store them.
// clang-format off
constexpr RecordField Fields[] = {
    // key           title                captions    idx kind             text        lines        sort search sheet report export relation flags
    {"Desc1",        "",                  C::Description,0, K::Category,     &Desc<1>,   nullptr,     1,  0,   10,  10,  1,  0, Imported},
    {"Desc2",        "",                  C::Description,1, K::Category,     &Desc<2>,   nullptr,     2,  10,  20,  20,  2,  10, Imported},
    {"Desc3",        "",                  C::Description,2, K::Category,     &Desc<3>,   nullptr,     3,  20,  30,  30,  3,  20, Imported},
    {"Desc4",        "",                  C::Description,3, K::Category,     &Desc<4>,   nullptr,     4,  30,  40,  40,  4,  30, Imported},
    {"Desc5",        "",                  C::Description,4, K::Category,     &Desc<5>,   nullptr,     5,  40,  50,  50,  5,  40, Imported},
    {"Desc6",        "",                  C::Description,5, K::Category,     &Desc<6>,   nullptr,     6,  50,  60,  60,  6,  50, Imported},
    {"Desc7",        "",                  C::Description,6, K::Category,     &Desc<7>,   nullptr,     7,  60,  70,  70,  7,  60, Imported},
    {"Desc8",        "",                  C::Description,7, K::Category,     &Desc<8>,   nullptr,     8,  70,  80,  80,  8,  70, Imported},
    {"Desc9",        "",                  C::Description,8, K::Category,     &Desc<9>,   nullptr,     9,  80,  90,  90,  9,  80, Imported},
    {"Desc10",       "",                  C::Description,9, K::Category,     &Desc<10>,  nullptr,     10, 90,  100, 100, 10, 90, Imported},
    {"Detail0",      "",                  C::Detail,     0, K::Text,         &Detail<0>, nullptr,     11, 100, 110, 110, 11, 100, Imported},
    {"Detail1",      "",                  C::Detail,     1, K::Text,         &Detail<1>, nullptr,     12, 110, 120, 120, 12, 110, Imported},
    {"Detail2",      "",                  C::Detail,     2, K::Text,         &Detail<2>, nullptr,     13, 120, 130, 130, 13, 120, MaskedRange | Imported},
    {"Detail3",      "",                  C::Detail,     3, K::Text,         &Detail<3>, nullptr,     14, 130, 140, 140, 14, 130, MaskedRange | Imported},
    {"Detail4",      "",                  C::Detail,     4, K::Text,         &Detail<4>, nullptr,     15, 140, 150, 150, 15, 140, MaskedRange | Imported},
    {"Detail5",      "",                  C::Detail,     5, K::Text,         &Detail<5>, nullptr,     16, 150, 160, 160, 16, 150, MaskedRange | Imported},
    {"Detail6",      "",                  C::Detail,     6, K::Text,         &Detail<6>, nullptr,     17, 160, 170, 170, 17, 160, Imported},
    {"Detail7",      "",                  C::Detail,     7, K::Text,         &Detail<7>, nullptr,     18, 170, 180, 180, 18, 170, Imported},
    {"Detail8",      "",                  C::Detail,     8, K::Text,         &Detail<8>, nullptr,     19, 180, 190, 190, 19, 180, Imported},
    {"Detail9",      "",                  C::Detail,     9, K::Text,         &Detail<9>, nullptr,     20, 190, 200, 200, 20, 190, MaskedRange | Imported},
    {"Status",       "Status",            C::None,       0, K::Status,       nullptr,    nullptr,     no, 200, 210, 210, 21, 200, Imported},
    {"RecordNumber", "Record #",          C::None,       0, K::RecordNumber, nullptr,    nullptr,     no, no,  220, 220, no, no,  NoFlags},
    {"Name",         "Name",              C::None,       0, K::Text,         &Name,      nullptr,     27, 210, 230, 230, 0,  no, TypedValue | Imported},
    {"Keywords",     "Keywords",          C::None,       0, K::Lines,        nullptr,    &Keywords,   no, 220, no,  no,  no, no,  TypedValue},
    {"ResumeFile",   "Resume File",       C::None,       0, K::Lines,        nullptr,    &ResumeFile, no, 230, no,  no,  no, no,  TypedValue},
    {"Notes",        "Notes",             C::None,       0, K::Lines,        nullptr,    &Notes,      no, 240, no,  no,  no, no,  TypedValue},
    {"Experience",   "Experience",        C::None,       0, K::Experience,   nullptr,    nullptr,     no, 250, no,  no,  no, no, TypedValue | RepeatsInSearch},
    {"Schedule",     "Schedule",          C::None,       0, K::Schedule,     nullptr,    nullptr,     no, 195, no,  no,  no, no, RepeatsInSearch},
    {"Skills",       "Skills",            C::None,       0, K::Skills,       nullptr,    nullptr,     no, 197, no,  no,  no, no, RepeatsInSearch},
    {"Other1",       "",                  C::Other,      0, K::Text,         &Other<1>,  nullptr,     21, 260, 300, 240, 22, no,  TypedValue},
    {"Other2",       "",                  C::Other,      1, K::Text,         &Other<2>,  nullptr,     22, 270, 310, 250, 23, no,  TypedValue},
    {"Other3",       "",                  C::Other,      2, K::Text,         &Other<3>,  nullptr,     23, 280, 320, 260, 24, no,  TypedValue},
    {"Other4",       "",                  C::Other,      3, K::Text,         &Other<4>,  nullptr,     24, 290, 330, 270, 25, no,  TypedValue},
    {"Other5",       "",                  C::Other,      4, K::Text,         &Other<5>,  nullptr,     25, 300, 340, 280, 26, no,  TypedValue},
    {"Other6",       "",                  C::Other,      5, K::Text,         &Other<6>,  nullptr,     26, 310, 350, 290, 27, no,  TypedValue},
    {"Image1",       "Image One",         C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  240, no,  no, no,  NoFlags},
    {"Image2",       "Image Two",         C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  250, no,  no, no,  NoFlags},
    {"Image3",       "Image Three",       C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  260, no,  no, no,  NoFlags},
    {"Image4",       "Image Four",        C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  270, no,  no, no,  NoFlags},
    {"Image5",       "Image Five",        C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  280, no,  no, no,  NoFlags},
    {"Image6",       "Image Six",         C::None,       0, K::Picture,      nullptr,    nullptr,     no, no,  290, no,  no, no,  NoFlags},
    {"HoursPerWeek", "Hours per Week",    C::None,       0, K::Text,         &Hours,     nullptr,     no, 320, no,  no,  35, no,  Amount},
    {"HourlySalary", "Hourly Salary",     C::None,       0, K::Text,         &Salary<1>, nullptr,     28, 330, no,  300, 28, no,  Amount},
    {"DailySalary",  "Daily Salary",      C::None,       0, K::Text,         &Salary<2>, nullptr,     29, 331, no,  310, 29, no,  Amount},
    {"WeeklySalary", "Weekly Salary",     C::None,       0, K::Text,         &Salary<3>, nullptr,     30, 332, no,  320, 30, no,  Amount},
    {"BiMonthlySalary","Bi-Monthly Salary", C::None,       0, K::Text,         &Salary<4>, nullptr,     31, 333, no,  330, 31, no,  Amount},
    {"MonthlySalary","Monthly Salary",    C::None,       0, K::Text,         &Salary<5>, nullptr,     32, 334, no,  340, 32, no,  Amount},
    {"YearlySalary", "Yearly Salary",     C::None,       0, K::Text,         &Salary<6>, nullptr,     33, 335, no,  350, 33, no,  Amount},
    {"SalaryType",   "Salary Type",       C::None,       0, K::PayPeriod,    nullptr,    nullptr,     no, 340, no,  no,  no, no,  NoFlags},
    {"WorkDaysPerWeek","Work Days per Week",C::None,       0, K::Text,         &WorkDays,  nullptr,     no, no,  no,  no,  34, no,  NoFlags},
};
// clang-format on

// The field each number names, by the number; numbers run from 0 to 350.
constexpr int HighestNumber = 350;
using FieldIndex = std::array<const RecordField*, HighestNumber + 1>;

FieldIndex IndexBy(int RecordField::*number)
{
    FieldIndex index{};
    for (const RecordField& field : Fields) {
        const int n = field.*number;
        if (n >= 0 && n <= HighestNumber) {
            index[static_cast<std::size_t>(n)] = &field;
        }
    }
    return index;
}

}  // namespace

std::span<const RecordField> RecordFields()
{
    return Fields;
}

std::vector<const RecordField*> FieldsNumberedBy(int RecordField::*number)
{
    std::vector<const RecordField*> fields;
    for (const RecordField& field : Fields) {
        if (field.*number != NotNumbered) {
            fields.push_back(&field);
        }
    }
    std::ranges::sort(fields, {}, [number](const RecordField* field) { return field->*number; });
    return fields;
}

template <int RecordField::*Numbering>
const RecordField* FieldNumbered(int number)
{
    static const FieldIndex index = IndexBy(Numbering);
    return number >= 0 && number <= HighestNumber ? index[static_cast<std::size_t>(number)]
                                                  : nullptr;
}

template const RecordField* FieldNumbered<&RecordField::sortKey>(int);
template const RecordField* FieldNumbered<&RecordField::searchTag>(int);
template const RecordField* FieldNumbered<&RecordField::sheetNumber>(int);
template const RecordField* FieldNumbered<&RecordField::reportNumber>(int);
template const RecordField* FieldNumbered<&RecordField::exportColumn>(int);
template const RecordField* FieldNumbered<&RecordField::relation>(int);

int ReportItemCount()
{
    return static_cast<int>(
        std::count_if(std::begin(Fields), std::end(Fields),
                      [](const RecordField& field) { return field.reportNumber != NotNumbered; }));
}

const RecordField& FieldByKey(std::string_view key)
{
    const auto found = std::find_if(std::begin(Fields), std::end(Fields),
                                    [key](const RecordField& field) { return field.key == key; });
    if (found == std::end(Fields)) {
        throw std::logic_error("no record field has the key " + std::string(key));
    }
    return *found;
}

const RecordField& FieldByCaption(CaptionList captions, int index)
{
    const auto found = std::find_if(
        std::begin(Fields), std::end(Fields), [captions, index](const RecordField& field) {
            return field.captions == captions && field.captionIndex == index;
        });
    if (found == std::end(Fields) || captions == CaptionList::None) {
        throw std::logic_error("no record field has caption " + std::to_string(index));
    }
    return *found;
}

std::string FieldTitleOf(const RecordField& field, const Database& database)
{
    const auto at = static_cast<std::size_t>(field.captionIndex);
    switch (field.captions) {
    case CaptionList::Description:
        return database.DescriptionCaptions[at];
    case CaptionList::Detail:
        return database.DetailCaptions[at];
    case CaptionList::Other:
        return database.OtherCaptions[at];
    case CaptionList::None:
        break;
    }
    return field.title;
}

int PictureSlot(const RecordField& field)
{
    int slot = 0;
    for (const RecordField& each : Fields) {
        if (each.kind == FieldKind::Picture) {
            ++slot;
        }
        if (&each == &field) {
            return slot;
        }
    }
    return slot;
}

const std::string& FieldText(const RecordField& field, const ItemRecord& record)
{
    static const std::string none;
    // The accessor hands out the stored text for writing too; here it is only read.
    return field.text ? field.text(const_cast<ItemRecord&>(record)) : none;
}

const StringList& FieldLines(const RecordField& field, const ItemRecord& record)
{
    static const StringList none;
    // As FieldText: read only.
    return field.lines ? field.lines(const_cast<ItemRecord&>(record)) : none;
}

}  // namespace quillmark
