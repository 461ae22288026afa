#include "core/field_catalogue.h"

#include "core/database.h"
#include "core/pay_period.h"
#include "core/record_status.h"

#include <algorithm>
#include <charconv>

namespace quillmark {

namespace {

constexpr const char* StatusTitle = "Status";
constexpr const char* NameTitle = "Name";
constexpr const char* RecordNumberTitle = "Record #";

constexpr const char* ImageTitles[6] = {"Image One",  "Image Two",  "Image Three",
                                        "Image Four", "Image Five", "Image Six"};

bool IsFieldNumber(int number)
{
    return number >= FirstFieldNumber && number <= LastFieldNumber && number % 10 == 0;
}

// The index 0.. of a number within a run of ten-spaced numbers starting at first.
int IndexFrom(int number, int first)
{
    return (number - first) / 10;
}

std::string StatusText(const ItemRecord& record)
{
    const std::optional<RecordStatus> status = ShownStatus(record);
    return status ? RecordStatusName(*status) : std::string();
}

}  // namespace

std::string FieldTitle(int fieldNumber, FieldNumbering numbering, const Database& database)
{
    if (!IsFieldNumber(fieldNumber)) {
        return {};
    }
    if (fieldNumber <= 100) {
        return database.DescriptionCaptions[static_cast<std::size_t>(IndexFrom(fieldNumber, 10))];
    }
    if (fieldNumber <= 200) {
        return database.DetailCaptions[static_cast<std::size_t>(IndexFrom(fieldNumber, 110))];
    }
    switch (fieldNumber) {
    case 210:
        return StatusTitle;
    case 220:
        return RecordNumberTitle;
    case 230:
        return NameTitle;
    default:
        break;
    }
    if (numbering == FieldNumbering::Spreadsheet) {
        if (fieldNumber <= 290) {
            return ImageTitles[IndexFrom(fieldNumber, 240)];
        }
        return database.OtherCaptions[static_cast<std::size_t>(IndexFrom(fieldNumber, 300))];
    }
    if (fieldNumber <= 290) {
        return database.OtherCaptions[static_cast<std::size_t>(IndexFrom(fieldNumber, 240))];
    }
    return std::string(PayPeriodNames[static_cast<std::size_t>(IndexFrom(fieldNumber, 300))]) +
           " Salary";
}

std::string FieldValue(const ItemRecord& record, int position, int fieldNumber,
                       FieldNumbering numbering, bool shortDescriptions)
{
    if (!IsFieldNumber(fieldNumber)) {
        return {};
    }
    if (fieldNumber <= 100) {
        return ShownDescriptionValue(record.Desc[fieldNumber / 10], shortDescriptions);
    }
    if (fieldNumber <= 200) {
        return record.Detail[static_cast<std::size_t>(IndexFrom(fieldNumber, 110))];
    }
    switch (fieldNumber) {
    case 210:
        return StatusText(record);
    case 220:
        return std::to_string(position);
    case 230:
        return record.RecordName;
    default:
        break;
    }
    if (numbering == FieldNumbering::Spreadsheet) {
        if (fieldNumber <= 290) {
            return {};  // picture columns show pictures, not text
        }
        return record.Other[IndexFrom(fieldNumber, 300) + 1];
    }
    if (fieldNumber <= 290) {
        return record.Other[IndexFrom(fieldNumber, 240) + 1];
    }
    return record.SalaryFigures[IndexFrom(fieldNumber, 300) + 1];
}

std::string ShownDescriptionValue(const std::string& value, bool shortDescriptions)
{
    if (!shortDescriptions) {
        return value;
    }
    return value.substr(0, value.find(':'));
}

SortKeyField SortKeyText(int sortKey, const ItemRecord& record)
{
    if (sortKey >= 1 && sortKey <= 10) {
        return {record.Desc[sortKey], false};
    }
    if (sortKey >= 11 && sortKey <= 20) {
        return {record.Detail[static_cast<std::size_t>(sortKey - 11)], false};
    }
    if (sortKey >= 21 && sortKey <= 26) {
        return {record.Other[sortKey - 20], false};
    }
    if (sortKey >= 28 && sortKey <= 33) {
        return {record.SalaryFigures[sortKey - 27], true};
    }
    return {record.RecordName, false};
}

void CleanNumberInto(std::string_view text, std::string& digits)
{
    digits.clear();
    const std::size_t lastPoint = text.rfind('.');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || i == lastPoint) {
            digits.push_back(c);
        }
    }
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
