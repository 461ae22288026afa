#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// The key every database password is enciphered with.
inline constexpr std::uint16_t PasswordStartKey = 5281;

// Passwords are kept and filed only in this enciphered form. Both directions keep the length.
std::string EncipherPassword(std::string_view plain, std::uint16_t startKey = PasswordStartKey);
std::string DecipherPassword(std::string_view enciphered,
                             std::uint16_t startKey = PasswordStartKey);

}  // namespace quillmark
