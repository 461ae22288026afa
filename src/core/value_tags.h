#pragma once

#include <cstdint>
#include <string_view>

namespace quillmark {

// The tag byte in front of every value of a binary file.
namespace Tag {
inline constexpr std::uint8_t EndOfList = 0;
inline constexpr std::uint8_t List = 1;
inline constexpr std::uint8_t Int8 = 2;
inline constexpr std::uint8_t Int16 = 3;
inline constexpr std::uint8_t Int32 = 4;
inline constexpr std::uint8_t Extended = 5;
inline constexpr std::uint8_t String = 6;
inline constexpr std::uint8_t Identifier = 7;
inline constexpr std::uint8_t False = 8;
inline constexpr std::uint8_t True = 9;
inline constexpr std::uint8_t Binary = 10;
inline constexpr std::uint8_t Set = 11;
inline constexpr std::uint8_t LongString = 12;
inline constexpr std::uint8_t Nil = 13;
inline constexpr std::uint8_t Collection = 14;
}  // namespace Tag

inline constexpr std::string_view ComponentSignature = "TPF0";

}  // namespace quillmark
