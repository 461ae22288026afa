// Feeds arbitrary bytes to the picture decoders: whatever a picture file holds, decoding ends
// in a bitmap whose pixels match its size, within the size allowed and the size asked for, or
// in none.

#include "engine/pictures/picture_library.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(const quillmark::DecodedPicture& decoded, const quillmark::PictureWanted& wanted)
{
    const std::shared_ptr<const quillmark::Bitmap>& bitmap = decoded.bitmap;
    if (bitmap == nullptr) {
        return;
    }
    const bool fits = wanted.fit == quillmark::PictureFit::Own ||
                      (bitmap->width <= wanted.width && bitmap->height <= wanted.height);
    if (!fits || !quillmark::PictureSizeAllowed(bitmap->width, bitmap->height) ||
        bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) *
                                     static_cast<std::size_t>(bitmap->height) * 4) {
        std::fprintf(stderr, "picture library: a bitmap whose pixels do not fit its size\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using quillmark::PictureFit;
    // At its own size, and as a thumbnail made small or cut, within a small memory bound.
    for (const quillmark::PictureWanted wanted :
         {quillmark::PictureWanted{},
          quillmark::PictureWanted{PictureFit::Whole, 7, 5, std::size_t{64} << 20},
          quillmark::PictureWanted{PictureFit::Corner, 5, 3, std::size_t{64} << 20}}) {
        Check(quillmark::DecodePicture(data, size, wanted), wanted);
    }
    return 0;
}
