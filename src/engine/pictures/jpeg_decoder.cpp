#include "engine/pictures/jpeg_decoder.h"

#include "engine/pictures/decoder_memory.h"

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <vector>

namespace quillmark {

namespace {

// A crafted progressive file can ask for thousands of scans over the same pixels; real ones
// use a dozen or so. Each scan passes over the whole picture, so a big one gets fewer: 30
// at the largest size allowed, which no encoder comes near.
constexpr int MaxScans = 500;
constexpr std::int64_t MaxScanPixels = 3'000'000'000;

// libjpeg reports errors by calling error_exit, which by default ends the program. Ours jumps
// back to the decoding function instead, and warnings are noted rather than printed.
struct Decoding {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf failed{};
    bool cutOff = false;  // the data ended before the picture did
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> row;
    JpegWanted wanted;
    int maxScans = MaxScans;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::optional<DecoderMemory::Reservation> reservation;
};

Decoding& DecodingOf(j_common_ptr info)
{
    return *static_cast<Decoding*>(info->client_data);
}

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(DecodingOf(info).failed, 1);
}

void NoteWarning(j_common_ptr info, int level)
{
    // Level -1 is a warning about the data; higher levels are trace messages.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        DecodingOf(info).cutOff = true;
    }
}

void LimitScans(j_common_ptr info)
{
    if (info->is_decompressor) {
        const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
        if (decompress->input_scan_number > DecodingOf(info).maxScans) {
            JumpBack(info);
        }
    }
}

// CMYK pictures (from print work) as RGB. Adobe's files store the inks inverted.
void CmykToRgba(std::span<const std::uint8_t> cmyk, std::span<std::uint8_t> rgba, bool inverted)
{
    for (std::size_t at = 0; at < rgba.size(); at += 4) {
        const int black = inverted ? cmyk[at + 3] : 255 - cmyk[at + 3];
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const int ink = inverted ? cmyk[at + channel] : 255 - cmyk[at + channel];
            rgba[at + channel] = static_cast<std::uint8_t>(ink * black / 255);
        }
        rgba[at + 3] = 255;
    }
}

void RgbToRgba(std::span<const std::uint8_t> rgb, std::span<std::uint8_t> rgba)
{
    for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel) {
        rgba[pixel * 4] = rgb[pixel * 3];
        rgba[pixel * 4 + 1] = rgb[pixel * 3 + 1];
        rgba[pixel * 4 + 2] = rgb[pixel * 3 + 2];
        rgba[pixel * 4 + 3] = 255;
    }
}

std::size_t RoundedUp(std::size_t value, std::size_t multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

// What libjpeg will allocate for the picture, told from its header. A picture in several scans
// (progressive ones) keeps every coefficient of the picture until the last scan, whatever the
// scale it is decoded at; one in a single scan needs a few rows of blocks at a time.
std::size_t LibjpegBytes(const jpeg_decompress_struct& info)
{
    const bool buffered = info.progressive_mode || info.comps_in_scan < info.num_components;
    std::size_t bytes = std::size_t{1} << 20;  // tables, Huffman decoding, the source
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::size_t columns =
            RoundedUp(component.width_in_blocks, static_cast<std::size_t>(component.h_samp_factor));
        if (buffered) {
            bytes += columns *
                     RoundedUp(component.height_in_blocks,
                               static_cast<std::size_t>(component.v_samp_factor)) *
                     sizeof(JBLOCK);
        }
        // Rows of samples kept around each row of blocks for upsampling.
        bytes +=
            columns * DCTSIZE * static_cast<std::size_t>(component.v_samp_factor) * DCTSIZE * 4;
    }
    return bytes + static_cast<std::size_t>(info.output_width) * 4 *
                       static_cast<std::size_t>(info.max_v_samp_factor) * DCTSIZE;
}

// Everything that libjpeg may jump out of happens here, with no C++ object of this frame
// changed between the setjmp and a jump: all state lives in the Decoding.
bool Decode(Decoding& decoding, const std::uint8_t* data, std::size_t size, bool& tooLarge)
{
    jpeg_decompress_struct& info = decoding.info;
    if (setjmp(decoding.failed) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &decoding.progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (!PictureSizeAllowed(info.image_width, info.image_height)) {
        tooLarge = info.image_width > 0 && info.image_height > 0;
        jpeg_destroy_decompress(&info);
        return false;
    }
    decoding.pictureWidth = static_cast<int>(info.image_width);
    decoding.pictureHeight = static_cast<int>(info.image_height);
    decoding.maxScans = static_cast<int>(std::min<std::int64_t>(
        MaxScans,
        MaxScanPixels / (static_cast<std::int64_t>(info.image_width) * info.image_height)));
    const JpegWanted& wanted = decoding.wanted;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (wanted.minWidth > 0 && wanted.minHeight > 0) {
        // The smallest eighth that still covers the size asked for; a thumbnail needs no
        // finer detail than that, nor the slow smooth upsampling of colour.
        info.scale_denom = 8;
        info.scale_num = 8;
        while (info.scale_num > 1 &&
               static_cast<long long>(info.image_width) * (info.scale_num - 1) >=
                   8LL * wanted.minWidth &&
               static_cast<long long>(info.image_height) * (info.scale_num - 1) >=
                   8LL * wanted.minHeight) {
            --info.scale_num;
        }
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
    }
    jpeg_calc_output_dimensions(&info);
    const bool corner = wanted.cornerWidth > 0 && wanted.cornerHeight > 0;
    JDIMENSION outputHeight = info.output_height;
    std::size_t outputWidth = info.output_width;
    if (corner) {
        outputHeight =
            std::min<JDIMENSION>(outputHeight, static_cast<JDIMENSION>(wanted.cornerHeight));
        // The decoder works in whole blocks: it may give a few more columns than asked.
        outputWidth = std::min<std::size_t>(
            outputWidth, RoundedUp(static_cast<std::size_t>(wanted.cornerWidth),
                                   static_cast<std::size_t>(info.max_h_samp_factor) * DCTSIZE) +
                             static_cast<std::size_t>(info.max_h_samp_factor) * DCTSIZE);
    }
    const std::size_t libjpegBytes = LibjpegBytes(info);
    const std::size_t bytes = libjpegBytes + outputWidth * outputHeight * 4;
    if (bytes > wanted.memoryLimit) {
        tooLarge = true;
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (wanted.memoryLimit != NoMemoryLimit) {
        // libjpeg's own accounting holds it to what was reckoned.
        info.mem->max_memory_to_use = static_cast<long>(libjpegBytes);
    }
    if (wanted.shared != nullptr) {
        decoding.reservation = wanted.shared->Reserve(bytes);
    }
    jpeg_start_decompress(&info);
    if (corner) {
        JDIMENSION left = 0;
        JDIMENSION columns =
            std::min<JDIMENSION>(info.output_width, static_cast<JDIMENSION>(wanted.cornerWidth));
        jpeg_crop_scanline(&info, &left, &columns);
    }

    const std::size_t width = info.output_width;
    const std::size_t components = static_cast<std::size_t>(info.output_components);
    try {
        decoding.row.resize(width * components);
        decoding.pixels.resize(width * outputHeight * 4);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    decoding.width = static_cast<int>(info.output_width);
    decoding.height = static_cast<int>(outputHeight);
    while (info.output_scanline < outputHeight) {
        JSAMPROW row = decoding.row.data();
        const std::size_t y = info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            break;
        }
        const std::span out = std::span(decoding.pixels).subspan(y * width * 4, width * 4);
        if (cmyk) {
            CmykToRgba(decoding.row, out, info.saw_Adobe_marker != 0);
        } else {
            RgbToRgba(decoding.row, out);
        }
    }
    if (info.output_scanline < info.output_height) {
        // The corner is decoded; the rest of the picture is not wanted.
        jpeg_abort_decompress(&info);
    } else {
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return !decoding.cutOff;
}

}  // namespace

bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

JpegResult DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegWanted& wanted)
{
    JpegResult result;
    if (!LooksLikeJpeg(data, size) || size > std::numeric_limits<unsigned long>::max()) {
        return result;
    }
    auto decoding = std::make_unique<Decoding>();
    decoding->wanted = wanted;
    decoding->info.client_data = decoding.get();
    decoding->info.err = jpeg_std_error(&decoding->errors);
    decoding->errors.error_exit = JumpBack;
    decoding->errors.emit_message = NoteWarning;
    decoding->progress.progress_monitor = LimitScans;
    const bool decoded = Decode(*decoding, data, size, result.tooLarge);
    result.pictureWidth = decoding->pictureWidth;
    result.pictureHeight = decoding->pictureHeight;
    if (!decoded) {
        return result;
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = decoding->width;
    bitmap->height = decoding->height;
    bitmap->pixels = std::move(decoding->pixels);
    result.bitmap = std::move(bitmap);
    return result;
}

}  // namespace quillmark
