#pragma once

#include <cstdint>

namespace quillmark {

// A colour as the windows, the reports and their format files give it: red, green and blue
// from 0 to 255.
struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColour&) const = default;
};

// The format files keep a colour as one number, red in the lowest byte.
inline std::int32_t ColourNumber(RgbColour colour)
{
    return (colour.red & 0xFF) | (colour.green & 0xFF) << 8 | (colour.blue & 0xFF) << 16;
}

inline RgbColour ColourOfNumber(std::int32_t number)
{
    return {number & 0xFF, number >> 8 & 0xFF, number >> 16 & 0xFF};
}

inline constexpr RgbColour WhiteColour{255, 255, 255};
inline constexpr RgbColour BlackColour{0, 0, 0};

}  // namespace quillmark
