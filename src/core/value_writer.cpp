#include "core/value_writer.h"

#include <algorithm>
#include <stdexcept>

namespace quillmark {

ValueWriter::ValueWriter(ByteSink& sink)
    : sink_(sink), buffer_(std::make_unique_for_overwrite<char[]>(BufferSize))
{
}

void ValueWriter::PutLarge(std::string_view bytes)
{
    // What does not fit fills the buffer up first, so that the sink still gets whole buffers.
    const std::size_t room = BufferSize - used_;
    std::memcpy(buffer_.get() + used_, bytes.data(), room);
    used_ = BufferSize;
    bytes.remove_prefix(room);
    Flush();
    if (bytes.size() > BufferSize) {
        sink_.Write(bytes);
        return;
    }
    std::memcpy(buffer_.get(), bytes.data(), bytes.size());
    used_ = bytes.size();
}

void ValueWriter::Flush()
{
    if (used_ > 0) {
        sink_.Write(std::string_view(buffer_.get(), used_));
        used_ = 0;
    }
}

void ValueWriter::WriteStringSlowly(std::string_view text)
{
    if (text.size() <= 255) {
        PutByte(Tag::String);
        PutByte(static_cast<std::uint8_t>(text.size()));
    } else {
        if (text.size() > 0x7FFFFFFF) {
            throw WriteError("A text is too long to be written.");
        }
        PutByte(Tag::LongString);
        PutLittleEndian(static_cast<std::uint32_t>(text.size()));
    }
    Put(text);
}

void ValueWriter::WriteCharacters(std::string_view text)
{
    constexpr std::size_t BytesEach = 3;
    while (!text.empty()) {
        const std::size_t fit = std::min(text.size(), (BufferSize - used_) / BytesEach);
        if (fit == 0) {
            Flush();
            continue;
        }
        char* out = buffer_.get() + used_;
        for (std::size_t i = 0; i < fit; ++i, out += BytesEach) {
            out[0] = static_cast<char>(Tag::String);
            out[1] = 1;
            out[2] = text[i];
        }
        used_ += fit * BytesEach;
        text.remove_prefix(fit);
    }
}

void ValueWriter::WriteStringList(const StringList& lines)
{
    WriteListBegin();
    for (std::string_view line : lines) {
        WriteString(line);
    }
    WriteListEnd();
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
