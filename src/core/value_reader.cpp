#include "core/value_reader.h"

#include "core/file_messages.h"
#include "core/value_tags.h"

#include <algorithm>
#include <cstring>

namespace quillmark {

namespace {

// Lists and objects nested deeper than this come from a damaged file, not from any writer.
constexpr int MaximumNesting = 64;

}  // namespace

ValueReader::ValueReader(std::string_view bytes)
    : cursor_(bytes.data()),
      end_(bytes.data() + bytes.size()),
      endOffset_(bytes.size()),
      totalSize_(bytes.size())
{
}

ValueReader::ValueReader(ByteSource& source, std::uint64_t totalSize)
    : source_(&source),
      buffer_(BufferSize),
      cursor_(buffer_.data()),
      end_(buffer_.data()),
      totalSize_(totalSize)
{
}

std::uint64_t ValueReader::Offset() const
{
    return endOffset_ - static_cast<std::uint64_t>(end_ - cursor_);
}

void ValueReader::Fail(const std::string& what) const
{
    // The reason may quote what the file holds (a margin, a property name) and goes into
    // messages: a file must not be able to break one into lines or send a terminal commands.
    throw FormatError(TextInMessage(what), Offset());
}

void ValueReader::FailTag(std::uint8_t tag, const char* expected)
{
    --cursor_;  // report the offset of the tag itself
    Fail("expected " + std::string(expected) + ", found tag " + std::to_string(tag));
}

void ValueReader::Need(std::size_t count)
{
    if (static_cast<std::size_t>(end_ - cursor_) >= count) {
        return;
    }
    if (source_ == nullptr || Remaining() < count) {
        throw FormatError("the file ends before the value is complete", totalSize_);
    }
    // Move what is left to the front and refill behind it.
    const std::size_t left = static_cast<std::size_t>(end_ - cursor_);
    std::memmove(buffer_.data(), cursor_, left);
    cursor_ = buffer_.data();
    end_ = buffer_.data() + left;
    while (static_cast<std::size_t>(end_ - cursor_) < count) {
        // Never past the size the file had when it was opened: a file growing meanwhile
        // must not make the length checks above count bytes that were never promised.
        const std::size_t room = static_cast<std::size_t>(std::min<std::uint64_t>(
            buffer_.size() - static_cast<std::size_t>(end_ - buffer_.data()),
            totalSize_ - endOffset_));
        const std::size_t got = room == 0 ? 0 : source_->ReadSome(const_cast<char*>(end_), room);
        if (got == 0) {
            throw FormatError("the file ends before the value is complete", endOffset_);
        }
        end_ += got;
        endOffset_ += got;
    }
}

const char* ValueReader::Peek(std::size_t count)
{
    if (static_cast<std::size_t>(end_ - cursor_) >= count) {
        return cursor_;
    }
    if (count > BufferSize || Remaining() < count || source_ == nullptr) {
        return nullptr;
    }
    Need(count);
    return cursor_;
}

void ValueReader::ReadBytes(char* destination, std::size_t count)
{
    const std::size_t inBuffer = std::min(count, static_cast<std::size_t>(end_ - cursor_));
    std::memcpy(destination, cursor_, inBuffer);
    cursor_ += inBuffer;
    destination += inBuffer;
    count -= inBuffer;
    while (count > 0) {
        // Large blocks go straight from the source; small rests through the buffer.
        if (count >= buffer_.size() / 2 && source_ != nullptr) {
            const std::size_t got = source_->ReadSome(destination, count);
            if (got == 0) {
                throw FormatError("the file ends before the value is complete", endOffset_);
            }
            destination += got;
            count -= got;
            endOffset_ += got;
        } else {
            Need(count);
            std::memcpy(destination, cursor_, count);
            cursor_ += count;
            count = 0;
        }
    }
}

void ValueReader::Skip(std::uint64_t count)
{
    if (count > Remaining()) {
        throw FormatError("the file ends before the value is complete", totalSize_);
    }
    while (count > 0) {
        if (cursor_ == end_) {
            Need(1);
        }
        const auto step = static_cast<std::size_t>(
            std::min<std::uint64_t>(count, static_cast<std::uint64_t>(end_ - cursor_)));
        cursor_ += step;
        count -= step;
    }
}

std::uint8_t ValueReader::ReadByte()
{
    if (cursor_ == end_) {
        Need(1);
    }
    return static_cast<std::uint8_t>(*cursor_++);
}

std::uint8_t ValueReader::PeekByte()
{
    if (cursor_ == end_) {
        Need(1);
    }
    return static_cast<std::uint8_t>(*cursor_);
}

std::uint8_t ValueReader::ReadTag()
{
    return ReadByte();
}

std::uint32_t ValueReader::ReadLittleEndian(int byteCount)
{
    Need(static_cast<std::size_t>(byteCount));
    std::uint32_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(cursor_[i]);
    }
    cursor_ += byteCount;
    return value;
}

std::size_t ValueReader::CheckedLength(std::uint64_t length)
{
    if (length > Remaining()) {
        throw FormatError(
            "a length of " + std::to_string(length) + " runs past the end of the file", Offset());
    }
    return static_cast<std::size_t>(length);
}

std::int32_t ValueReader::ReadInteger()
{
    const std::uint8_t tag = ReadTag();
    switch (tag) {
    case Tag::Int8:
        return static_cast<std::int8_t>(ReadLittleEndian(1));
    case Tag::Int16:
        return static_cast<std::int16_t>(ReadLittleEndian(2));
    case Tag::Int32:
        return static_cast<std::int32_t>(ReadLittleEndian(4));
    default:
        FailTag(tag, "an integer");
    }
}

void ValueReader::ReadStringSlowly(std::string& text)
{
    const std::uint8_t tag = ReadTag();
    std::uint64_t length = 0;
    if (tag == Tag::String) {
        length = ReadLittleEndian(1);
    } else if (tag == Tag::LongString) {
        length = ReadLittleEndian(4);
    } else {
        FailTag(tag, "a string");
    }
    const std::size_t size = CheckedLength(length);
    if (static_cast<std::size_t>(end_ - cursor_) >= size) {
        text.assign(cursor_, size);
        cursor_ += size;
    } else {
        text.resize(size);
        ReadBytes(text.data(), size);
    }
}

std::string ValueReader::ReadString()
{
    std::string text;
    ReadStringInto(text);
    return text;
}

bool ValueReader::ReadBoolean()
{
    const std::uint8_t tag = ReadTag();
    if (tag == Tag::True) {
        return true;
    }
    if (tag != Tag::False) {
        FailTag(tag, "a boolean");
    }
    return false;
}

char ValueReader::ReadCharacter()
{
    if (end_ - cursor_ >= 3 && cursor_[0] == Tag::String && cursor_[1] == 1) {
        cursor_ += 3;
        return cursor_[-1];
    }
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::String) {
        FailTag(tag, "a character");
    }
    if (ReadByte() != 1) {
        --cursor_;
        Fail("expected a character, found a string of another length");
    }
    return static_cast<char>(ReadByte());
}

void ValueReader::ReadListBegin()
{
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::List) {
        FailTag(tag, "the start of a list");
    }
}

bool ValueReader::EndOfList()
{
    return PeekByte() == Tag::EndOfList;
}

void ValueReader::ReadListEnd()
{
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::EndOfList) {
        FailTag(tag, "the end of a list");
    }
}

void ValueReader::ReadStringListInto(StringList& lines)
{
    // Built in a list of the reader's own, then copied: the lines take one block of their exact
    // size, not a block grown line by line.
    listLines_.clear();
    ReadListBegin();
    while (!EndOfList()) {
        ReadStringInto(line_);
        listLines_.push_back(line_);
    }
    ReadListEnd();
    lines = listLines_;
}

void ValueReader::ReadRawBlock(void* data, std::size_t size)
{
    if (static_cast<std::size_t>(end_ - cursor_) >= size) {
        std::memcpy(data, cursor_, size);
        cursor_ += size;
        return;
    }
    CheckedLength(size);
    ReadBytes(static_cast<char*>(data), size);
}

void ValueReader::ReadShortName(std::string& name)
{
    const std::size_t length = ReadByte();
    name.resize(CheckedLength(length));
    ReadBytes(name.data(), length);
}

void ValueReader::BeginRootComponent(std::string& className, std::string& objectName)
{
    char signature[4];
    const std::uint64_t start = Offset();
    if (Remaining() < sizeof signature) {
        throw FormatError("the file ends before the value is complete", totalSize_);
    }
    ReadBytes(signature, sizeof signature);
    if (std::string_view(signature, sizeof signature) != ComponentSignature) {
        throw FormatError("expected a component stream", start);
    }
    if (PeekByte() >= 0xF0) {
        Fail("component streams with object flags are not supported");
    }
    ReadShortName(className);
    ReadShortName(objectName);
}

std::string ValueReader::ReadPropertyName()
{
    std::string name;
    ReadShortName(name);
    return name;
}

std::string ValueReader::ReadIdentifier()
{
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::Identifier) {
        FailTag(tag, "an identifier");
    }
    std::string name;
    ReadShortName(name);
    return name;
}

std::vector<std::string> ValueReader::ReadSet()
{
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::Set) {
        FailTag(tag, "a set");
    }
    std::vector<std::string> names;
    for (std::string name;;) {
        ReadShortName(name);
        if (name.empty()) {
            return names;
        }
        names.push_back(name);
    }
}

void ValueReader::ReadCollectionBegin()
{
    const std::uint8_t tag = ReadTag();
    if (tag != Tag::Collection) {
        FailTag(tag, "a collection");
    }
}

void ValueReader::SkipValue()
{
    SkipValueAt(0);
}

void ValueReader::SkipValueAt(int depth)
{
    if (depth > MaximumNesting) {
        Fail("values are nested too deeply");
    }
    const std::uint8_t tag = ReadTag();
    switch (tag) {
    case Tag::List:
        while (!EndOfList()) {
            SkipValueAt(depth + 1);
        }
        ReadListEnd();
        break;
    case Tag::Int8:
        Skip(1);
        break;
    case Tag::Int16:
        Skip(2);
        break;
    case Tag::Int32:
        Skip(4);
        break;
    case Tag::Extended:
        Skip(10);
        break;
    case Tag::String:
    case Tag::Identifier:
        Skip(ReadLittleEndian(1));
        break;
    case Tag::False:
    case Tag::True:
    case Tag::Nil:
        break;
    case Tag::Binary:
    case Tag::LongString:
        Skip(ReadLittleEndian(4));
        break;
    case Tag::Set:
        for (std::uint8_t length = ReadByte(); length != 0; length = ReadByte()) {
            Skip(length);
        }
        break;
    case Tag::Collection:
        // Items, each an optional order number and a list of properties.
        while (!EndOfList()) {
            const std::uint8_t next = PeekByte();
            if (next == Tag::Int8 || next == Tag::Int16 || next == Tag::Int32) {
                SkipValueAt(depth + 1);
            }
            ReadListBegin();
            while (!EndOfList()) {
                ReadPropertyName();
                SkipValueAt(depth + 1);
            }
            ReadListEnd();
        }
        ReadListEnd();
        break;
    default:
        FailTag(tag, "a value");
    }
}

void ValueReader::SkipObject(int depth)
{
    if (depth > MaximumNesting) {
        Fail("objects are nested too deeply");
    }
    if (PeekByte() >= 0xF0) {
        Fail("component streams with object flags are not supported");
    }
    std::string name;
    ReadShortName(name);  // class
    ReadShortName(name);  // object
    while (!EndOfList()) {
        ReadShortName(name);
        SkipValueAt(depth + 1);
    }
    ReadListEnd();
    while (!EndOfList()) {
        SkipObject(depth + 1);
    }
    ReadListEnd();
}

void ValueReader::SkipChildren()
{
    while (!EndOfList()) {
        SkipObject(1);
    }
    ReadListEnd();
}

}  // namespace quillmark
