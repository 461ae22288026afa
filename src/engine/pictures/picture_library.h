#pragma once

#include "engine/pictures/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// Turning picture files into bitmaps, for the picture page, the album and the spreadsheet.
// File names are used exactly as the records store them. Every call is safe on any file:
// a damaged, hostile or huge picture gives no bitmap, never a crash.

// The picture library's one call: any GIF, PCX, BMP, JPEG, PNG or icon file, recognised by its
// contents whatever its extension. Nothing when the file is missing, unreadable, of another
// kind, damaged or too large. The flag is always 0.
std::shared_ptr<const Bitmap> NViewLibLoad(const std::string& fileName, int flag);

// A picture file's bytes, named as the record stores it; nothing when it is missing, no
// regular file, unreadable or too big to be a picture.
std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& fileName);

// What NViewLibLoad does with a file's bytes once it has read them.
std::shared_ptr<const Bitmap> DecodePicture(const std::uint8_t* data, std::size_t size);

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
