#include "forms/main/field_captions.h"

#include "core/record_fields.h"
#include "forms/main/pages/description_page.h"
#include "forms/workspace.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

namespace quillmark {

namespace {

// The number after the prefix, when the name is the prefix and a number within the bounds.
std::optional<int> NumberAfter(std::string_view name, std::string_view prefix, int first, int last)
{
    if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size()) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 2 || (digits.front() == '0' && digits.size() > 1)) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    if (number < first || number > last) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::string WindowFieldTitle(const RecordField& field, const Workspace& workspace)
{
    return WindowFieldTitle(field, workspace.Labels, workspace.database);
}

std::string WindowFieldTitle(const RecordField& field, const RecordLabels& labels,
                             const Database& database)
{
    const std::string_view key = field.key;
    if (key == "Status") {
        return labels.Status;
    }
    if (key == "Name") {
        return labels.Name;
    }
    if (key == "Keywords") {
        return labels.Keywords;
    }
    if (key == "ResumeFile") {
        return labels.ResumeFile;
    }
    if (key == "Notes") {
        return labels.Notes;
    }
    return FieldTitleOf(field, database);
}

LabelControl* CaptionLabel(DescriptionPage& page, std::string_view name)
{
    if (const auto detail = NumberAfter(name, "sn", 0, 9)) {
        return &page.DetailCaptions[static_cast<std::size_t>(*detail)];
    }
    if (const auto other = NumberAfter(name, "OtherC", 1, OtherFieldCount)) {
        return &page.OtherCaptions[*other];
    }
    if (const auto field = NumberAfter(name, "Desc", 1, 10)) {
        return &page.DescCaptions[*field];
    }
    return nullptr;
}

CaptionedBox DetailOrOtherBox(DescriptionPage& page, std::string_view name)
{
    if (const auto detail = NumberAfter(name, "Detail", 0, 9)) {
        const auto index = static_cast<std::size_t>(*detail);
        return {&page.Detail[index], &page.DetailCaptions[index]};
    }
    if (const auto other = NumberAfter(name, "Other", 1, OtherFieldCount)) {
        return {&page.Other[*other], &page.OtherCaptions[*other]};
    }
    return {};
}

bool IsDateCaption(std::string_view caption)
{
    return caption.find("Date") != std::string_view::npos;
}

std::string CalendarDateText(const CalendarDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

std::optional<CalendarDate> CalendarDateFromText(std::string_view text)
{
    // Month, day and year: runs of digits parted by single separators, blanks around them.
    std::array<int, 3> parts{};
    std::size_t part = 0;
    std::size_t digits = 0;
    std::size_t at = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    for (; at <= end; ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            if (++digits > 4) {
                return std::nullopt;
            }
            parts[part] = parts[part] * 10 + (c - '0');
        } else if ((c == '/' || c == '-' || c == '.') && digits > 0 && part < 2) {
            ++part;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits != 4) {
        return std::nullopt;
    }
    const auto [month, day, year] = parts;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr std::array<int, 12> monthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1 ||
        day > monthDays[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0)) {
        return std::nullopt;
    }
    return CalendarDate{year, month, day};
}

}  // namespace quillmark
