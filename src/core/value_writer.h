#pragma once

#include "core/byte_stream.h"
#include "core/string_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Writes the tagged values every binary file of the program is made of, through a buffer.
// Call Flush() at the end; the destructor does not write.
class ValueWriter {
public:
    explicit ValueWriter(ByteSink& sink);

    void WriteInteger(std::int32_t value);
    void WriteString(std::string_view text);
    void WriteBoolean(bool value);
    void WriteCharacter(char c);
    void WriteListBegin();
    void WriteListEnd();
    void WriteStringList(const StringList& lines);
    void WriteRawBlock(const void* data, std::size_t size);

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

private:
    void Put(std::string_view bytes);
    void PutByte(std::uint8_t byte);
    void PutShortName(std::string_view name);

    ByteSink& sink_;
    std::string buffer_;
};

}  // namespace quillmark
