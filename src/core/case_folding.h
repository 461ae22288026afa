#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Two ways of ignoring letter case, each where the program has always used it.

// ASCII letters only (A-Z, a-z); every other byte stays as it is. Settings names, sorting and
// related-record matching compare this way, so "é" and "É" stay different there.
char AsciiLowerCase(char c);
char AsciiUpperCase(char c);
std::string AsciiLowerCaseText(std::string_view text);
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);
// Byte by byte with a-z taken as A-Z: negative, zero or positive; a text that is a prefix of
// the other is the smaller.
int CompareTextsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Every Windows-1252 letter, accented ones included (é/É, š/Š, ÿ/Ÿ): what the category menus
// show and the category editor matches by.
unsigned char Windows1252UpperCase(unsigned char c);
unsigned char Windows1252LowerCase(unsigned char c);
std::string Windows1252UpperCaseText(std::string_view text);
std::string Windows1252LowerCaseText(std::string_view text);

}  // namespace quillmark
