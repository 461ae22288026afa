#include "core/password_cipher.h"

namespace quillmark {

namespace {

// Each output byte feeds the key of the next, so the same routine serves both directions;
// only the byte that feeds the key differs (always the enciphered one).
std::uint16_t NextKey(std::uint16_t key, unsigned char encipheredByte)
{
    return static_cast<std::uint16_t>((key + encipheredByte) * 28411u + 17092u);
}

}  // namespace

std::string EncipherPassword(std::string_view plain, std::uint16_t startKey)
{
    std::string result(plain.size(), '\0');
    std::uint16_t key = startKey;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto out =
            static_cast<unsigned char>(static_cast<unsigned char>(plain[i]) ^ (key >> 8));
        result[i] = static_cast<char>(out);
        key = NextKey(key, out);
    }
    return result;
}

std::string DecipherPassword(std::string_view enciphered, std::uint16_t startKey)
{
    std::string result(enciphered.size(), '\0');
    std::uint16_t key = startKey;
    for (std::size_t i = 0; i < enciphered.size(); ++i) {
        const auto in = static_cast<unsigned char>(enciphered[i]);
        result[i] = static_cast<char>(in ^ (key >> 8));
        key = NextKey(key, in);
    }
    return result;
}

}  // namespace quillmark
