#include "engine/pictures/picture_library.h"

#include "core/case_folding.h"
#include "core/file_names.h"
#include "core/record_paths.h"
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
std::optional<PictureKind> KindOf(const std::vector<std::uint8_t>& bytes)
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
        // bigger than we allow.
        SetMagickResourceLimit(ThreadsResource, 1);
        SetMagickResourceLimit(PixelsResource, MaxPicturePixels);
        SetMagickResourceLimit(WidthResource, MaxPicturePixels);
        SetMagickResourceLimit(HeightResource, MaxPicturePixels);
        SetMagickResourceLimit(MemoryResource, 1536LL * 1024 * 1024);
        SetMagickResourceLimit(MapResource, 1536LL * 1024 * 1024);
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

struct Decoded {
    std::shared_ptr<const Bitmap> bitmap;
    bool tooLarge = false;
};

// The first picture in the bytes, read by the decoder named: the format is never guessed
// from the bytes or from a file name by GraphicsMagick itself.
Decoded DecodeWithGraphicsMagick(const std::vector<std::uint8_t>& bytes, PictureKind kind)
{
    StartGraphicsMagick();
    Decoded result;
    const std::unique_ptr<ImageInfo, ImageInfoDeleter> info(CloneImageInfo(nullptr));
    if (!info) {
        return result;
    }
    const char* magick = MagickName(kind);
    std::snprintf(info->magick, sizeof info->magick, "%s", magick);
    std::snprintf(info->filename, sizeof info->filename, "%s:", magick);
    info->subimage = 0;  // the first frame of an animation is enough
    info->subrange = 1;

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
    }

    Exception exception;
    const ImagePointer image(BlobToImage(info.get(), bytes.data(), bytes.size(), exception.get()));
    if (!image || exception.Failed()) {
        return result;
    }
    if (!PictureSizeAllowed(static_cast<std::int64_t>(image->columns),
                            static_cast<std::int64_t>(image->rows))) {
        result.tooLarge = image->columns > 0 && image->rows > 0;
        return result;
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = static_cast<int>(image->columns);
    bitmap->height = static_cast<int>(image->rows);
    bitmap->pixels.resize(static_cast<std::size_t>(image->columns) * image->rows * 4);
    if (DispatchImage(image.get(), 0, 0, image->columns, image->rows, "RGBA", CharPixel,
                      bitmap->pixels.data(), exception.get()) != MagickPass) {
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

Decoded Decode(const std::vector<std::uint8_t>& bytes, PictureKind kind)
{
    if (kind == PictureKind::Jpeg) {
        JpegResult jpeg = DecodeJpeg(bytes.data(), bytes.size());
        return {std::move(jpeg.bitmap), jpeg.tooLarge};
    }
    return DecodeWithGraphicsMagick(bytes, kind);
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
    const std::optional<PictureKind> kind = KindOf(*bytes);
    if (!kind) {
        return nullptr;
    }
    return Decode(*bytes, *kind).bitmap;
}

std::shared_ptr<const Bitmap> DecodePicture(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::optional<PictureKind> kind = KindOf(bytes);
    if (!kind) {
        return nullptr;
    }
    return Decode(bytes, *kind).bitmap;
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
    Decoded decoded = Decode(*bytes, *expected);
    if (!decoded.bitmap) {
        return {nullptr, decoded.tooLarge ? PictureError::CannotRead : PictureError::NotValid};
    }
    return {std::move(decoded.bitmap), PictureError::None};
}

}  // namespace quillmark
