#pragma once

#include "engine/pictures/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quillmark {

// True when the bytes start as a JPEG file does (the start-of-image marker).
bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size);

// What decoding a JPEG file's bytes gave.
struct JpegResult {
    std::shared_ptr<const Bitmap> bitmap;  // nothing when the picture could not be decoded
    bool tooLarge = false;                 // refused for its size before decoding
};

// Decodes a whole JPEG file held in memory. Damaged or cut-off data gives no bitmap; the
// decoder never ends the program and prints nothing.
JpegResult DecodeJpeg(const std::uint8_t* data, std::size_t size);

// The same picture made small cheaply: libjpeg's DCT scaling decodes it at 1/8 to 8/8 of its
// size, the smallest scale that is still at least minWidth by minHeight. The picture's own
// size comes back too.
struct ScaledJpeg {
    JpegResult decoded;
    int pictureWidth = 0;
    int pictureHeight = 0;
};
ScaledJpeg DecodeJpegScaled(const std::uint8_t* data, std::size_t size, int minWidth,
                            int minHeight);

// Only the picture's top-left corner, at its own size, at most width by height: the rows
// below are never decoded and the columns to the right as few as the format allows.
ScaledJpeg DecodeJpegCorner(const std::uint8_t* data, std::size_t size, int width, int height);

}  // namespace quillmark
