#include "core/windows1252.h"

#include <array>
#include <cstdint>

namespace quillmark {

namespace {

// Unicode of the bytes 80..9F hex; the rest of the code page equals its Unicode number.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ToUnicode(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? HighControlRange[byte - 0x80] : byte;
}

std::optional<unsigned char> FromUnicode(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<unsigned char>(code);
    }
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == code) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void AppendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Decodes one character at position; nothing for broken or overlong sequences.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    int length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        ++position;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        ++position;
        return std::nullopt;
    }
    if (position + static_cast<std::size_t>(length) > text.size()) {
        position = text.size();
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[position + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            position += static_cast<std::size_t>(i);
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    position += static_cast<std::size_t>(length);
    static constexpr char32_t Smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return code;
}

template <typename OnUnwritable>
bool ConvertToWindows1252(std::string_view utf8, std::string& out, OnUnwritable onUnwritable)
{
    out.reserve(utf8.size());
    std::size_t position = 0;
    while (position < utf8.size()) {
        const std::optional<char32_t> code = DecodeUtf8(utf8, position);
        const std::optional<unsigned char> byte = code ? FromUnicode(*code) : std::nullopt;
        if (byte) {
            out.push_back(static_cast<char>(*byte));
        } else if (!onUnwritable(out)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<char32_t> DecodeUtf8Character(std::string_view text, std::size_t& position)
{
    return DecodeUtf8(text, position);
}

std::optional<char> Windows1252Byte(char32_t character)
{
    const std::optional<unsigned char> byte = FromUnicode(character);
    if (!byte) {
        return std::nullopt;
    }
    return static_cast<char>(*byte);
}

std::string CharacterToUtf8(char32_t character)
{
    std::string out;
    AppendUtf8(character, out);
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        AppendUtf8(ToUnicode(static_cast<unsigned char>(c)), out);
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    if (!ConvertToWindows1252(utf8, out, [](std::string&) { return false; })) {
        return std::nullopt;
    }
    return out;
}

std::string Utf8ToWindows1252Lossy(std::string_view utf8)
{
    std::string out;
    ConvertToWindows1252(utf8, out, [](std::string& text) {
        text.push_back('?');
        return true;
    });
    return out;
}

}  // namespace quillmark
