#pragma once

#include "core/byte_stream.h"
#include "core/string_list.h"
#include "core/value_tags.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Reads tagged values back in the order they were written. Every failure (a wrong tag, a
// length beyond the end, a missing signature) throws FormatError with the offset where reading
// stopped. Lengths are checked against what the input still holds before anything is allocated.
class ValueReader {
public:
    // Reads from bytes already in memory.
    explicit ValueReader(std::string_view bytes);
    // Reads from a source through a buffer; totalSize is the size of the whole input.
    ValueReader(ByteSource& source, std::uint64_t totalSize);

    std::int32_t ReadInteger();
    std::string ReadString();
    void ReadStringInto(std::string& text)
    {
        // Nearly every string is a short one lying whole in the buffer, and most are empty (the
        // skill texts of a record); those cost no more than this.
        const auto buffered = static_cast<std::size_t>(end_ - cursor_);
        if (buffered >= 2 && static_cast<std::uint8_t>(cursor_[0]) == Tag::String) {
            const std::size_t size = static_cast<std::uint8_t>(cursor_[1]);
            if (size == 0) {
                text.clear();
                cursor_ += 2;
                return;
            }
            if (size <= buffered - 2) {
                text.assign(cursor_ + 2, size);
                cursor_ += 2 + size;
                return;
            }
        }
        ReadStringSlowly(text);
    }
    bool ReadBoolean();
    char ReadCharacter();
    void ReadListBegin();
    bool EndOfList();  // peeks: is the next tag the end of a list?
    void ReadListEnd();
    void ReadStringListInto(StringList& lines);
    void ReadRawBlock(void* data, std::size_t size);

    // A component stream: signature, class name and object name. Then, while !EndOfList(),
    // ReadPropertyName() followed by reading or skipping its value; then ReadListEnd() for the
    // end of the properties and SkipChildren() for the child objects.
    void BeginRootComponent(std::string& className, std::string& objectName);
    std::string ReadPropertyName();
    void SkipValue();
    void SkipChildren();
    // The tag of the next value, not consumed; for properties that may come in more than one
    // kind. Then the component-only kinds: an identifier, a set's names and a collection's
    // start (its items are lists of properties, the whole ended by ReadListEnd()).
    std::uint8_t PeekTag() { return PeekByte(); }
    std::string ReadIdentifier();
    std::vector<std::string> ReadSet();
    void ReadCollectionBegin();

    // The next count bytes (count at most BufferSize) without consuming them, or nothing when
    // the input ends sooner. For readers that recognise a common run of values at once; they
    // fall back to the value-by-value operations whenever the bytes are anything else.
    const char* Peek(std::size_t count);
    void Advance(std::size_t count) { cursor_ += count; }
    static constexpr std::size_t BufferSize = 64 * 1024;

    std::uint64_t Offset() const;
    std::uint64_t Remaining() const { return totalSize_ - Offset(); }

    [[noreturn]] void Fail(const std::string& what) const;

private:
    void ReadStringSlowly(std::string& text);
    std::uint8_t ReadByte();
    std::uint8_t PeekByte();
    std::uint8_t ReadTag();
    void Need(std::size_t count);
    void ReadBytes(char* destination, std::size_t count);
    void Skip(std::uint64_t count);
    std::uint32_t ReadLittleEndian(int byteCount);
    std::size_t CheckedLength(std::uint64_t length);
    [[noreturn]] void FailTag(std::uint8_t tag, const char* expected);
    void ReadShortName(std::string& name);
    void SkipObject(int depth);
    void SkipValueAt(int depth);

    ByteSource* source_ = nullptr;
    std::vector<char> buffer_;
    const char* cursor_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t endOffset_ = 0;  // file offset of end_
    std::uint64_t totalSize_ = 0;
    StringList listLines_;  // a list being read
    std::string line_;      // a line of it
};

}  // namespace quillmark
