#include "engine/pictures/picture_library.h"

#include "core/case_folding.h"
#include "core/file_names.h"
#include "core/record_paths.h"
#include "engine/pictures/bitmap_fitting.h"
#include "engine/pictures/decoder_memory.h"
#include "engine/pictures/jpeg_decoder.h"

#include <magick/api.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quillmark {

namespace {

// No picture file a record points at comes near this; anything bigger is not read at all.
constexpr std::uintmax_t MaxPictureFileBytes = 512u * 1024 * 1024;

enum class PictureKind { Jpeg, Gif, Bmp, Pcx, Icon, Png };

// The kind of picture the bytes hold, told by how each kind of file starts. Only these kinds
// are ever handed to a decoder: GraphicsMagick knows far more formats (some of them run other
// programs), and a record's file must not reach any of those.
std::optional<PictureKind> KindOf(std::span<const std::uint8_t> bytes)
{
    auto startsWith = [&bytes](std::initializer_list<std::uint8_t> prefix) {
        return bytes.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), bytes.begin());
    };
    if (LooksLikeJpeg(bytes.data(), bytes.size())) {
        return PictureKind::Jpeg;
    }
    if (startsWith({'G', 'I', 'F', '8', '7', 'a'}) || startsWith({'G', 'I', 'F', '8', '9', 'a'})) {
        return PictureKind::Gif;
    }
    if (startsWith({'B', 'M'})) {
        return PictureKind::Bmp;
    }
    if (startsWith({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) {
        return PictureKind::Png;
    }
    if (startsWith({0, 0, 1, 0})) {
        return PictureKind::Icon;
    }
    // A PCX header: the maker byte, a version, run-length encoding or none, 128 bytes long.
    if (bytes.size() >= 128 && bytes[0] == 0x0A && bytes[1] <= 5 && bytes[1] != 1 &&
        bytes[2] <= 1) {
        return PictureKind::Pcx;
    }
    return std::nullopt;
}

const char* MagickName(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Gif:
        return "GIF";
    case PictureKind::Bmp:
        return "BMP";
    case PictureKind::Pcx:
        return "PCX";
    case PictureKind::Icon:
        return "ICON";
    case PictureKind::Png:
        return "PNG";
    case PictureKind::Jpeg:
        break;
    }
    return "JPEG";
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path path(SystemPathOfRecordPath(fileName));
    if (fileName.empty() || !std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MaxPictureFileBytes) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

// ---- GraphicsMagick ----

void Quietly(const ExceptionType, const char*, const char*) {}

void StartGraphicsMagick()
{
    static std::once_flag started;
    std::call_once(started, [] {
        ExceptionInfo exception;
        GetExceptionInfo(&exception);
        // The program keeps its own signal handling.
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        DestroyExceptionInfo(&exception);
        SetWarningHandler(Quietly);
        SetErrorHandler(Quietly);
        // No threads of its own (the album decodes on threads of ours), in memory, never
        // bigger than we allow. The callers reckon and bound what each picture takes; this is
        // the ceiling for all of them together: the picture page's largest picture, the
        // album's and the spreadsheet's decoders beside it.
        SetMagickResourceLimit(ThreadsResource, 1);
        SetMagickResourceLimit(PixelsResource, MaxPicturePixels);
        SetMagickResourceLimit(WidthResource, MaxPicturePixels);
        SetMagickResourceLimit(HeightResource, MaxPicturePixels);
        SetMagickResourceLimit(MemoryResource, 2048LL * 1024 * 1024);
        SetMagickResourceLimit(MapResource, 0);
        SetMagickResourceLimit(DiskResource, 0);
        SetMagickResourceLimit(ReadResource, 1024LL * 1024 * 1024);
    });
}

struct ImageInfoDeleter {
    void operator()(ImageInfo* info) const { DestroyImageInfo(info); }
};
struct ImageListDeleter {
    void operator()(Image* image) const { DestroyImageList(image); }
};
using ImagePointer = std::unique_ptr<Image, ImageListDeleter>;

class Exception {
public:
    Exception() { GetExceptionInfo(&info_); }
    ~Exception() { DestroyExceptionInfo(&info_); }
    Exception(const Exception&) = delete;
    Exception& operator=(const Exception&) = delete;
    ExceptionInfo* get() { return &info_; }
    // Warnings (a stray byte after the picture, say) still leave a usable picture.
    bool Failed() const { return info_.severity >= ErrorException; }

private:
    ExceptionInfo info_;
};

// What GraphicsMagick holds while it reads a picture of this kind and size: its pixel cache
// (a colour and a palette index for every pixel, whatever the file's depth) and what its
// reader keeps besides. PCX, BMP and icon readers hold the file's own pixels whole, an
// interlaced PNG its rows of up to eight bytes a pixel; the GIF reader goes row by row.
std::size_t GraphicsMagickBytes(PictureKind kind, std::span<const std::uint8_t> bytes,
                                std::size_t pixels)
{
    std::size_t perPixel = sizeof(PixelPacket) + sizeof(IndexPacket);
    switch (kind) {
    case PictureKind::Pcx:
    case PictureKind::Bmp:
    case PictureKind::Icon:
        perPixel += 4;
        break;
    case PictureKind::Png:
        if (bytes.size() > 28 && bytes[28] != 0) {
            perPixel += 8;
        }
        break;
    case PictureKind::Gif:
    case PictureKind::Jpeg:
        break;
    }
    return pixels * perPixel + (std::size_t{1} << 20);
}

// The size the view gets of a picture of its own size columns by rows.
void FittedSize(const PictureWanted& wanted, std::size_t columns, std::size_t rows,
                std::size_t& width, std::size_t& height)
{
    width = columns;
    height = rows;
    if (wanted.fit != PictureFit::Own) {
        width = std::min(width, static_cast<std::size_t>(std::max(1, wanted.width)));
        height = std::min(height, static_cast<std::size_t>(std::max(1, wanted.height)));
    }
}

// The first picture in the bytes, read by the decoder named: the format is never guessed
// from the bytes or from a file name by GraphicsMagick itself. Only as much as is wanted
// becomes a bitmap; the library scales the whole picture down itself.
DecodedPicture DecodeWithGraphicsMagick(std::span<const std::uint8_t> bytes, PictureKind kind,
                                        const PictureWanted& wanted)
{
    StartGraphicsMagick();
    DecodedPicture result;
    const std::unique_ptr<ImageInfo, ImageInfoDeleter> info(CloneImageInfo(nullptr));
    if (!info) {
        return result;
    }
    const char* magick = MagickName(kind);
    std::snprintf(info->magick, sizeof info->magick, "%s", magick);
    std::snprintf(info->filename, sizeof info->filename, "%s:", magick);
    info->subimage = 0;  // the first frame of an animation is enough
    info->subrange = 1;

    std::size_t width = 0;
    std::size_t height = 0;
    DecoderMemory::Reservation reservation;
    {
        Exception exception;
        const ImagePointer header(
            PingBlob(info.get(), bytes.data(), bytes.size(), exception.get()));
        if (!header || exception.Failed()) {
            return result;
        }
        if (!PictureSizeAllowed(static_cast<std::int64_t>(header->columns),
                                static_cast<std::int64_t>(header->rows))) {
            result.tooLarge = header->columns > 0 && header->rows > 0;
            return result;
        }
        result.pictureWidth = static_cast<int>(header->columns);
        result.pictureHeight = static_cast<int>(header->rows);
        FittedSize(wanted, header->columns, header->rows, width, height);
        std::size_t needed =
            GraphicsMagickBytes(kind, bytes, std::size_t{header->columns} * header->rows) +
            width * height * 4;
        if (wanted.fit == PictureFit::Whole) {
            // The scaled copy, and the rows of sums the scaling keeps.
            needed += width * height * sizeof(PixelPacket) + header->columns * 128;
        }
        if (needed > wanted.memoryLimit) {
            result.tooLarge = true;
            return result;
        }
        if (wanted.shared != nullptr) {
            reservation = wanted.shared->Reserve(needed);
        }
    }

    Exception exception;
    ImagePointer image(BlobToImage(info.get(), bytes.data(), bytes.size(), exception.get()));
    if (!image || exception.Failed()) {
        return result;
    }
    // The file may say otherwise than its header did.
    if (static_cast<int>(image->columns) != result.pictureWidth ||
        static_cast<int>(image->rows) != result.pictureHeight) {
        return result;
    }
    if (wanted.fit == PictureFit::Whole && (width != image->columns || height != image->rows)) {
        image.reset(ScaleImage(image.get(), width, height, exception.get()));
        if (!image || exception.Failed()) {
            return result;
        }
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = static_cast<int>(width);
    bitmap->height = static_cast<int>(height);
    bitmap->pixels.resize(width * height * 4);
    if (DispatchImage(image.get(), 0, 0, width, height, "RGBA", CharPixel, bitmap->pixels.data(),
                      exception.get()) != MagickPass) {
        return result;
    }
    if (!image->matte) {
        // Decoders leave the opacity of pictures without transparency undefined.
        for (std::size_t alpha = 3; alpha < bitmap->pixels.size(); alpha += 4) {
            bitmap->pixels[alpha] = 255;
        }
    }
    result.bitmap = std::move(bitmap);
    return result;
}

// libjpeg scales by eighths and cuts by whole blocks; the last step to the size wanted is ours.
DecodedPicture DecodeJpegAsWanted(std::span<const std::uint8_t> bytes, const PictureWanted& wanted)
{
    JpegWanted jpeg;
    jpeg.memoryLimit = wanted.memoryLimit;
    jpeg.shared = wanted.shared;
    const int width = std::max(1, wanted.width);
    const int height = std::max(1, wanted.height);
    if (wanted.fit == PictureFit::Whole) {
        jpeg.minWidth = width;
        jpeg.minHeight = height;
    } else if (wanted.fit == PictureFit::Corner) {
        jpeg.cornerWidth = width;
        jpeg.cornerHeight = height;
    }
    JpegResult decoded = DecodeJpeg(bytes.data(), bytes.size(), jpeg);
    DecodedPicture result{nullptr, decoded.pictureWidth, decoded.pictureHeight, decoded.tooLarge};
    if (decoded.bitmap && decoded.bitmap->width > 0 && decoded.bitmap->height > 0) {
        switch (wanted.fit) {
        case PictureFit::Own:
            result.bitmap = std::move(decoded.bitmap);
            break;
        case PictureFit::Whole:
            result.bitmap = ReducedBitmap(decoded.bitmap, width, height);
            break;
        case PictureFit::Corner:
            result.bitmap = BitmapCorner(decoded.bitmap, width, height);
            break;
        }
    }
    return result;
}

DecodedPicture Decode(std::span<const std::uint8_t> bytes, PictureKind kind,
                      const PictureWanted& wanted)
{
    if (kind == PictureKind::Jpeg) {
        return DecodeJpegAsWanted(bytes, wanted);
    }
    return DecodeWithGraphicsMagick(bytes, kind, wanted);
}

// What the windows' loader expects a file to hold, by its extension.
std::optional<PictureKind> KindForExtension(const std::string& extension)
{
    if (extension == ".bmp" || extension == ".dib") {
        return PictureKind::Bmp;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return PictureKind::Jpeg;
    }
    if (extension == ".ico") {
        return PictureKind::Icon;
    }
    return std::nullopt;
}

}  // namespace

std::shared_ptr<const Bitmap> NViewLibLoad(const std::string& fileName, int /*flag*/)
{
    // The contents decide, not the extension: callers hand over files whatever their names.
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(fileName);
    if (!bytes) {
        return nullptr;
    }
    return DecodePicture(bytes->data(), bytes->size()).bitmap;
}

DecodedPicture DecodePicture(const std::uint8_t* data, std::size_t size,
                             const PictureWanted& wanted)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<PictureKind> kind = KindOf(bytes);
    if (!kind) {
        return {};
    }
    return Decode(bytes, *kind, wanted);
}

LoadedPicture LoadPictureFile(const std::string& fileName)
{
    const std::optional<PictureKind> expected =
        KindForExtension(AsciiLowerCaseText(FileExtension(fileName)));
    if (!expected) {
        return {nullptr, PictureError::NotValid};
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(fileName);
    if (!bytes) {
        return {nullptr, PictureError::CannotRead};
    }
    if (KindOf(*bytes) != expected) {
        return {nullptr, PictureError::NotValid};
    }
    DecodedPicture decoded = Decode(*bytes, *expected, {});
    if (!decoded.bitmap) {
        return {nullptr, decoded.tooLarge ? PictureError::CannotRead : PictureError::NotValid};
    }
    return {std::move(decoded.bitmap), PictureError::None};
}

}  // namespace quillmark
