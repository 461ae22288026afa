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

}  // namespace quillmark
