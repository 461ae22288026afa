// What pictures cost to show: files of 10 000 x 10 000 pixels that take a few kilobytes on disk
// (one colour, as a hostile or careless file may be) must not cost their gigabyte of pixels
// where only a thumbnail is shown, and a page of big ones must not all be decoded at once.

#include "engine/pictures/decoder_memory.h"
#include "engine/pictures/picture_cache.h"
#include "engine/pictures/picture_library.h"
#include "engine/pictures/thumbnails.h"
#include "support/scratch_folder.h"
#include "support/thumbnail_arrivals.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::test {
namespace {

// The low bytes of value, most significant first or last.
void PutBigEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}
void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (i * 8)) & 0xFF);
    }
}

// One bit a pixel, all black: 1.25 MB of rows for 10 000 square, which zlib packs small.
std::string BlackPng(int size)
{
    const std::size_t rowBytes = 1 + (static_cast<std::size_t>(size) + 7) / 8;
    const std::string rows(rowBytes * static_cast<std::size_t>(size), '\0');
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()), 9);
    packed.resize(packedSize);
    auto chunk = [](const std::string& type, const std::string& data) {
        std::string out;
        PutBigEndian(out, static_cast<std::uint32_t>(data.size()), 4);
        out += type + data;
        const auto* body = reinterpret_cast<const Bytef*>(out.data() + 4);
        PutBigEndian(
            out, static_cast<std::uint32_t>(crc32(0, body, static_cast<uInt>(out.size() - 4))), 4);
        return out;
    };
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(size), 4);
    PutBigEndian(header, static_cast<std::uint32_t>(size), 4);
    header += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit, gray, not interlaced
    return "\x89PNG\r\n\x1A\n" + chunk("IHDR", header) + chunk("IDAT", packed) + chunk("IEND", "");
}

// Two colours, every pixel the first: LZW codes for ever longer runs of it, the table left
// full once it is (no clear code), so that each 12-bit code stands for some 4 000 pixels.
std::string BlackGif(int size)
{
    std::string out = "GIF89a";
    PutLittleEndian(out, static_cast<std::uint32_t>(size), 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(size), 2);
    out += std::string("\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF", 9);
    out += ',';
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(size), 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(size), 2);
    out += std::string("\x00\x02", 2);  // no local colours, codes start at 2 bits + 1

    std::string data;
    std::uint32_t bits = 0;
    int bitCount = 0;
    int codeSize = 3;
    auto emit = [&](int code) {
        bits |= static_cast<std::uint32_t>(code) << bitCount;
        for (bitCount += codeSize; bitCount >= 8; bitCount -= 8, bits >>= 8) {
            data += static_cast<char>(bits & 0xFF);
        }
    };
    emit(4);  // clear
    emit(0);
    std::int64_t left = static_cast<std::int64_t>(size) * size - 1;
    std::map<std::int64_t, int> codeOfRun{{1, 0}};  // a run of so many pixels: its code
    int nextCode = 6;
    std::int64_t previous = 1;
    while (left > 0) {
        const auto longest = std::prev(codeOfRun.upper_bound(left));
        emit(longest->second);
        left -= longest->first;
        if (nextCode < 4096) {
            codeOfRun.emplace(previous + 1, nextCode++);
            if (nextCode == (1 << codeSize) && codeSize < 12) {
                ++codeSize;
            }
        }
        previous = longest->first;
    }
    emit(5);  // end
    if (bitCount > 0) {
        data += static_cast<char>(bits & 0xFF);
    }
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    return out + std::string("\x00;", 2);
}

// 8 bits a pixel, runs of 63 pixels of colour 0: 3 MB for 10 000 square.
std::string BlackPcx(int size)
{
    std::string header = "\x0A\x05\x01\x08";
    PutLittleEndian(header, 0, 4);
    PutLittleEndian(header, static_cast<std::uint32_t>(size - 1), 2);
    PutLittleEndian(header, static_cast<std::uint32_t>(size - 1), 2);
    header += std::string(52, '\0');
    header += '\x01';  // one plane
    PutLittleEndian(header, static_cast<std::uint32_t>(size), 2);
    header.resize(128, '\0');
    std::string line;
    for (int left = size; left > 0; left -= 63) {
        line += static_cast<char>(0xC0 | std::min(left, 63));
        line += '\0';
    }
    return header + Repeat(line, size) + '\x0C' + std::string(768, '\0');
}

// A progressive JPEG of middle gray in the given number of scans, written out by hand: one DC
// scan of zeros, then for each colour component and each of the 63 AC coefficients a first scan
// and as many refinements as it takes, each scan one run of empty blocks.
std::string GrayProgressiveJpeg(int width, int height, int components, int scans)
{
    std::string out = "\xFF\xD8";
    out += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    out += "\xFF\xC2";
    PutBigEndian(out, static_cast<std::uint32_t>(8 + 3 * components), 2);
    out += '\x08';
    PutBigEndian(out, static_cast<std::uint32_t>(height), 2);
    PutBigEndian(out, static_cast<std::uint32_t>(width), 2);
    out += static_cast<char>(components);
    for (int c = 1; c <= components; ++c) {
        out += static_cast<char>(c);
        out += std::string("\x11\x00", 2);
    }
    // DC: the one code "0" (a difference of nothing). AC: end-of-band runs of 2^r blocks plus
    // r bits more, r from 0 to 14, each in four bits.
    out += std::string("\xFF\xC4\x00\x14\x00\x01", 6) + std::string(15, '\0') + '\0';
    out += std::string("\xFF\xC4\x00\x22\x10\x00\x00\x00\x0F", 9) + std::string(12, '\0');
    for (int r = 0; r < 15; ++r) {
        out += static_cast<char>(r << 4);
    }
    const std::int64_t blocks =
        static_cast<std::int64_t>((width + 7) / 8) * static_cast<std::int64_t>((height + 7) / 8);

    std::string data;
    std::uint32_t bits = 0;
    int bitCount = 0;
    auto put = [&](std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            bits = (bits << 1) | (i < 32 ? (value >> i) & 1 : 0);
            if (++bitCount == 8) {
                data += static_cast<char>(bits);
                if ((bits & 0xFF) == 0xFF) {
                    data += '\0';
                }
                bits = 0;
                bitCount = 0;
            }
        }
    };
    auto scan = [&](const std::vector<int>& ids, int first, int last, int high, int low) {
        out += "\xFF\xDA";
        PutBigEndian(out, static_cast<std::uint32_t>(6 + 2 * ids.size()), 2);
        out += static_cast<char>(ids.size());
        for (const int id : ids) {
            out += static_cast<char>(id);
            out += '\0';
        }
        out += static_cast<char>(first);
        out += static_cast<char>(last);
        out += static_cast<char>(high << 4 | low);
        data.clear();
        if (first == 0) {
            put(0, static_cast<int>(blocks * static_cast<std::int64_t>(ids.size())));
        } else {
            for (std::int64_t left = blocks; left > 0;) {
                const std::int64_t run = std::min<std::int64_t>(left, 32767);
                int r = 0;
                while ((std::int64_t{2} << r) <= run) {
                    ++r;
                }
                put(static_cast<std::uint32_t>(r), 4);
                put(static_cast<std::uint32_t>(run - (std::int64_t{1} << r)), r);
                left -= run;
            }
        }
        if (bitCount > 0) {
            put(0xFF, 8 - bitCount);
        }
        out += data;
    };
    std::vector<int> all(static_cast<std::size_t>(components));
    std::iota(all.begin(), all.end(), 1);
    scan(all, 0, 0, 0, 0);
    const int bands = components * 63;
    const int acScans = scans - 1;
    int band = 0;
    for (int c = 1; c <= components; ++c) {
        for (int k = 1; k <= 63; ++k, ++band) {
            const int steps = acScans / bands + (band < acScans % bands ? 1 : 0);
            if (steps == 0) {
                continue;
            }
            scan({c}, k, k, 0, steps - 1);
            for (int low = steps - 2; low >= 0; --low) {
                scan({c}, k, k, low + 1, low);
            }
        }
    }
    return out + "\xFF\xD9";
}

long StatusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::string(field).size()));
        }
    }
    return -1;
}

// The most memory the process held above what it held before, while work ran; nothing where
// the system keeps no resettable high-water mark.
std::optional<long> PeakMegabytesOf(const std::function<void()>& work)
{
    const int file = ::open("/proc/self/clear_refs", O_WRONLY);
    const bool reset = file >= 0 && ::write(file, "5", 1) == 1;
    if (file >= 0) {
        ::close(file);
    }
    const long before = StatusKilobytes("VmRSS:");
    work();
    const long peak = StatusKilobytes("VmHWM:");
    if (!reset || before < 0 || peak < 0) {
        return std::nullopt;
    }
    return (peak - before) / 1024;
}

using PictureMemoryTest = ScratchFolderTest;

TEST_F(PictureMemoryTest, HugePicturesCostNothingWhereOnlyAThumbnailIsShown)
{
    constexpr int Huge = 10000;
    const std::vector<std::string> files = {
        Write("huge.png", BlackPng(Huge)),
        Write("huge.gif", BlackGif(Huge)),
        Write("huge.pcx", BlackPcx(Huge)),
        Write("huge.jpg", GrayProgressiveJpeg(Huge, Huge, 3, 499)),
    };
    const double started = ProcessorSeconds();
    for (const std::string& file : files) {
        const std::optional<long> peak = PeakMegabytesOf([&] {
            EXPECT_FALSE(DecodeThumbnail({file, 115, 123, PictureFit::Whole}).bitmap) << file;
            EXPECT_FALSE(DecodeThumbnail({file, 115, 123, PictureFit::Corner}).bitmap) << file;
            PictureCache spreadsheetCells;
            EXPECT_FALSE(spreadsheetCells.Picture(file)) << file;
        });
        if (peak) {
            EXPECT_LT(*peak, 64) << file;
        }
    }

    // A page of them on four workers, as the album asks for it.
    ThumbnailCache album(4);
    ThumbnailArrivals arrivals(album);
    const std::optional<long> peak = PeakMegabytesOf([&] {
        for (const std::string& file : files) {
            for (const PictureFit fit : {PictureFit::Whole, PictureFit::Corner}) {
                album.Find({file, 115, 123, fit});
            }
        }
        ASSERT_TRUE(arrivals.WaitFor(8));
    });
    for (const std::string& file : files) {
        EXPECT_FALSE(album.Find({file, 115, 123, PictureFit::Whole})->bitmap) << file;
    }
    EXPECT_EQ(album.Decoders().HighWater(), 0u) << "refused before anything was reserved";
    if (peak) {
        EXPECT_LT(*peak, 64);
    }
    EXPECT_LT(ProcessorSeconds() - started, 2.0);
}

TEST_F(PictureMemoryTest, ProgressivePicturesOfCraftedManyScansAreRefused)
{
    // A few dozen scans are more than any encoder writes; a crafted file's hundreds over a big
    // picture would keep the picture page busy for many seconds.
    const std::string usual = Write("usual.jpg", GrayProgressiveJpeg(2600, 2600, 1, 20));
    const std::string crafted = Write("crafted.jpg", GrayProgressiveJpeg(2600, 2600, 1, 499));
    const std::shared_ptr<const Bitmap> shown = LoadPictureFile(usual).bitmap;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->width, 2600);
    EXPECT_EQ(shown->At(2599, 2599), (Bitmap::Rgba{128, 128, 128, 255}));
    EXPECT_NE(DecodeThumbnail({usual, 100, 100, PictureFit::Whole}).bitmap, nullptr);
    EXPECT_EQ(LoadPictureFile(crafted).bitmap, nullptr);
    EXPECT_NE(LoadPictureFile(Write("small.jpg", GrayProgressiveJpeg(500, 400, 3, 500))).bitmap,
              nullptr)
        << "the most scans a picture may have, over a small one, are quickly done";
}

TEST_F(PictureMemoryTest, AlbumDecodersHoldNoMoreThanTheirShareAtOnce)
{
    // Each of these takes some 24 MB to decode: the decoders may hold 40 MB together, so they
    // take turns, and all are shown. One that would need more than all of it is not decoded.
    std::vector<std::string> files;
    for (int i = 0; i < 8; ++i) {
        files.push_back(Write("photo" + std::to_string(i) + ".png", BlackPng(1500)));
    }
    const std::string tooBig = Write("big.png", BlackPng(2100));
    ThumbnailCache album(4, 256u << 20, 40u << 20);
    ThumbnailArrivals arrivals(album);
    for (const std::string& file : files) {
        album.Find({file, 60, 40, PictureFit::Whole});
    }
    album.Find({tooBig, 60, 40, PictureFit::Whole});
    ASSERT_TRUE(arrivals.WaitFor(9));
    for (const std::string& file : files) {
        const std::optional<Thumbnail> thumbnail = album.Find({file, 60, 40, PictureFit::Whole});
        ASSERT_TRUE(thumbnail && thumbnail->bitmap) << file;
        EXPECT_EQ(thumbnail->bitmap->width, 60);
        EXPECT_EQ(thumbnail->bitmap->At(59, 39), (Bitmap::Rgba{0, 0, 0, 255}));
    }
    EXPECT_EQ(album.Find({tooBig, 60, 40, PictureFit::Whole})->bitmap, nullptr);
    EXPECT_GT(album.Decoders().HighWater(), 20u << 20);
    EXPECT_LE(album.Decoders().HighWater(), 40u << 20);

    // A reservation handed on by assignment is held until its new owner lets it go.
    DecoderMemory memory(100);
    DecoderMemory::Reservation first;
    first = memory.Reserve(60);
    const DecoderMemory::Reservation second = memory.Reserve(40);
    EXPECT_EQ(memory.HighWater(), 100u);
}

TEST_F(PictureMemoryTest, APictureNeedingExactlyTheLimitIsDecoded)
{
    const std::string jpeg = GrayProgressiveJpeg(64, 48, 3, 4);
    const std::string gif = BlackGif(64);
    for (const std::string* bytes : {&jpeg, &gif}) {
        const auto decoded = [bytes](PictureWanted wanted) {
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
            return DecodePicture(data, bytes->size(), wanted);
        };
        // What a decoding needs, as the decoder reserves it from the window's share.
        const auto need = [&decoded](PictureWanted wanted) {
            DecoderMemory share(std::size_t{1} << 40);
            wanted.shared = &share;
            EXPECT_NE(decoded(wanted).bitmap, nullptr);
            return share.HighWater();
        };
        for (const PictureFit fit : {PictureFit::Own, PictureFit::Whole, PictureFit::Corner}) {
            PictureWanted wanted{fit, 16, 12};
            wanted.memoryLimit = need(wanted);
            EXPECT_NE(decoded(wanted).bitmap, nullptr);
            --wanted.memoryLimit;
            EXPECT_TRUE(decoded(wanted).tooLarge);
        }
        if (bytes == &gif) {
            EXPECT_LT(need({PictureFit::Own, 64, 64}), need({PictureFit::Whole, 64, 64}))
                << "the same picture, but fitted into a size it might be scaled to";
        }
    }
}

}  // namespace
}  // namespace quillmark::test
