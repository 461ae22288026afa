#pragma once

#include "core/byte_stream.h"
#include "core/string_list.h"
#include "core/value_tags.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Writes the tagged values every binary file of the program is made of, through a buffer.
// Call Flush() at the end; the destructor does not write.
//
// A database file is tens of millions of small values, so the common ones are written straight
// into the buffer here, and the sink sees a megabyte at a time.
class ValueWriter {
public:
    explicit ValueWriter(ByteSink& sink);

    void WriteInteger(std::int32_t value)
    {
        if (value >= -128 && value <= 127) {
            PutByte(Tag::Int8);
            PutByte(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
        } else if (value >= -32768 && value <= 32767) {
            PutByte(Tag::Int16);
            PutLittleEndian(static_cast<std::uint16_t>(value));
        } else {
            PutByte(Tag::Int32);
            PutLittleEndian(static_cast<std::uint32_t>(value));
        }
    }
    void WriteString(std::string_view text)
    {
        if (text.size() <= 255 && text.size() + 2 <= BufferSize - used_) {
            char* out = buffer_.get() + used_;
            out[0] = static_cast<char>(Tag::String);
            out[1] = static_cast<char>(text.size());
            if (!text.empty()) {  // an empty view may have no bytes to point at
                std::memcpy(out + 2, text.data(), text.size());
            }
            used_ += text.size() + 2;
            return;
        }
        WriteStringSlowly(text);
    }
    void WriteBoolean(bool value) { PutByte(value ? Tag::True : Tag::False); }
    // Each byte as a one-character string.
    void WriteCharacters(std::string_view text);
    void WriteListBegin() { PutByte(Tag::List); }
    void WriteListEnd() { PutByte(Tag::EndOfList); }
    void WriteStringList(const StringList& lines);
    void WriteRawBlock(const void* data, std::size_t size)
    {
        Put(std::string_view(static_cast<const char*>(data), size));
    }

    // A component stream: signature, class and object name, then properties (a name followed by
    // one tagged value each), then EndProperties() and EndChildren().
    void BeginRootComponent(std::string_view className, std::string_view objectName);
    void WritePropertyName(std::string_view name);
    // Property values only components write: a name such as "clWhite", a set of names such as
    // [fsBold, fsItalic], and a collection, whose items are each a list of properties (list
    // begin, names and values, list end) and which ends with WriteListEnd().
    void WriteIdentifier(std::string_view name);
    void WriteSet(const std::vector<std::string>& names);
    void WriteCollectionBegin();
    void EndProperties();
    void EndChildren();

    void Flush();

    // How much is gathered before it goes to the sink.
    static constexpr std::size_t BufferSize = 1024 * 1024;

private:
    void Put(std::string_view bytes)
    {
        if (bytes.empty()) {
            return;  // an empty view may have no bytes to point at
        }
        if (bytes.size() <= BufferSize - used_) {
            std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
            return;
        }
        PutLarge(bytes);
    }
    void PutByte(std::uint8_t byte)
    {
        if (used_ == BufferSize) {
            Flush();
        }
        buffer_[used_++] = static_cast<char>(byte);
    }
    template <typename Unsigned>
    void PutLittleEndian(Unsigned bits)
    {
        char bytes[sizeof(Unsigned)];
        for (char& byte : bytes) {
            byte = static_cast<char>(bits & 0xFF);
            bits = static_cast<Unsigned>(bits >> 8);
        }
        Put(std::string_view(bytes, sizeof bytes));
    }
    void PutLarge(std::string_view bytes);
    void PutShortName(std::string_view name);
    void WriteStringSlowly(std::string_view text);

    ByteSink& sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace quillmark
