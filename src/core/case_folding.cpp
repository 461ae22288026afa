#include "core/case_folding.h"

#include <algorithm>

namespace quillmark {

namespace {

template <typename Fold>
std::string Folded(std::string_view text, Fold fold)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    }
    return result;
}

}  // namespace

unsigned char Windows1252UpperCase(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF:  // y diaeresis
        return 0x9F;
    default:
        return c;
    }
}

unsigned char Windows1252LowerCase(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

char AsciiLowerCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpperCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiLowerCaseText(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLowerCase);
    return result;
}

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareTextsIgnoringAsciiCase(a, b) == 0;
}

int CompareTextsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpperCase(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpperCase(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string Windows1252UpperCaseText(std::string_view text)
{
    return Folded(text, Windows1252UpperCase);
}

std::string Windows1252LowerCaseText(std::string_view text)
{
    return Folded(text, Windows1252LowerCase);
}

}  // namespace quillmark
