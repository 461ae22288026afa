#pragma once

namespace quillmark {

// A colour as the windows, the reports and their format files give it: red, green and blue
// from 0 to 255.
struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour WhiteColour{255, 255, 255};
inline constexpr RgbColour BlackColour{0, 0, 0};

}  // namespace quillmark
