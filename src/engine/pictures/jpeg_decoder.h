#pragma once

#include "engine/pictures/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quillmark {

class DecoderMemory;

// True when the bytes start as a JPEG file does (the start-of-image marker).
bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size);

// How much of a JPEG picture to decode, and what decoding it may hold.
struct JpegWanted {
    // Made small cheaply with libjpeg's DCT scaling: the smallest eighth of the picture's size
    // that is still at least this big. 0 keeps its own size.
    int minWidth = 0;
    int minHeight = 0;
    // Only the top-left corner, at most this big: the rows below are never decoded and the
    // columns to the right as few as the format allows. 0 decodes the whole.
    int cornerWidth = 0;
    int cornerHeight = 0;
    // libjpeg's own buffers and the pixels decoded together. A picture that would need more
    // is refused after its header, before anything big is allocated.
    std::size_t memoryLimit = NoMemoryLimit;
    DecoderMemory* shared = nullptr;  // reserved from before decoding, when given
};

struct JpegResult {
    std::shared_ptr<const Bitmap> bitmap;  // nothing when the picture could not be decoded
    bool tooLarge = false;  // refused for its size or for the memory it needs, not damaged
    int pictureWidth = 0;   // the picture's own size, once its header was read
    int pictureHeight = 0;
};

// Decodes a JPEG file held in memory. Damaged or cut-off data gives no bitmap; the decoder
// never ends the program and prints nothing.
JpegResult DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegWanted& wanted = {});

}  // namespace quillmark
