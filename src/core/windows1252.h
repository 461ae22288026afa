#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// Record text is Windows-1252. The five bytes that code page leaves undefined (81, 8D, 8F, 90
// and 9D hex) map to the control characters of the same number, so every byte converts to
// Unicode and back unchanged.
std::string Windows1252ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character Windows-1252 cannot write.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// As above, but characters without a Windows-1252 form (and broken UTF-8) become "?": what a
// typed character the file cannot hold turns into.
std::string Utf8ToWindows1252Lossy(std::string_view utf8);

// One character of UTF-8 text at position, which moves past it; nothing for a broken, overlong
// or surrogate sequence (position then moves past the bytes looked at).
std::optional<char32_t> DecodeUtf8Character(std::string_view text, std::size_t& position);

// The byte Windows-1252 writes a character as; nothing when the code page has none.
std::optional<char> Windows1252Byte(char32_t character);

// A character in UTF-8, any Unicode character.
std::string CharacterToUtf8(char32_t character);

}  // namespace quillmark
