#include "forms/main/field_captions.h"

#include "forms/main/pages/description_page.h"

#include <cstdio>
#include <optional>

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

}  // namespace quillmark
