#include "engine/text_file_encoding.h"

#include "core/settings_store.h"
#include "core/windows1252.h"

#include <algorithm>
#include <cstdio>

namespace quillmark {

namespace {

constexpr std::string_view Section = "SETTINGS";
constexpr std::string_view EncodingKey = "ExportEncoding:";
constexpr std::string_view Utf8Name = "utf-8";
constexpr std::string_view Windows1252Name = "windows-1252";

// The line the end of the text is on: CR LF, LF and CR alone each end one.
std::size_t LineAtEnd(std::string_view text)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

// Characters decoded from the file go into record text here, until one has no place in it.
class Windows1252Text {
public:
    explicit Windows1252Text(std::size_t expectedSize) { decoded_.text.reserve(expectedSize); }
    bool Add(char32_t character)
    {
        const std::optional<char> byte = Windows1252Byte(character);
        if (!byte) {
            decoded_.unstorable = UnstorableCharacter{LineAtEnd(decoded_.text), character};
            decoded_.text.clear();
            return false;
        }
        decoded_.text.push_back(*byte);
        return true;
    }
    // A byte of the file that is record text as it stands.
    void AddByte(char byte) { decoded_.text.push_back(byte); }
    DecodedText Result() { return std::move(decoded_); }

private:
    DecodedText decoded_;
};

// How many bytes the UTF-8 sequence that starts with this byte has; 0 for no lead byte.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 0;
}

// Without the last character when reading stopped in the middle of it.
std::string_view WithoutCutUtf8(std::string_view bytes)
{
    for (std::size_t back = 1; back <= std::min<std::size_t>(4, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            return SequenceLength(byte) > back ? bytes.substr(0, bytes.size() - back) : bytes;
        }
    }
    return bytes;
}

enum class Utf8Content { Ascii, Utf8, Other };

Utf8Content ClassifyUtf8(std::string_view bytes)
{
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    std::size_t position = std::find_if_not(bytes.begin(), bytes.end(), ascii) - bytes.begin();
    if (position == bytes.size()) {
        return Utf8Content::Ascii;
    }
    while (position < bytes.size()) {
        if (ascii(bytes[position])) {
            ++position;
        } else if (!DecodeUtf8Character(bytes, position)) {
            return Utf8Content::Other;
        }
    }
    return Utf8Content::Utf8;
}

// A byte that is no UTF-8 stays the Windows-1252 character it is.
DecodedText DecodeUtf8(std::string_view bytes)
{
    Windows1252Text text(bytes.size());
    std::size_t position = 0;
    while (position < bytes.size()) {
        if (static_cast<unsigned char>(bytes[position]) < 0x80) {
            text.AddByte(bytes[position++]);
            continue;
        }
        const std::size_t start = position;
        const std::optional<char32_t> character = DecodeUtf8Character(bytes, position);
        if (!character) {
            position = start + 1;
            text.AddByte(bytes[start]);
        } else if (!text.Add(*character)) {
            break;
        }
    }
    return text.Result();
}

DecodedText DecodeUtf16(std::string_view bytes, bool bigEndian, bool cut)
{
    if (bytes.size() % 2 != 0) {
        bytes.remove_suffix(1);  // half a character: cut, or a broken file's last byte
    }
    const auto unit = [&](std::size_t index) {
        const auto first = static_cast<unsigned char>(bytes[index * 2]);
        const auto second = static_cast<unsigned char>(bytes[index * 2 + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    };
    std::size_t units = bytes.size() / 2;
    if (cut && units > 0 && unit(units - 1) >= 0xD800 && unit(units - 1) <= 0xDBFF) {
        --units;
    }
    Windows1252Text text(units);
    for (std::size_t i = 0; i < units; ++i) {
        char32_t character = unit(i);
        if (character >= 0xD800 && character <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            character = 0x10000 + ((character - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        }
        if (!text.Add(character)) {
            break;
        }
    }
    return text.Result();
}

}  // namespace

std::optional<TextFileEncoding> TextFileEncodingNamed(std::string_view name)
{
    if (name == Utf8Name) {
        return TextFileEncoding::Utf8;
    }
    if (name == Windows1252Name) {
        return TextFileEncoding::Windows1252;
    }
    return std::nullopt;
}

TextFileEncoding ReadExportEncoding(const SettingsStore& store)
{
    const std::string name = store.Open().ReadString(Section, EncodingKey, Utf8Name);
    return TextFileEncodingNamed(name).value_or(TextFileEncoding::Utf8);
}

void WriteExportEncoding(const SettingsStore& store, TextFileEncoding encoding)
{
    SettingsStore::Group group = store.Open();
    group.WriteString(Section, EncodingKey,
                      encoding == TextFileEncoding::Utf8 ? Utf8Name : Windows1252Name);
    group.Save();
}

void EncodingSink::Write(std::string_view bytes)
{
    if (encoding_ == TextFileEncoding::Windows1252) {
        target_.Write(bytes);
        return;
    }
    // A page of megabytes goes on in pieces rather than as one copy; each byte is a whole
    // character, so any cut will do. Most of it is ASCII, which is copied as it is.
    constexpr std::size_t Piece = 64 * 1024;
    for (std::size_t start = 0; start < bytes.size(); start += Piece) {
        const std::string_view piece = bytes.substr(start, Piece);
        converted_.clear();
        std::size_t at = 0;
        while (at < piece.size()) {
            std::size_t end = at;
            while (end < piece.size() && static_cast<unsigned char>(piece[end]) < 0x80) {
                ++end;
            }
            converted_.append(piece.substr(at, end - at));
            at = end;
            while (end < piece.size() && static_cast<unsigned char>(piece[end]) >= 0x80) {
                ++end;
            }
            converted_ += Windows1252ToUtf8(piece.substr(at, end - at));
            at = end;
        }
        target_.Write(converted_);
    }
}

std::string UnstorableCharacterMessage(const UnstorableCharacter& unstorable, bool utf8Message)
{
    const char32_t c = unstorable.character;
    // Controls, surrogates and unassigned planes would not show, or not as themselves.
    const bool shows = utf8Message && c >= 0xA0 && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
    std::string shown;
    if (shows) {
        shown = CharacterToUtf8(c);
    } else {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        shown = code;
    }
    return "Line " + std::to_string(unstorable.line) +
           " holds a character that a database cannot store: " + shown;
}

DecodedText DecodeTextFile(std::string bytes, bool cut)
{
    const std::string_view all = bytes;
    if (all.starts_with("\xEF\xBB\xBF")) {
        return DecodeUtf8(cut ? WithoutCutUtf8(all.substr(3)) : all.substr(3));
    }
    if (all.starts_with("\xFF\xFE")) {
        return DecodeUtf16(all.substr(2), false, cut);
    }
    if (all.starts_with("\xFE\xFF")) {
        return DecodeUtf16(all.substr(2), true, cut);
    }
    const std::string_view whole = cut ? WithoutCutUtf8(all) : all;
    if (ClassifyUtf8(whole) == Utf8Content::Utf8) {
        return DecodeUtf8(whole);
    }
    // ASCII and Windows-1252 are record text as they stand.
    return {std::move(bytes), std::nullopt};
}

}  // namespace quillmark
