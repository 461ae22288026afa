// Turning picture files into bitmaps: tiny files written out from the formats, JPEG pictures
// made with libjpeg's own compressor, and damaged, cut-off and oversized versions of them; and
// the caches that keep what was decoded.

#include "engine/pictures/picture_library.h"
#include "engine/pictures/bitmap_fitting.h"
#include "engine/pictures/jpeg_decoder.h"
#include "engine/pictures/picture_cache.h"
#include "engine/pictures/thumbnails.h"
#include "support/jpeg_files.h"
#include "support/picture_files.h"
#include "support/scratch_folder.h"
#include "support/thumbnail_arrivals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace quillmark::test {
namespace {

using Rgba = Bitmap::Rgba;

constexpr Rgba Red{255, 0, 0, 255}, Green{0, 255, 0, 255}, Blue{0, 0, 255, 255},
    White{255, 255, 255, 255};

// Where the frame header of a baseline JPEG keeps its height: after FF C0, the length and
// the sample precision.
std::size_t JpegHeightAt(const std::string& jpeg)
{
    return jpeg.find("\xFF\xC0") + 5;
}

void ExpectTinyPicture(const std::shared_ptr<const Bitmap>& bitmap, const std::string& what)
{
    ASSERT_NE(bitmap, nullptr) << what;
    EXPECT_EQ(bitmap->width, 3) << what;
    EXPECT_EQ(bitmap->height, 2) << what;
    const Rgba expected[2][3] = {{Red, Green, Blue}, {White, Red, Green}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(bitmap->At(x, y), expected[y][x]) << what << " at " << x << "," << y;
        }
    }
}

bool Near(std::uint8_t value, int wanted)
{
    return std::abs(value - wanted) <= 6;
}

using PictureLibraryTest = ScratchFolderTest;

TEST_F(PictureLibraryTest, DecodesGifPcxBmpAndJpegByTheirContents)
{
    // Capitals, other extensions and none at all make no difference.
    for (const auto& [name, bytes] : {std::pair("tiny.gif", TinyGif()),
                                      {"tiny.pcx", TinyPcx()},
                                      {"tiny.bmp", TinyBmp()},
                                      {"photo.jpg", TinyBmp()},
                                      {"scan", TinyPcx()}}) {
        ExpectTinyPicture(NViewLibLoad(Write(name, bytes), 0), name);
    }
    // A corner is cut out, never scaled: the first two columns as they are.
    const std::string gif = TinyGif();
    const DecodedPicture corner = DecodePicture(reinterpret_cast<const std::uint8_t*>(gif.data()),
                                                gif.size(), {PictureFit::Corner, 2, 2});
    ASSERT_NE(corner.bitmap, nullptr);
    EXPECT_EQ(corner.bitmap->At(1, 1), Red);

    const auto colour = NViewLibLoad(Write("colour.jpg", MakeJpeg(20, 12, {200, 40, 90, 255})), 0);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->width, 20);
    EXPECT_EQ(colour->height, 12);
    for (const auto& [x, y] : {std::pair(0, 0), {19, 11}, {10, 6}}) {
        const Rgba pixel = colour->At(x, y);
        EXPECT_TRUE(Near(pixel.red, 200) && Near(pixel.green, 40) && Near(pixel.blue, 90) &&
                    pixel.alpha == 255)
            << x << "," << y;
    }
    const auto gray = NViewLibLoad(Write("gray.JPEG", MakeJpeg(9, 7, {128, 0, 0, 255}, true)), 0);
    ASSERT_NE(gray, nullptr);
    EXPECT_EQ(gray->height, 7);
    const Rgba pixel = gray->At(4, 3);
    EXPECT_TRUE(Near(pixel.red, 128) && Near(pixel.green, 128) && Near(pixel.blue, 128));
    // Print work's CMYK, its inks filed inverted under Adobe's marker: 255 is no ink.
    const auto print = NViewLibLoad(
        Write("print.jpg", MakeJpeg(8, 8, {255, 128, 0, 255}, false, JpegStyle::AdobeCmyk)), 0);
    ASSERT_NE(print, nullptr);
    const Rgba ink = print->At(4, 4);
    EXPECT_TRUE(Near(ink.red, 255) && Near(ink.green, 128) && Near(ink.blue, 0));
}

// A JPEG picture made small is decoded at the smallest eighth of its size that still covers
// the size asked for, an exact fit included.
TEST(JpegScalingTest, TheSmallestEighthThatStillCovers)
{
    const std::string jpeg = MakeJpeg(64, 48, White);
    const struct {
        int width, height, decodedWidth, decodedHeight;
    } cases[] = {{32, 24, 32, 24}, {33, 24, 40, 30}, {32, 25, 40, 30},
                 {8, 6, 8, 6},     {9, 6, 16, 12},   {64, 49, 64, 48}};
    for (const auto& c : cases) {
        JpegWanted wanted;
        wanted.minWidth = c.width;
        wanted.minHeight = c.height;
        const JpegResult result =
            DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size(), wanted);
        ASSERT_NE(result.bitmap, nullptr);
        EXPECT_EQ(std::pair(result.bitmap->width, result.bitmap->height),
                  std::pair(c.decodedWidth, c.decodedHeight))
            << c.width << "x" << c.height;
    }
}

TEST_F(PictureLibraryTest, DamagedCutOffAndMissingFilesGiveNothing)
{
    const std::string jpeg = MakeJpeg(32, 32, {10, 20, 30, 255});
    std::string noComponents = jpeg;
    noComponents[JpegHeightAt(jpeg) + 4] = '\0';  // a frame of no colour components
    std::string badGif = TinyGif();
    badGif[35] = 12;  // codes of 13 bits and more, where GIF stops at 12
    std::string badBmp = TinyBmp();
    badBmp[28] = 7;  // 7 bits per pixel
    std::string badPcx = TinyPcx();
    badPcx[65] = 0;  // no colour planes

    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"cut.gif", TinyGif().substr(0, 36)},
        {"cut.pcx", TinyPcx().substr(0, 100)},
        {"cut.bmp", TinyBmp().substr(0, 60)},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 2)},
        // Whole pictures cut in a comment after them, and without their end marker.
        {"comment.jpg", jpeg.substr(0, jpeg.size() - 2) + "\xFF\xFE\x00\x10" + "cut"},
        {"end.jpg", jpeg.substr(0, jpeg.size() - 2)},
        {"header.jpg", jpeg.substr(0, 2)},
        {"components.jpg", noComponents},
        {"codes.gif", badGif},
        {"bits.bmp", badBmp},
        {"planes.pcx", badPcx},
        {"empty.gif", ""},
        {"text.gif", "GIF89a is how it starts, and then nothing sensible follows"},
        {"mark.png", Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0})},
    };
    for (const auto& [name, bytes] : damaged) {
        EXPECT_EQ(NViewLibLoad(Write(name, bytes), 0), nullptr) << name;
    }
    // A picture in a file of more than 512 MB is not read at all (the rest is a hole on disk);
    // one of 512 MB is.
    const std::string huge = Write("huge.gif", TinyGif());
    std::filesystem::resize_file(huge, std::uintmax_t{512} << 20);
    EXPECT_NE(NViewLibLoad(huge, 0), nullptr);
    std::filesystem::resize_file(huge, (std::uintmax_t{512} << 20) + 1);
    EXPECT_EQ(NViewLibLoad(huge, 0), nullptr);
    EXPECT_EQ(NViewLibLoad(folder.File("missing.gif"), 0), nullptr);
    EXPECT_EQ(NViewLibLoad(folder.Path(), 0), nullptr) << "a folder";
    EXPECT_EQ(NViewLibLoad("", 0), nullptr);
}

TEST_F(PictureLibraryTest, PicturesClaimingTwentyThousandPixelsSquareAreRefused)
{
    std::string gif = TinyGif();
    for (const std::size_t at : {6u, 8u, 30u, 32u}) {  // the screen's and the image's sizes
        gif[at] = 0x20;                                // 20000 is 4E20
        gif[at + 1] = 0x4E;
    }
    std::string bmp = TinyBmp();
    bmp[18] = bmp[22] = 0x20;
    bmp[19] = bmp[23] = 0x4E;
    std::string pcx = TinyPcx();
    pcx[8] = pcx[10] = 0x1F;  // the last column and row: 19999 is 4E1F
    pcx[9] = pcx[11] = 0x4E;
    pcx[66] = 0x20;  // bytes per line for 20000 columns
    pcx[67] = 0x4E;
    std::string jpeg = MakeJpeg(16, 16, {0, 0, 0, 255});
    const std::size_t height = JpegHeightAt(jpeg);
    jpeg[height] = jpeg[height + 2] = 0x4E;
    jpeg[height + 1] = jpeg[height + 3] = 0x20;

    for (const auto& [name, bytes] :
         {std::pair("huge.gif", gif), {"huge.bmp", bmp}, {"huge.pcx", pcx}, {"huge.jpg", jpeg}}) {
        EXPECT_EQ(NViewLibLoad(Write(name, bytes), 0), nullptr) << name;
        EXPECT_EQ(LoadPictureFile(folder.File(name)).bitmap, nullptr) << name;
    }
    // The rule at its edges: a hundred million pixels in all, in any shape.
    constexpr std::int64_t Most = MaxPicturePixels;
    const std::tuple<std::int64_t, std::int64_t, bool> sizes[] = {
        {Most, 1, true},
        {1, Most, true},
        {10'000, 10'000, true},
        {Most + 1, 1, false},
        {1, Most + 1, false},
        {10'000, 10'001, false},
        {1, 0, false},
        {0, 1, false},
        {std::int64_t{1} << 40, std::int64_t{1} << 40, false}};
    for (const auto& [wide, high, allowed] : sizes) {
        EXPECT_EQ(PictureSizeAllowed(wide, high), allowed) << wide << " x " << high;
    }
}

TEST_F(PictureLibraryTest, WindowsLoaderGoesByTheExtension)
{
    ExpectTinyPicture(LoadPictureFile(Write("tiny.BMP", TinyBmp())).bitmap, "BMP in capitals");
    EXPECT_NE(LoadPictureFile(Write("photo.JPeG", MakeJpeg(5, 4, White))).bitmap, nullptr);
    ExpectTinyPicture(LoadPictureFile(Write("tiny.ico", TinyIcon())).bitmap, "icon");

    // Nothing for a file it has no decoder for, one that is not what its extension says, or
    // one it cannot read.
    std::string noWidth = TinyBmp();
    noWidth[18] = 0;
    for (const std::string& path :
         {Write("tiny.gif", TinyGif()), Write("tiny.png", TinyBmp()), Write("bmp.jpg", TinyBmp()),
          Write("cut.bmp", TinyBmp().substr(0, 60)), Write("nowidth.bmp", noWidth),
          Write("readme", "no extension"), folder.File("missing.jpeg")}) {
        EXPECT_EQ(LoadPictureFile(path).bitmap, nullptr) << path;
    }
}

// The album's thumbnails: what each kind of file gives, at which size, and what is kept.
TEST_F(PictureLibraryTest, ThumbnailsAreReducedOrCutAndUnreadableFilesGiveNothing)
{
    const std::string photo = Write("photo.JPG", MakeJpeg(1600, 1200, {200, 40, 90, 255}));
    const std::string small = Write("small.jpeg", MakeJpeg(20, 12, Blue));
    const std::string bmpNamedGif = Write("bitmap.gif", TinyBmp());
    const std::string bmpNamedJpg = Write("bitmap.jpg", TinyBmp());
    using Fit = PictureFit;
    struct Case {
        std::string file;
        Fit fit;
        int width, height;  // of the bitmap; 0 for none
        int pictureWidth, pictureHeight;
    };
    const std::vector<Case> cases = {
        {photo, Fit::Whole, 100, 80, 1600, 1200},
        {photo, Fit::Corner, 100, 80, 1600, 1200},
        {small, Fit::Whole, 20, 12, 20, 12},
        {small, Fit::Corner, 20, 12, 20, 12},
        {bmpNamedGif, Fit::Whole, 3, 2, 3, 2},
        {bmpNamedJpg, Fit::Whole, 0, 0, 0, 0},  // the JPEG decoder takes only JPEG pictures
        {folder.File("missing.jpg"), Fit::Whole, 0, 0, 0, 0},
        {"", Fit::Corner, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const Thumbnail thumbnail = DecodeThumbnail({c.file, 100, 80, c.fit});
        const std::string what = c.file + (c.fit == Fit::Whole ? " whole" : " corner");
        if (c.width == 0) {
            EXPECT_EQ(thumbnail.bitmap, nullptr) << what;
            continue;
        }
        ASSERT_NE(thumbnail.bitmap, nullptr) << what;
        EXPECT_EQ(thumbnail.bitmap->width, c.width) << what;
        EXPECT_EQ(thumbnail.bitmap->height, c.height) << what;
        EXPECT_EQ(thumbnail.bitmap->pixels.size(),
                  static_cast<std::size_t>(c.width * c.height * 4));
        EXPECT_EQ(thumbnail.pictureWidth, c.pictureWidth) << what;
        EXPECT_EQ(thumbnail.pictureHeight, c.pictureHeight) << what;
    }
    const Thumbnail reduced = DecodeThumbnail({photo, 100, 80, Fit::Whole});
    EXPECT_TRUE(Near(reduced.bitmap->At(99, 79).red, 200) &&
                Near(reduced.bitmap->At(0, 0).blue, 90));
    // Progressive pictures hold all their coefficients while they are decoded; what is
    // reckoned for them, and held to by libjpeg, is enough for every way of sampling colour.
    for (const JpegStyle style : {JpegStyle::Progressive, JpegStyle::ProgressiveFullColour}) {
        const std::string progressive =
            Write("progressive.jpg", MakeJpeg(1333, 1001, {200, 40, 90, 255}, false, style));
        for (const Fit fit : {Fit::Whole, Fit::Corner}) {
            const Thumbnail thumbnail = DecodeThumbnail({progressive, 100, 80, fit});
            ASSERT_NE(thumbnail.bitmap, nullptr);
            EXPECT_EQ(thumbnail.bitmap->width, 100);
            EXPECT_TRUE(Near(thumbnail.bitmap->At(99, 79).red, 200));
        }
    }
    ExpectTinyPicture(DecodeThumbnail({bmpNamedGif, 3, 2, Fit::Corner}).bitmap, "tiny corner");
    // No room at all gives nothing, not a picture of one pixel.
    EXPECT_EQ(DecodeThumbnail({small, 0, 80, Fit::Whole}).bitmap, nullptr);
    EXPECT_EQ(DecodeThumbnail({small, 80, 0, Fit::Corner}).bitmap, nullptr);
    // Narrower only: still the whole picture, scaled, not its left part.
    const Thumbnail narrower = DecodeThumbnail({bmpNamedGif, 2, 80, Fit::Whole});
    ASSERT_NE(narrower.bitmap, nullptr);
    EXPECT_EQ(narrower.bitmap->width, 2);
    EXPECT_NE(narrower.bitmap->At(1, 0), Green);
    EXPECT_NE(DecodeThumbnail({bmpNamedGif, 80, 1, Fit::Whole}).bitmap->At(0, 0), Red) << "lower";
    // A reduced pixel is the average of the source pixels it covers and of no others.
    auto quarters = std::make_shared<Bitmap>();
    quarters->width = quarters->height = 4;
    quarters->pixels.assign(64, 0);
    for (int at = 0; at < 16; ++at) {
        quarters->pixels[static_cast<std::size_t>(at) * 4] =
            static_cast<std::uint8_t>((at % 4 >= 2 ? 200 : 0) + (at / 4 >= 2 ? 40 : 0));
    }
    const auto halved = ReducedBitmap(quarters, 2, 2);
    EXPECT_EQ(halved->At(0, 0).red, 0);
    EXPECT_EQ(halved->At(1, 0).red, 200);
    EXPECT_EQ(halved->At(0, 1).red, 40);
    EXPECT_EQ(halved->At(1, 1).red, 240);
    // Each axis on its own; a picture small enough is kept as it is.
    EXPECT_EQ(ReducedBitmap(quarters, 4, 2)->At(3, 1).red, 240);
    EXPECT_EQ(ReducedBitmap(quarters, 2, 4)->At(1, 3).red, 240);
    EXPECT_EQ(ReducedBitmap(quarters, 4, 9), quarters);

    // Decoded on a worker, kept, and decoded afresh once the file changes.
    ThumbnailCache cache(1);
    ThumbnailArrivals arrivals(cache);
    const ThumbnailRequest request{small, 10, 10, Fit::Whole};
    EXPECT_FALSE(cache.Find(request));
    ASSERT_TRUE(arrivals.WaitFor(1));
    const std::optional<Thumbnail> kept = cache.Find(request);
    ASSERT_TRUE(kept && kept->bitmap);
    EXPECT_EQ(kept->bitmap->width, 10);
    EXPECT_EQ(cache.Find(request)->bitmap, kept->bitmap) << "found again, not decoded again";
    WriteFileBytes(small, MakeJpeg(30, 5, Blue));
    EXPECT_FALSE(cache.Find(request)) << "a file changed on disk is decoded afresh";
    ASSERT_TRUE(arrivals.WaitFor(2));
    EXPECT_EQ(cache.Find(request)->pictureWidth, 30);
}

// The spreadsheet's pictures: decoded once per file and let go when the budget is spent.
TEST_F(PictureLibraryTest, PictureCacheDecodesEachFileOnceWithinItsBudget)
{
    const std::string first = Write("a.bmp", TinyBmp());
    const std::string second = Write("b.gif", TinyGif());
    // Room for one 3 x 2 picture (24 bytes of pixels), not two.
    PictureCache cache(30);
    const std::shared_ptr<const Bitmap> picture = cache.Picture(first);
    ASSERT_NE(picture, nullptr);
    std::filesystem::remove(first);
    EXPECT_EQ(cache.Picture(first), picture) << "kept, not read again";
    EXPECT_EQ(cache.Picture(folder.File("missing.jpg")), nullptr);
    EXPECT_EQ(cache.Picture(first), picture) << "a missing file costs no room";

    ASSERT_NE(cache.Picture(second), nullptr);
    EXPECT_EQ(cache.Picture(first), nullptr) << "let go for the second, and gone from the disk";

    Write("a.bmp", TinyPcx());
    EXPECT_EQ(cache.Picture(first), nullptr) << "its absence is remembered too";
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
    ASSERT_NE(cache.Picture(first), nullptr);
    EXPECT_EQ(cache.Picture(first)->width, 3);
}

}  // namespace
}  // namespace quillmark::test
