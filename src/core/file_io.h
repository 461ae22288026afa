#pragma once

#include "core/byte_stream.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace quillmark {

// Reads a file through the operating system, a buffer at a time.
class FileSource : public ByteSource {
public:
    // Throws ReadError with the system's reason when the file cannot be opened.
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t ReadSome(char* buffer, std::size_t capacity) override;
    std::uint64_t Size() const { return size_; }

private:
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

struct SaveOptions {
    // Makes the write fail with "No space left on device" once this many bytes are written,
    // so tests can check what a full disk does to the file being replaced.
    std::uint64_t failAfterBytes = std::numeric_limits<std::uint64_t>::max();
};

// Every file that holds the user's data is written through here: the content goes to a
// temporary file in the same folder, is flushed to disk, takes the old file's permissions and
// only then replaces the old file. When anything fails the old file is left as it was and
// WriteError carries the system's reason.
void SaveFileSafely(const std::string& path, const std::function<void(ByteSink&)>& writeContent,
                    const SaveOptions& options = {});

// Reads a whole (small) file; throws ReadError with the system's reason.
std::string ReadWholeFile(const std::string& path);

}  // namespace quillmark
