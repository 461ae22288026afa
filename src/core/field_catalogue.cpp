#include "core/field_catalogue.h"

#include "core/database.h"
#include "core/record_fields.h"
#include "core/record_status.h"

#include <algorithm>
#include <charconv>

namespace quillmark {

namespace {

const RecordField* FieldByNumber(int fieldNumber, FieldNumbering numbering)
{
    return numbering == FieldNumbering::Spreadsheet ? FieldBySheetNumber(fieldNumber)
                                                    : FieldByReportNumber(fieldNumber);
}

}  // namespace

std::string FieldTitle(int fieldNumber, FieldNumbering numbering, const Database& database)
{
    const RecordField* field = FieldByNumber(fieldNumber, numbering);
    return field ? FieldTitleOf(*field, database) : std::string();
}

std::string FieldValue(const ItemRecord& record, int position, int fieldNumber,
                       FieldNumbering numbering, bool shortDescriptions)
{
    const RecordField* field = FieldByNumber(fieldNumber, numbering);
    if (field == nullptr) {
        return {};
    }
    switch (field->kind) {
    case FieldKind::Category:
        return ShownDescriptionValue(FieldText(*field, record), shortDescriptions);
    case FieldKind::Status: {
        const std::optional<RecordStatus> status = ShownStatus(record);
        return status ? RecordStatusName(*status) : std::string();
    }
    case FieldKind::RecordNumber:
        return std::to_string(position);
    default:
        return FieldText(*field, record);  // empty for a picture: its column shows the picture
    }
}

std::string ShownDescriptionValue(const std::string& value, bool shortDescriptions)
{
    if (!shortDescriptions) {
        return value;
    }
    return value.substr(0, value.find(':'));
}

SortKeyField SortKeyText(SortKey sortKey, const ItemRecord& record)
{
    const RecordField* field = FieldBySortKey(sortKey);
    if (field == nullptr) {
        return {record.RecordName, false};
    }
    return {FieldText(*field, record), field->Has(Amount)};
}

void CleanNumberInto(std::string_view text, std::string& digits)
{
    // Searches clean a value of every record: written through a pointer, not byte by byte.
    digits.resize(text.size());
    char* out = digits.data();
    const std::size_t lastPoint = text.rfind('.');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || i == lastPoint) {
            *out++ = c;
        }
    }
    digits.resize(static_cast<std::size_t>(out - digits.data()));
    if (digits.empty()) {
        digits = "0";
    }
}

std::string CleanNumber(std::string_view text)
{
    std::string digits;
    digits.reserve(text.size());
    CleanNumberInto(text, digits);
    return digits;
}

double CleanNumberValue(std::string_view text)
{
    const std::string cleaned = CleanNumber(text);
    double value = 0;
    const auto [end, error] =
        std::from_chars(cleaned.data(), cleaned.data() + cleaned.size(), value);
    // "." alone holds no digit and reads as 0; so does a number too large for a double.
    return error == std::errc() ? value : 0.0;
}

std::optional<double> CleanNumberIfDigits(std::string_view text)
{
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return CleanNumberValue(text);
}

}  // namespace quillmark
