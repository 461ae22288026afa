#include "support/test_helpers.h"

#include "core/value_reader.h"
#include "core/value_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillmark {
namespace {

using test::Hex;
using test::Name;
using test::ToHex;

std::string Written(const std::function<void(ValueWriter&)>& write)
{
    std::string bytes;
    StringSink sink(bytes);
    ValueWriter writer(sink);
    write(writer);
    writer.Flush();
    return bytes;
}

// Runs the same reading against bytes held in memory and against sources that hand them out
// one and seven bytes at a time, so that buffer refills fall inside values at every position.
void ForEachReader(const std::string& bytes, const std::function<void(ValueReader&)>& read)
{
    {
        SCOPED_TRACE("read from memory");
        ValueReader reader(bytes);
        read(reader);
    }
    for (std::size_t chunk : {1, 7}) {
        SCOPED_TRACE("read from a source of " + std::to_string(chunk) + "-byte pieces");
        test::TrickleSource source(bytes, chunk);
        ValueReader reader(source, bytes.size());
        read(reader);
    }
}

// Where a read stopped with a format error; nothing when it did not fail.
std::optional<std::uint64_t> FailureOffset(const std::function<void()>& read)
{
    try {
        read();
    } catch (const FormatError& error) {
        return error.Offset();
    }
    return std::nullopt;
}

// Reads a root component's head and passes over its properties and children, giving back the
// names of the properties.
std::vector<std::string> SkipComponent(ValueReader& r)
{
    std::string className;
    std::string objectName;
    r.BeginRootComponent(className, objectName);
    EXPECT_EQ(className + " " + objectName, "TThing Root");
    std::vector<std::string> names;
    while (!r.EndOfList()) {
        names.push_back(r.ReadPropertyName());
        r.SkipValue();
    }
    r.ReadListEnd();
    r.SkipChildren();
    return names;
}

std::string AllByteValues(std::size_t length)
{
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(i * 7 % 256);
    }
    return text;
}

TEST(ValueStreamTest, IntegersTakeTheNarrowestTagAndReadBackSignExtended)
{
    const struct {
        std::int32_t value;
        const char* bytes;
    } cases[] = {
        {0, "02 00"},
        {127, "02 7F"},
        {-128, "02 80"},
        {128, "03 80 00"},
        {-129, "03 7F FF"},
        {32767, "03 FF 7F"},
        {-32768, "03 00 80"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 FF 7F FF FF"},
        {std::numeric_limits<std::int32_t>::max(), "04 FF FF FF 7F"},
        {std::numeric_limits<std::int32_t>::min(), "04 00 00 00 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ToHex(Written([&](ValueWriter& w) { w.WriteInteger(c.value); })),
                  ToHex(Hex(c.bytes)));
        ForEachReader(Hex(c.bytes), [&](ValueReader& r) {
            EXPECT_EQ(r.ReadInteger(), c.value);
            EXPECT_EQ(r.Remaining(), 0u);
        });
    }
    // Files from elsewhere may use a wider tag than needed; the value is the same.
    ForEachReader(Hex("04 05 00 00 00 03 FF FF"), [](ValueReader& r) {
        EXPECT_EQ(r.ReadInteger(), 5);
        EXPECT_EQ(r.ReadInteger(), -1);
    });
}

TEST(ValueStreamTest, StringsSwitchToTheLongFormAbove255Bytes)
{
    const std::string of255 = AllByteValues(255);
    const std::string of256 = AllByteValues(256);
    const std::string of300 = AllByteValues(300);
    const std::string large = AllByteValues(70'000);  // more than the reader's buffer holds
    const struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"1.12", Hex("06 04 31 2E 31 32")},     {"", Hex("06 00")},
        {of255, Hex("06 FF") + of255},          {of256, Hex("0C 00 01 00 00") + of256},
        {of300, Hex("0C 2C 01 00 00") + of300}, {large, Hex("0C 70 11 01 00") + large},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("string of " + std::to_string(c.text.size()) + " bytes");
        EXPECT_EQ(ToHex(Written([&](ValueWriter& w) { w.WriteString(c.text); })), ToHex(c.bytes));
        ForEachReader(c.bytes, [&](ValueReader& r) {
            EXPECT_EQ(r.ReadString(), c.text);
            EXPECT_EQ(r.Remaining(), 0u);
        });
    }
    // The same when the writer's buffer has too little room left for them.
    const std::string filler(ValueWriter::BufferSize - 105, 'x');
    for (const auto& c : cases) {
        const std::string written = Written([&](ValueWriter& w) {
            w.WriteString(filler);
            w.WriteString(c.text);
        });
        EXPECT_EQ(ToHex(written.substr(filler.size() + 5)), ToHex(c.bytes));
    }
    // A source that delivers less than it announced must not leave the reader waiting.
    test::TrickleSource shortSource(std::string_view(cases[4].bytes).substr(0, 100), 3);
    ValueReader reader(shortSource, cases[4].bytes.size());
    EXPECT_TRUE(FailureOffset([&] { reader.ReadString(); }).has_value());
}

// The database reader takes whole runs of values at once when all their bytes are there: a peek
// reaches to the input's last byte, buffered already or still to come, and no further.
TEST(ValueStreamTest, PeeksReachToTheLastByteAndNoFurther)
{
    const auto peeked = [](ValueReader& r, std::size_t count) {
        const char* bytes = r.Peek(count);
        return bytes == nullptr ? std::string("nothing") : std::string(bytes, count);
    };
    const std::string bytes = Hex("06 04 31 2E 31 32");
    ForEachReader(bytes, [&](ValueReader& r) {
        EXPECT_EQ(peeked(r, 6), bytes);
        EXPECT_EQ(peeked(r, 7), "nothing");
        r.Advance(2);
        EXPECT_EQ(peeked(r, 4), "1.12");
        EXPECT_EQ(peeked(r, 5), "nothing");
    });
    // At most a buffer's worth, however much more the source holds.
    const std::string large = AllByteValues(ValueReader::BufferSize + 100);
    test::TrickleSource source(large, 4096);
    ValueReader reader(source, large.size());
    EXPECT_EQ(peeked(reader, ValueReader::BufferSize + 1), "nothing");
    EXPECT_EQ(peeked(reader, ValueReader::BufferSize), large.substr(0, ValueReader::BufferSize));
}

TEST(ValueStreamTest, NamesAndNestingStopAtTheirLimits)
{
    // A name is at most 255 bytes, an identifier as much as a property name.
    const std::string longest(255, 'n');
    const std::string bytes = Written([&](ValueWriter& w) {
        w.WriteIdentifier(longest);
        w.WritePropertyName("");
    });
    EXPECT_EQ(ToHex(bytes), ToHex(Hex("07 FF") + longest + Hex("00")));
    ForEachReader(bytes, [&](ValueReader& r) {
        EXPECT_EQ(r.ReadIdentifier(), longest);
        EXPECT_EQ(r.ReadPropertyName(), "");
    });
    EXPECT_THROW(Written([&](ValueWriter& w) { w.WriteIdentifier(longest + "n"); }),
                 std::invalid_argument);

    // Values nest 64 levels below the one skipped, child components 64 below the root's.
    for (const auto& [depth, fails] : {std::pair{64, false}, {65, true}}) {
        SCOPED_TRACE(depth);
        const std::string lists =
            test::Repeat(Hex("01"), depth + 1) + test::Repeat(Hex("00"), depth + 1);
        ValueReader listReader(lists);
        EXPECT_EQ(FailureOffset([&] { listReader.SkipValue(); }).has_value(), fails);
        const std::string children = test::Repeat(Name("TChild") + Name("C") + Hex("00"), depth) +
                                     test::Repeat(Hex("00"), depth + 1);
        ValueReader childReader(children);
        EXPECT_EQ(FailureOffset([&] { childReader.SkipChildren(); }).has_value(), fails);
        // A child's property values count one level below the child.
        const std::string property =
            test::Repeat(Name("TChild") + Name("C") + Hex("00"), depth - 2) + Name("TChild") +
            Name("C") + Name("Tag") + Hex("02 01 00") + test::Repeat(Hex("00"), depth);
        ValueReader propertyReader(property);
        EXPECT_EQ(FailureOffset([&] { propertyReader.SkipChildren(); }).has_value(), fails);
        // So do a collection item's order number and property values.
        const std::string collection = test::Repeat(Hex("01"), depth - 1) + Hex("0E 02 05 01") +
                                       Name("Tag") + Hex("02 01 00 00") +
                                       test::Repeat(Hex("00"), depth - 1);
        ValueReader collectionReader(collection);
        EXPECT_EQ(FailureOffset([&] { collectionReader.SkipValue(); }).has_value(), fails);
    }
}

TEST(ValueStreamTest, WrongTagsFailAtTheTag)
{
    const struct {
        const char* what;
        const char* bytes;
        std::function<void(ValueReader&)> read;
        std::uint64_t offset;
    } cases[] = {
        {"integer where a string is", "06 01 41", [](ValueReader& r) { r.ReadInteger(); }, 0},
        {"string where an integer is", "02 05", [](ValueReader& r) { r.ReadString(); }, 0},
        {"boolean where a string is", "06 00", [](ValueReader& r) { r.ReadBoolean(); }, 0},
        {"character where an integer is", "02 41", [](ValueReader& r) { r.ReadCharacter(); }, 0},
        {"character where a longer string is", "06 02 41 42",
         [](ValueReader& r) { r.ReadCharacter(); }, 1},
        {"list where a string is", "06 00", [](ValueReader& r) { r.ReadListBegin(); }, 0},
        {"end of list where a string is", "01 06 01 61 06 01 62 00",
         [](ValueReader& r) {
             r.ReadListBegin();
             r.ReadListEnd();
         },
         1},
        {"unknown tag", "0F", [](ValueReader& r) { r.SkipValue(); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ForEachReader(Hex(c.bytes), [&](ValueReader& r) {
            EXPECT_EQ(FailureOffset([&] { c.read(r); }), c.offset);
        });
    }
}

TEST(ValueStreamTest, ComponentStreamsSkipEveryKindOfUnknownValue)
{
    const std::string longCaption(300, 'c');
    const std::string bytes =
        Hex("54 50 46 30") + Name("TThing") + Name("Root") +                   //
        Name("Width") + Hex("03 2C 01") +                                      // integer
        Name("Ratio") + Hex("05 00 00 00 00 00 00 00 80 FF 3F") +              // extended
        Name("Align") + Hex("07") + Name("alClient") +                         // identifier
        Name("Items.Data") + Hex("0A 05 00 00 00 01 02 00 04 05") +            // binary
        Name("Options") + Hex("0B") + Name("opA") + Name("opB") + Hex("00") +  // set
        Name("Caption") + Hex("0C 2C 01 00 00") + longCaption +                // long string
        Name("Parent") + Hex("0D") +                                           // nil
        Name("Columns") + Hex("0E") +                                          // collection:
        Hex("02 00 01") + Name("Width") + Hex("02 32") + Name("Title") + Hex("06 01 78 00") +
        Hex("03 2C 01 01") + Name("Visible") + Hex("09 00") +               // a wider order number
        Hex("01") + Name("Visible") + Hex("08 00") +                        // and none
        Hex("00") +                                                         // end of the collection
        Name("Lines") + Hex("01 06 01 61 01 06 01 62 01 00 00 02 07 00") +  // nested lists
        Name("Enabled") + Hex("08") +                                       //
        Hex("00") +                                                         // end of properties
        Name("TChild") + Name("First") + Name("Tag") + Hex("02 01 00") +    // a child
        Name("TLeaf") + Name("Leaf") + Hex("00 00") +                       // its own child
        Hex("00") +                                                         // its children end
        Name("TChild") + Name("Second") + Hex("00 00") +  // a child without anything
        Hex("00") +                                       // end of children
        Hex("02 2A");                                     // the next value of the file
    ForEachReader(bytes, [&](ValueReader& r) {
        const std::vector<std::string> names = SkipComponent(r);
        EXPECT_EQ(names,
                  (std::vector<std::string>{"Width", "Ratio", "Align", "Items.Data", "Options",
                                            "Caption", "Parent", "Columns", "Lines", "Enabled"}));
        EXPECT_EQ(r.ReadInteger(), 42);
    });
}

TEST(ValueStreamTest, DamagedComponentStreamsAreFormatErrors)
{
    const std::string start = Hex("54 50 46 30") + Name("TThing") + Name("Root");
    const struct {
        const char* what;
        std::string bytes;
        std::optional<std::uint64_t> offset;  // where it must stop, when that is certain ({}: not)
    } cases[] = {
        {"wrong signature", Hex("54 50 46 31") + Name("TThing") + Name("Root") + Hex("00 00"), 0},
        {"signature cut short", Hex("54 50 46"), {}},
        {"object flags", Hex("54 50 46 30 F0") + Name("TThing") + Name("Root") + Hex("00 00"), 4},
        {"child with object flags", start + Hex("00 F0") + Name("TChild") + Hex("00 00 00 00"),
         start.size() + 1},
        {"unknown tag", start + Name("X") + Hex("0F 00 00"), start.size() + 2},
        {"set without its end", start + Name("X") + Hex("0B 03") + "abc", {}},
        {"binary length beyond the end", start + Name("X") + Hex("0A FF FF FF FF 00"), {}},
        {"lists nested without end", start + Name("X") + std::string(1'000'000, '\x01'), {}},
        {"children nested without end",
         start + Hex("00") + test::Repeat(Name("TChild") + Name("C") + Hex("00"), 200'000),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ForEachReader(c.bytes, [&](ValueReader& r) {
            // Nothing is reserved for a damaged length or depth before it is turned down.
            test::AllocationWatch watch;
            const auto offset = FailureOffset([&] { SkipComponent(r); });
            ASSERT_TRUE(offset.has_value());
            if (c.offset) {
                EXPECT_EQ(*offset, *c.offset);
            }
            EXPECT_LT(watch.Largest(), 1u << 20);
        });
    }
}

}  // namespace
}  // namespace quillmark
