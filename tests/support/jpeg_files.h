#pragma once

// JPEG pictures for the tests, made by libjpeg's own compressor: suites that include this link
// libjpeg.

#include "engine/pictures/bitmap.h"

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <jpeglib.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace quillmark::test {

// A JPEG picture of one colour, made by libjpeg's compressor: baseline with its colour at half
// the resolution, progressive with it at full or half resolution, or CMYK as print work has it
// (the colour's four values the inks, which libjpeg files inverted under Adobe's marker).
enum class JpegStyle { Baseline, Progressive, ProgressiveFullColour, AdobeCmyk };
inline std::string MakeJpeg(int width, int height, Bitmap::Rgba colour, bool gray = false,
                            JpegStyle style = JpegStyle::Baseline)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    const bool cmyk = style == JpegStyle::AdobeCmyk;
    info.input_components = gray ? 1 : cmyk ? 4 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (style == JpegStyle::Progressive || style == JpegStyle::ProgressiveFullColour) {
        jpeg_simple_progression(&info);
    }
    if (style == JpegStyle::ProgressiveFullColour) {
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < width; ++x) {
        if (gray) {
            row.push_back(colour.red);
        } else {
            row.insert(row.end(), {colour.red, colour.green, colour.blue});
            if (cmyk) {
                row.push_back(colour.alpha);
            }
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

}  // namespace quillmark::test
