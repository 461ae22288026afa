#pragma once

// Tiny picture files written out byte by byte from the file formats, for the tests of the
// picture loaders and of the pages that show pictures. Each is 3 pixels wide and 2 high:
//
//     red    green  blue
//     white  red    green

#include <cstdint>
#include <initializer_list>
#include <string>

namespace quillmark::test {

inline std::string Bytes(std::initializer_list<int> bytes)
{
    std::string text;
    for (const int byte : bytes) {
        text += static_cast<char>(static_cast<std::uint8_t>(byte));
    }
    return text;
}

// 24 bits per pixel, no compression, rows from the bottom up, each padded to 4 bytes.
inline std::string TinyBmp()
{
    return Bytes(
               {'B', 'M', 0x4E, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0})  // file size 78, pixels at 54
           + Bytes({0x28, 0,    0,  0,                                // info header of 40 bytes
                    3,    0,    0,  0, 2,    0,    0, 0,              // 3 x 2
                    1,    0,    24, 0,                                // one plane, 24 bits
                    0,    0,    0,  0, 0x18, 0,    0, 0,              // uncompressed, 24 bytes
                    0x13, 0x0B, 0,  0, 0x13, 0x0B, 0, 0,              // 72 dpi
                    0,    0,    0,  0, 0,    0,    0, 0})             // no colour table
           // Blue, green, red for each pixel: the bottom row first.
           + Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0, 0}) +
           Bytes({0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0});
}

// An icon directory of one entry, then the entry's bitmap: 32 bits per pixel, its height counted
// twice (the pixels, then the transparency mask of one bit a pixel, rows padded to 4 bytes).
inline std::string TinyIcon()
{
    return Bytes({0, 0, 1, 0, 1, 0})  // an icon file of one image
           + Bytes({3, 2, 0, 0, 1, 0, 32, 0, 72, 0, 0, 0, 22, 0, 0, 0})   // 3 x 2, 72 bytes at 22
           + Bytes({0x28, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0})  // 3 x (2 + 2), 32 bits
           + std::string(24, '\0')  // uncompressed, no colour table
           // Blue, green, red and alpha for each pixel, the bottom row first; then the mask.
           + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF}) +
           Bytes({0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0xFF}) + std::string(8, '\0');
}

// A four-colour table (red, green, blue, white) and the pixel indexes 0 1 2 / 3 0 1 in LZW
// codes of 3 bits: clear, 0, 1, clear, 2, 3, clear, 0, 1, end. Clearing after every two
// pixels keeps the codes at 3 bits.
inline std::string TinyGif()
{
    return Bytes({'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0, 0x91, 0, 0}) +
           Bytes({0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) +
           Bytes({0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0})    // the image: at 0,0, 3 x 2
           + Bytes({2, 4, 0x44, 0xA8, 0x11, 0x29, 0})  // code size 2, one block of 4 bytes
           + Bytes({0x3B});
}

// Version 5, 8 bits per pixel in one plane, run-length encoded (every byte below 0xC0 stands
// for itself), lines of 4 bytes, the 256-colour palette at the end.
inline std::string TinyPcx()
{
    std::string header = Bytes({0x0A, 5, 1, 8, 0, 0, 0, 0, 2, 0, 1, 0, 72, 0, 72, 0});
    header += std::string(48, '\0');                   // the 16-colour palette, unused
    header += Bytes({0, 1, 4, 0, 1, 0});               // reserved, 1 plane, 4 bytes a line
    header += std::string(128 - header.size(), '\0');  // screen size and filler
    std::string palette = Bytes({0x0C, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    palette += std::string(1 + 768 - palette.size(), '\0');
    return header + Bytes({0, 1, 2, 0, 3, 0, 1, 0}) + palette;
}

}  // namespace quillmark::test
