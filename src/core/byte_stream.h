#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmark {

// Where written bytes go: a file, or memory in tests and tools.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Throws WriteError when the bytes cannot be written.
    virtual void Write(std::string_view bytes) = 0;
};

// Where read bytes come from, in order. The reader asks for more until it has what it needs.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to capacity bytes; returns 0 only at the end. Throws ReadError on failure.
    virtual std::size_t ReadSome(char* buffer, std::size_t capacity) = 0;
};

class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& bytes) : bytes_(bytes) {}
    void Write(std::string_view bytes) override { bytes_.append(bytes); }

private:
    std::string& bytes_;
};

// A file could not be written (disk full, permission, ...); the text is the system's reason.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be read at all; the text is the system's reason.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes do not follow the expected layout. Offset is where reading stopped.
class FormatError : public std::runtime_error {
public:
    FormatError(const std::string& what, std::uint64_t offset)
        : std::runtime_error(what), offset_(offset)
    {
    }
    std::uint64_t Offset() const { return offset_; }

private:
    std::uint64_t offset_;
};

}  // namespace quillmark
