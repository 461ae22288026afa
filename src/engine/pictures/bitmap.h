#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace quillmark {

// A decoded picture at its own size: four bytes per pixel (red, green, blue, alpha), rows from
// the top, no padding between them.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    struct Rgba {
        std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
        bool operator==(const Rgba&) const = default;
    };
    Rgba At(int x, int y) const
    {
        const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)) *
                        4;
        return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }
};

// Pictures bigger than this are refused before their pixels are decoded: 400 MB of pixels is
// already more than a record's photo needs, and a damaged header must not claim gigabytes.
inline constexpr std::int64_t MaxPicturePixels = 100'000'000;

inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= MaxPicturePixels && height <= MaxPicturePixels &&
           width * height <= MaxPicturePixels;
}

// What a decoder may hold while it decodes when the caller sets no bound.
inline constexpr std::size_t NoMemoryLimit = std::numeric_limits<std::size_t>::max();

}  // namespace quillmark
