// Pictures decoded once per file and let go when the budget is spent.

#include "engine/pictures/picture_cache.h"
#include "support/picture_files.h"
#include "support/test_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillmark::test {
namespace {

TEST(PictureCacheTest, DecodesEachFileOnceWithinItsBudget)
{
    TemporaryFolder folder;
    const std::string first = folder.File("a.bmp");
    const std::string second = folder.File("b.gif");
    WriteFileBytes(first, TinyBmp());
    WriteFileBytes(second, TinyGif());

    // Room for one 3 x 2 picture (24 bytes of pixels), not two.
    PictureCache cache(30);
    const std::shared_ptr<const Bitmap> picture = cache.Picture(first);
    ASSERT_NE(picture, nullptr);
    std::filesystem::remove(first);
    EXPECT_EQ(cache.Picture(first), picture) << "kept, not read again";
    EXPECT_EQ(cache.Picture(folder.File("missing.jpg")), nullptr);

    ASSERT_NE(cache.Picture(second), nullptr);
    EXPECT_EQ(cache.Picture(first), nullptr) << "let go for the second, and gone from the disk";

    WriteFileBytes(first, TinyPcx());
    EXPECT_EQ(cache.Picture(first), nullptr) << "its absence is remembered too";
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
    ASSERT_NE(cache.Picture(first), nullptr);
    EXPECT_EQ(cache.Picture(first)->width, 3);
}

}  // namespace
}  // namespace quillmark::test
