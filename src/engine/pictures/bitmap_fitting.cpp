#include "engine/pictures/bitmap_fitting.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace quillmark {

// Each output pixel the average of the source pixels it covers, each axis on its own; an axis
// already small enough is kept as it is.
std::shared_ptr<const Bitmap> ReducedBitmap(const std::shared_ptr<const Bitmap>& source,
                                            int maxWidth, int maxHeight)
{
    const int width = std::min(source->width, maxWidth);
    const int height = std::min(source->height, maxHeight);
    if (width == source->width && height == source->height) {
        return source;
    }
    auto reduced = std::make_shared<Bitmap>();
    reduced->width = width;
    reduced->height = height;
    reduced->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 4);
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(width));
    std::vector<int> columnOf(static_cast<std::size_t>(source->width));
    for (int x = 0; x < source->width; ++x) {
        columnOf[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<std::int64_t>(x) * width / source->width);
    }
    int sourceRow = 0;
    for (int y = 0; y < height; ++y) {
        const int endRow =
            static_cast<int>(static_cast<std::int64_t>(y + 1) * source->height / height);
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
        for (; sourceRow < endRow; ++sourceRow) {
            const std::uint8_t* in =
                source->pixels.data() +
                static_cast<std::size_t>(sourceRow) * static_cast<std::size_t>(source->width) * 4;
            for (int x = 0; x < source->width; ++x, in += 4) {
                const auto column = static_cast<std::size_t>(columnOf[static_cast<std::size_t>(x)]);
                for (std::size_t channel = 0; channel < 4; ++channel) {
                    sums[column * 4 + channel] += in[channel];
                }
                ++counts[column];
            }
        }
        std::uint8_t* out = reduced->pixels.data() +
                            static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        for (std::size_t column = 0; column < static_cast<std::size_t>(width); ++column) {
            const std::uint32_t count = std::max<std::uint32_t>(1, counts[column]);
            for (std::size_t channel = 0; channel < 4; ++channel) {
                out[column * 4 + channel] =
                    static_cast<std::uint8_t>(sums[column * 4 + channel] / count);
            }
        }
    }
    return reduced;
}

std::shared_ptr<const Bitmap> BitmapCorner(const std::shared_ptr<const Bitmap>& source,
                                           int maxWidth, int maxHeight)
{
    const int width = std::min(source->width, maxWidth);
    const int height = std::min(source->height, maxHeight);
    if (width == source->width && height == source->height) {
        return source;
    }
    auto corner = std::make_shared<Bitmap>();
    corner->width = width;
    corner->height = height;
    corner->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t sourceRowBytes = static_cast<std::size_t>(source->width) * 4;
    const std::span<const std::uint8_t> from = source->pixels;
    const std::span<std::uint8_t> to = corner->pixels;
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        std::ranges::copy(from.subspan(y * sourceRowBytes, rowBytes),
                          to.subspan(y * rowBytes, rowBytes).begin());
    }
    return corner;
}

}  // namespace quillmark
