#pragma once

#include "core/byte_stream.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace quillmark {

// Hands out the bytes a few at a time, so that a buffered reader refills at every kind of
// boundary: inside a tag, a length, a string, a line or a line end.
class TrickleSource : public ByteSource {
public:
    TrickleSource(std::string_view bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}

    std::size_t ReadSome(char* buffer, std::size_t capacity) override
    {
        const std::size_t count = std::min({capacity, piece_, bytes_.size()});
        std::memcpy(buffer, bytes_.data(), count);
        bytes_.remove_prefix(count);
        return count;
    }

private:
    std::string_view bytes_;
    std::size_t piece_;
};

}  // namespace quillmark
