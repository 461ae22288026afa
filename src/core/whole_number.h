#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace quillmark {

// A text that is exactly a decimal integer ("42", "-7"); nothing for anything else, blanks
// and out-of-range values included.
inline std::optional<int> ReadWholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A number as a user types it in a box: blanks around it and a plus sign allowed.
inline std::optional<int> ReadTypedNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    return ReadWholeNumber(text);
}

}  // namespace quillmark
