#include "core/value_writer.h"

#include "core/value_tags.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace quillmark {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

template <typename Int>
std::string_view LittleEndian(Int value, char (&bytes)[sizeof(Int)])
{
    auto bits = static_cast<std::make_unsigned_t<Int>>(value);
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        bytes[i] = static_cast<char>(bits & 0xFF);
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
    return {bytes, sizeof(Int)};
}

}  // namespace

ValueWriter::ValueWriter(ByteSink& sink) : sink_(sink)
{
    buffer_.reserve(BufferSize);
}

void ValueWriter::Put(std::string_view bytes)
{
    if (buffer_.size() + bytes.size() > BufferSize) {
        Flush();
        if (bytes.size() > BufferSize) {
            sink_.Write(bytes);
            return;
        }
    }
    buffer_.append(bytes);
}

void ValueWriter::PutByte(std::uint8_t byte)
{
    if (buffer_.size() >= BufferSize) {
        Flush();
    }
    buffer_.push_back(static_cast<char>(byte));
}

void ValueWriter::Flush()
{
    if (!buffer_.empty()) {
        sink_.Write(buffer_);
        buffer_.clear();
    }
}

void ValueWriter::WriteInteger(std::int32_t value)
{
    if (value >= -128 && value <= 127) {
        PutByte(Tag::Int8);
        PutByte(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    } else if (value >= -32768 && value <= 32767) {
        char bytes[2];
        PutByte(Tag::Int16);
        Put(LittleEndian(static_cast<std::int16_t>(value), bytes));
    } else {
        char bytes[4];
        PutByte(Tag::Int32);
        Put(LittleEndian(value, bytes));
    }
}

void ValueWriter::WriteString(std::string_view text)
{
    if (text.size() <= 255) {
        PutByte(Tag::String);
        PutByte(static_cast<std::uint8_t>(text.size()));
    } else {
        if (text.size() > 0x7FFFFFFF) {
            throw WriteError("A text is too long to be written.");
        }
        char bytes[4];
        PutByte(Tag::LongString);
        Put(LittleEndian(static_cast<std::uint32_t>(text.size()), bytes));
    }
    Put(text);
}

void ValueWriter::WriteBoolean(bool value)
{
    PutByte(value ? Tag::True : Tag::False);
}

void ValueWriter::WriteCharacter(char c)
{
    PutByte(Tag::String);
    PutByte(1);
    PutByte(static_cast<std::uint8_t>(c));
}

void ValueWriter::WriteListBegin()
{
    PutByte(Tag::List);
}

void ValueWriter::WriteListEnd()
{
    PutByte(Tag::EndOfList);
}

void ValueWriter::WriteStringList(const StringList& lines)
{
    WriteListBegin();
    for (std::string_view line : lines) {
        WriteString(line);
    }
    WriteListEnd();
}

void ValueWriter::WriteRawBlock(const void* data, std::size_t size)
{
    Put(std::string_view(static_cast<const char*>(data), size));
}

void ValueWriter::PutShortName(std::string_view name)
{
    if (name.size() > 255) {
        throw std::invalid_argument("component names are at most 255 bytes");
    }
    PutByte(static_cast<std::uint8_t>(name.size()));
    Put(name);
}

void ValueWriter::BeginRootComponent(std::string_view className, std::string_view objectName)
{
    Put(ComponentSignature);
    PutShortName(className);
    PutShortName(objectName);
}

void ValueWriter::WritePropertyName(std::string_view name)
{
    PutShortName(name);
}

void ValueWriter::WriteIdentifier(std::string_view name)
{
    PutByte(Tag::Identifier);
    PutShortName(name);
}

void ValueWriter::WriteSet(const std::vector<std::string>& names)
{
    PutByte(Tag::Set);
    for (const std::string& name : names) {
        if (name.empty()) {
            throw std::invalid_argument("set elements have a name");
        }
        PutShortName(name);
    }
    PutByte(0);
}

void ValueWriter::WriteCollectionBegin()
{
    PutByte(Tag::Collection);
}

void ValueWriter::EndProperties()
{
    PutByte(Tag::EndOfList);
}

void ValueWriter::EndChildren()
{
    PutByte(Tag::EndOfList);
}

}  // namespace quillmark
