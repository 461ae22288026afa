#pragma once

#include "core/record_fields.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

struct Database;
struct ItemRecord;

// Field numbers 10..230 mean the same fields everywhere; 240..350 differ between the
// spreadsheet (pictures, then the other fields) and the reports (other fields, then salaries).
enum class FieldNumbering { Spreadsheet, Report };

inline constexpr int FirstFieldNumber = 10;
inline constexpr int LastFieldNumber = 350;
inline constexpr int UnusedColumn = -1;

// The title a column or report shows for a field; empty for a number that names no field.
std::string FieldTitle(int fieldNumber, FieldNumbering numbering, const Database& database);

// The text a field holds in a record at the 1-based position in the list. Description values
// are given in their shown form (see ShownDescriptionValue).
std::string FieldValue(const ItemRecord& record, int position, int fieldNumber,
                       FieldNumbering numbering, bool shortDescriptions);

// A description value as the boxes show it: with short values on, only the part before the
// first ":"; otherwise the whole leaf-first path.
std::string ShownDescriptionValue(const std::string& value, bool shortDescriptions);

// The text a record is sorted by under the key: the key's field, or the name for a key no
// field has.
struct SortKeyField {
    const std::string& text;
    bool numeric;  // compare CleanNumberValue of the texts instead of the texts
};
SortKeyField SortKeyText(SortKey sortKey, const ItemRecord& record);

// The digits of a text and its last ".", in their order; "0" when there are none.
// "$1,234.56" gives "1234.56", "1.234.5" gives "1234.5", "-12" gives "12".
std::string CleanNumber(std::string_view text);

// CleanNumber written into the caller's buffer, which allocates only while it grows: for
// cleaning the same field of many records.
void CleanNumberInto(std::string_view text, std::string& digits);

// CleanNumber read as a number; a lone "." counts as 0.
double CleanNumberValue(std::string_view text);

// CleanNumberValue of a text with at least one digit in it. A text with none ("abc", "$", ".")
// holds no number at all, which is not the same as 0 where a user was asked for an amount.
std::optional<double> CleanNumberIfDigits(std::string_view text);

}  // namespace quillmark
