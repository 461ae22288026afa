#include "core/case_folding.h"

#include <gtest/gtest.h>

// The folds at the edges of each run of letters: the first and last letter, and the
// characters just outside.
namespace quillmark {
namespace {

TEST(CaseFoldingBoundaries, EachRunOfLettersFoldsFromItsFirstToItsLast)
{
    const struct {
        unsigned char upper;
        unsigned char lower;
    } pairs[] = {
        {'A', 'a'},   {'Z', 'z'},   {0xC0, 0xE0}, {0xD6, 0xF6}, {0xD8, 0xF8},
        {0xDE, 0xFE}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(static_cast<int>(p.upper));
        EXPECT_EQ(Windows1252UpperCase(p.lower), p.upper);
        EXPECT_EQ(Windows1252LowerCase(p.upper), p.lower);
        EXPECT_EQ(Windows1252UpperCase(p.upper), p.upper);
        EXPECT_EQ(Windows1252LowerCase(p.lower), p.lower);
    }
    // Neighbours of the runs, the multiplication and division signs and sharp s stay.
    const unsigned char others[] = {'@',  '[',  '`',  '{',  0xBF, 0xD7, 0xDF, 0xF7,
                                    0x89, 0x8B, 0x8D, 0x8F, 0x99, 0x9B, 0x9D};
    for (const unsigned char c : others) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(Windows1252UpperCase(c), c);
        EXPECT_EQ(Windows1252LowerCase(c), c);
    }
    const std::string ascii = "az@[`{AZ\xE9";
    std::string upper;
    for (const char c : ascii) {
        upper += AsciiUpperCase(c);
    }
    EXPECT_EQ(upper, "AZ@[`{AZ\xE9");
    EXPECT_EQ(AsciiLowerCaseText("AZ@[`{az\xC9"), "az@[`{az\xC9");
    EXPECT_EQ(Windows1252UpperCaseText("az\xE0\xFF\xF7"), "AZ\xC0\x9F\xF7");
    EXPECT_EQ(Windows1252LowerCaseText("AZ\xC0\x9F\xD7"), "az\xE0\xFF\xD7");
}

TEST(CaseFoldingBoundaries, ComparisonsFoldOnlyAsciiAndPutAPrefixFirst)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"", "", 0},        {"", "a", -1},        {"z", "Z", 0},     {"Za", "zA", 0},
        {"y", "Z", -1},     {"Z", "`", -1},       {"z", "[", -1},    {"a", "[", -1},
        {"abc", "abd", -1}, {"abd", "abc", 1},    {"ab", "abc", -1}, {"abc", "ab", 1},
        {"\xE9", "z", 1},   {"\xC9", "\xE9", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        const int result = CompareTextsIgnoringAsciiCase(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
        EXPECT_EQ(SameTextIgnoringAsciiCase(c.a, c.b), c.sign == 0);
    }
}

}  // namespace
}  // namespace quillmark
