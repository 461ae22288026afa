#pragma once

#include "engine/pictures/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class DecoderMemory;

// Turning picture files into bitmaps, for the picture page, the album and the spreadsheet.
// File names are used exactly as the records store them. Every call is safe on any file:
// a damaged, hostile or huge picture gives no bitmap, never a crash.

// The picture library's one call: any GIF, PCX, BMP, JPEG, PNG or icon file, recognised by its
// contents whatever its extension, at its own size. Nothing when the file is missing,
// unreadable, of another kind, damaged or too large. The flag is always 0.
std::shared_ptr<const Bitmap> NViewLibLoad(const std::string& fileName, int flag);

// A picture file's bytes, named as the record stores it; nothing when it is missing, no
// regular file, unreadable or too big to be a picture.
std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& fileName);

// How much of a picture a view shows, so that no more is decoded than that.
enum class PictureFit {
    Own,     // the whole picture at its own size
    Whole,   // the whole picture, reduced to at most width by height (not kept in proportion)
    Corner,  // the picture's top-left corner at its own size, at most width by height
};

struct PictureWanted {
    PictureFit fit = PictureFit::Own;
    int width = 0;  // the size shown, for Whole and Corner
    int height = 0;
    // What decoding may hold at most, the decoder's own buffers and the pixels made together.
    // A picture that would need more is refused once its header is read.
    std::size_t memoryLimit = NoMemoryLimit;
    DecoderMemory* shared = nullptr;  // reserved from before decoding, when given
};

struct DecodedPicture {
    std::shared_ptr<const Bitmap> bitmap;  // nothing when the picture cannot be had
    int pictureWidth = 0;                  // the picture's own size, when its header was read
    int pictureHeight = 0;
    bool tooLarge = false;  // refused for its size or the memory it needs, not damaged
};

// What NViewLibLoad does with a file's bytes once it has read them, made as wanted.
DecodedPicture DecodePicture(const std::uint8_t* data, std::size_t size,
                             const PictureWanted& wanted = {});

// Why LoadPictureFile gave no bitmap.
enum class PictureError {
    None,
    CannotRead,  // missing, unreadable, or too large to hold
    NotValid,    // not a valid picture of the kind its extension names, or an unknown extension
};

struct LoadedPicture {
    std::shared_ptr<const Bitmap> bitmap;
    PictureError error = PictureError::None;
};

// The windows' own picture loader, which goes by the extension: ".bmp" and ".dib" bitmaps,
// ".jpg" and ".jpeg" JPEG pictures, ".ico" icons.
LoadedPicture LoadPictureFile(const std::string& fileName);

}  // namespace quillmark
