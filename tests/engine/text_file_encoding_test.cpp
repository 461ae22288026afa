// Text files out in UTF-8 or Windows-1252, and in from whatever encoding they were written in.

#include "engine/text_file_encoding.h"
#include "core/byte_stream.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(TextFileEncodingTest, RecordTextIsWrittenInTheEncodingChosen)
{
    for (const auto& [encoding, bytes] :
         {std::pair(TextFileEncoding::Utf8, "Tom\xC3\xA1s \xE2\x82\xAC\xC2\x81,"),
          {TextFileEncoding::Windows1252, "Tom\xE1s \x80\x81,"}}) {
        std::string written;
        StringSink file(written);
        EncodingSink(file, encoding).Write("Tom\xE1s \x80\x81,");
        EXPECT_EQ(written, bytes);
    }
}

TEST(TextFileEncodingTest, AFileIsReadInTheEncodingItWasWrittenIn)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
        bool cut = false;  // reading failed after these bytes
    };
    const Case cases[] = {
        {"UTF-8", "Jos\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC", "Jos\xE9 M\xFCller \x80"},
        // The mark says UTF-8: a byte that is none stays what it is in Windows-1252.
        {"a stray byte after a mark", "\xEF\xBB\xBFJos\xC3\xA9 \xE9", "Jos\xE9 \xE9"},
        {"UTF-16 LE", std::string("\xFF\xFEJ\0\xE9\0\xAC\x20", 8), "J\xE9\x80"},
        {"UTF-16 BE", std::string("\xFE\xFF\0J\0\xE9\x20\xAC", 8), "J\xE9\x80"},
        // Not UTF-8 throughout: every byte is Windows-1252, also the ones that looked UTF-8.
        {"Windows-1252", "Jos\xE9 \xC3\xA9", "Jos\xE9 \xC3\xA9"},
        {"Windows-1252 from its first byte above ASCII", "\x80\xC3\xA9", "\x80\xC3\xA9"},
        // The first and last surrogates are no characters, so their encodings are no UTF-8.
        {"the first surrogate", "\xC3\xA9\xED\xA0\x80", "\xC3\xA9\xED\xA0\x80"},
        {"the last surrogate", "\xC3\xA9\xED\xBF\xBF", "\xC3\xA9\xED\xBF\xBF"},
        {"ASCII", "Ann,Bo\r\n", "Ann,Bo\r\n"},
        // Where reading failed in the middle of a character, the part read is left out.
        {"cut in two bytes", "Jos\xC3\xA9\r\nM\xC3", "Jos\xE9\r\nM", true},
        {"cut in three bytes", "\xC3\xA9\xE2\x82", "\xE9", true},
        {"cut in four bytes", "\xC3\xA9\xF0\x9F\x98", "\xE9", true},
        {"cut in the first character after a mark", "\xEF\xBB\xBF\xE2\x82", "", true},
        {"cut just after a whole character", "\xC3\xA9\xE2\x82\xAC", "\xE9\x80", true},
        {"cut in a surrogate pair", std::string("\xFF\xFEZ\0\x3D\xD8", 6), "Z", true},
    };
    for (const Case& c : cases) {
        const DecodedText decoded = DecodeTextFile(c.bytes, c.cut);
        EXPECT_EQ(decoded.text, c.text) << c.what;
        EXPECT_FALSE(decoded.unstorable) << c.what;
    }
}

TEST(TextFileEncodingTest, ACharacterRecordTextCannotHoldIsFoundOnItsLine)
{
    // Lines end at CR LF, LF and CR alone.
    const DecodedText wide = DecodeTextFile("a\r\nb\nc\rd \xE6\x97\xA5");
    EXPECT_TRUE(wide.text.empty());
    EXPECT_EQ(wide.unstorable, (UnstorableCharacter{4, 0x65E5}));
    EXPECT_EQ(UnstorableCharacterMessage(*wide.unstorable, true),
              "Line 4 holds a character that a database cannot store: \xE6\x97\xA5");
    EXPECT_EQ(UnstorableCharacterMessage(*wide.unstorable, false),
              "Line 4 holds a character that a database cannot store: U+65E5");

    // Beyond the first plane, from a surrogate pair; a control is never shown as itself.
    const auto face = DecodeTextFile(std::string("\xFF\xFE\n\0\x3D\xD8\x00\xDE\x01\xFB", 10));
    EXPECT_EQ(face.unstorable, (UnstorableCharacter{2, 0x1F600}));
    EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), true).unstorable,
              (UnstorableCharacter{1, 0x1F600}))
        << "reading failed after a whole pair";
    // The last code point is a character; past it the bytes are no UTF-8 but record text.
    EXPECT_EQ(DecodeTextFile("\xF4\x8F\xBF\xBF").unstorable, (UnstorableCharacter{1, 0x10FFFF}));
    EXPECT_EQ(DecodeTextFile("\xF4\x90\x80\x80").text, "\xF4\x90\x80\x80");
    EXPECT_EQ(UnstorableCharacterMessage({1, 0x10FFFF}, true),
              "Line 1 holds a character that a database cannot store: \xF4\x8F\xBF\xBF");
    EXPECT_EQ(UnstorableCharacterMessage({1, 0x80}, true),
              "Line 1 holds a character that a database cannot store: U+0080");
}

}  // namespace
}  // namespace quillmark
