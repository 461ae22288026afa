#pragma once

#include "core/byte_stream.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

class SettingsStore;

// How a comma-delimited file is written: UTF-8, which today's programs read, or the database's
// own Windows-1252 for the programs that still expect it.
enum class TextFileEncoding { Utf8, Windows1252 };

// "utf-8" and "windows-1252", as the tool takes them; nothing for any other name.
std::optional<TextFileEncoding> TextFileEncodingNamed(std::string_view name);

// The choice last made in an export's save dialog; UTF-8 until one is made. Writing throws
// WriteError with the system's reason.
TextFileEncoding ReadExportEncoding(const SettingsStore& store);
void WriteExportEncoding(const SettingsStore& store, TextFileEncoding encoding);

// Hands record text (Windows-1252) on to another sink in the chosen encoding.
class EncodingSink : public ByteSink {
public:
    EncodingSink(ByteSink& target, TextFileEncoding encoding) : target_(target), encoding_(encoding)
    {
    }
    void Write(std::string_view bytes) override;

private:
    ByteSink& target_;
    TextFileEncoding encoding_;
    std::string converted_;  // a piece as it goes on
};

// A character of a file that record text cannot hold, and the line it is on (1 for the first;
// CR LF, LF and CR alone each end a line).
struct UnstorableCharacter {
    std::size_t line = 0;
    char32_t character = 0;
    bool operator==(const UnstorableCharacter&) const = default;
};

// "Line 12 holds a character that a database cannot store: 日". The character is written in
// UTF-8 when the message is (a terminal's), else, and whenever it would not show, as U+65E5.
std::string UnstorableCharacterMessage(const UnstorableCharacter& unstorable, bool utf8Message);

struct DecodedText {
    std::string text;                               // Windows-1252
    std::optional<UnstorableCharacter> unstorable;  // when set, text is empty
};

// A text file's bytes as record text. A byte-order mark says the file is UTF-8, UTF-16 LE or
// UTF-16 BE; without one the bytes are UTF-8 when they are valid UTF-8 holding a non-ASCII
// character, else Windows-1252. A UTF-8 file with a mark keeps a stray byte that is no UTF-8
// as the Windows-1252 character it is. With `cut` the bytes stop where reading failed, and a
// character cut in two at the end is left out.
DecodedText DecodeTextFile(std::string bytes, bool cut = false);

}  // namespace quillmark
