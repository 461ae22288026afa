#pragma once

#include "core/item_record.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

struct Database;

// What a field holds, which decides how it is shown, compared and searched.
enum class FieldKind {
    Text,          // a stored text
    Category,      // a stored leaf-first category path, shown whole or short
    Lines,         // a stored list of lines
    Status,        // the record's first checked status box
    RecordNumber,  // the record's 1-based position in the list
    Picture,       // a picture slot: a column shows it, no text
    Experience,    // the experience table
    Schedule,      // the weekly schedule
    Skills,        // the skill set
    PayPeriod      // the salary type
};

// The caption list of the database that names a field; None for a field with a fixed title.
enum class CaptionList { None, Description, Detail, Other };

// Field properties that no number tells.
enum FieldFlag : unsigned {
    NoFlags = 0,
    Amount = 1,            // a money or hours figure: searched and sorted by its clean number
    TypedValue = 2,        // a search term's value is typed into the search grid, not chosen
    MaskedRange = 4,       // a search range is typed with the edit mask of the field's box
    Imported = 8,          // a comma-delimited import fills it from the column of its report item
    RepeatsInSearch = 16,  // one search may hold several terms on it
};

// A field's number is NotNumbered where that part of the program does not know the field.
inline constexpr int NotNumbered = -1;

// One field of a record, with every number by which a part of the program, a file or a menu
// knows it. Those numbers are stored in settings, saved searches and report formats, so they
// never change for an existing field.
struct RecordField {
    const char* key;       // a name for code and tests: the record window's box for it
    const char* title;     // the fixed title; empty for a field named by a caption
    CaptionList captions;  // the caption list naming it, at captionIndex (0-based)
    int captionIndex;
    FieldKind kind;
    std::string& (*text)(ItemRecord&);  // Text and Category fields: the stored text
    StringList& (*lines)(ItemRecord&);  // Lines fields: the stored lines
    int sortKey;                        // "Sort Records": the sort key (Sort Mode) it sorts by
    int searchTag;                      // search terms and saved search files
    int sheetNumber;                    // the spreadsheet's column field numbers
    int reportNumber;  // the HTML report's codes; the column report's item is number / 10 - 1
    int exportColumn;  // Quick Export: the 0-based column of each line
    int relation;      // related records: the code of "same whole value"
    unsigned flags;

    bool Has(FieldFlag flag) const { return (flags & flag) != 0; }
};

// Every field, in the order of the search window's field menu (fields that menu does not
// offer follow their neighbours).
std::span<const RecordField> RecordFields();

// The fields a numbering knows, in the order of their numbers: the order of the menus that
// list them by that number.
std::vector<const RecordField*> FieldsNumberedBy(int RecordField::*number);

// The field a number names in one numbering (&RecordField::searchTag, ...), or nullptr when
// it names none.
template <int RecordField::*Numbering>
const RecordField* FieldNumbered(int number);

inline const RecordField* FieldBySortKey(int sortKey)
{
    return FieldNumbered<&RecordField::sortKey>(sortKey);
}
inline const RecordField* FieldBySearchTag(int searchTag)
{
    return FieldNumbered<&RecordField::searchTag>(searchTag);
}
inline const RecordField* FieldBySheetNumber(int sheetNumber)
{
    return FieldNumbered<&RecordField::sheetNumber>(sheetNumber);
}
inline const RecordField* FieldByReportNumber(int reportNumber)
{
    return FieldNumbered<&RecordField::reportNumber>(reportNumber);
}
inline const RecordField* FieldByExportColumn(int column)
{
    return FieldNumbered<&RecordField::exportColumn>(column);
}
inline const RecordField* FieldByRelation(int relation)
{
    return FieldNumbered<&RecordField::relation>(relation);
}

// The field with the key; the key must name one.
const RecordField& FieldByKey(std::string_view key);

// The field a caption list names at the 0-based index; the list and index must name one.
const RecordField& FieldByCaption(CaptionList captions, int index);

// The report items of the column report's item menu, the HTML report's item menu and a
// comma-delimited import's columns are the report numbers by their place, from 0.
inline constexpr int ReportNumberOfItem(int item)
{
    return (item + 1) * 10;
}
// How many fields have a report number.
int ReportItemCount();

// The "Sort Records" sort key, as its menu tags it and the main window keeps it (Sort Mode):
// a field's key is its sortKey, and any key no field has sorts by name.
enum class SortKey : int { ByName = 0 };

inline const RecordField* FieldBySortKey(SortKey key)
{
    return FieldBySortKey(static_cast<int>(key));
}

// The field's title with the database's captions of the moment.
std::string FieldTitleOf(const RecordField& field, const Database& database);

// The record's picture slot (1-based) that a Picture field shows: the pictures take the slots
// in the order of the table.
int PictureSlot(const RecordField& field);

// The stored text of a Text or Category field; an empty text for any other kind.
const std::string& FieldText(const RecordField& field, const ItemRecord& record);

// The stored lines of a Lines field; no lines for any other kind.
const StringList& FieldLines(const RecordField& field, const ItemRecord& record);

}  // namespace quillmark
