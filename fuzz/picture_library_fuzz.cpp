// Feeds arbitrary bytes to the picture decoders: whatever a picture file holds, decoding ends
// in a bitmap whose pixels match its size, within the size allowed, or in none.

#include "engine/pictures/picture_library.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::shared_ptr<const quillmark::Bitmap> bitmap = quillmark::DecodePicture(data, size);
    if (bitmap != nullptr &&
        (!quillmark::PictureSizeAllowed(bitmap->width, bitmap->height) ||
         bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) *
                                      static_cast<std::size_t>(bitmap->height) * 4)) {
        std::fprintf(stderr, "picture library: a bitmap whose pixels do not fit its size\n");
        std::abort();
    }
    return 0;
}
