#pragma once

#include "core/byte_stream.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmark::test {

// "06 04 31 2E" -> the four bytes, and back, for failure messages a person can read.
std::string Hex(std::string_view pairs);
std::string ToHex(std::string_view bytes);

// Tagged values encoded by hand from the file layout, independently of the writer under test.
std::string S(std::string_view text);  // tag 6 up to 255 bytes, tag 12 above
std::string I(std::int32_t value);     // the narrowest of tags 2, 3 and 4
std::string B(bool value);
std::string R8(std::uint64_t bits);       // 8 raw bytes, little-endian
std::string Name(std::string_view name);  // a component name: length byte and characters
std::string Repeat(std::string_view piece, int times);

// Hands out its bytes at most chunkSize at a time, so that a reader has to refill its buffer
// in the middle of values.
class TrickleSource : public ByteSource {
public:
    TrickleSource(std::string_view bytes, std::size_t chunkSize)
        : bytes_(bytes), chunkSize_(chunkSize)
    {
    }
    std::size_t ReadSome(char* buffer, std::size_t capacity) override;

private:
    std::string_view bytes_;
    std::size_t chunkSize_;
};

// Notes the largest single allocation made while it is alive, so that a test can tell that a
// reader turned down a damaged length or count instead of reserving memory for it first; and
// the most bytes held at once by what was allocated meanwhile, which unlike the resident size
// does not depend on what else the machine is doing.
class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    std::size_t Largest() const;
    std::size_t Peak() const;
};

// The next scripted answer; nothing, with the problem noted, when the script has none left.
template <typename Answer>
std::optional<Answer> NextScripted(std::deque<std::optional<Answer>>& answers,
                                   std::vector<std::string>& problems, const char* missing)
{
    if (answers.empty()) {
        problems.push_back(missing);
        return std::nullopt;
    }
    std::optional<Answer> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

// Processor time this process has used, in seconds: steadier on a busy machine than the clock.
double ProcessorSeconds();

// A fresh folder for one test, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
    std::vector<std::string> Entries() const;  // sorted, hidden files included

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
// The pages of a PDF document's bytes.
int PdfPageCount(const std::string& pdf);
void WriteFileBytes(const std::string& path, std::string_view bytes);

// The reason a save gave for its WriteError, or "saved" when it did not fail.
std::string SaveOutcome(const std::function<void()>& save);

// Runs work in a child process as an ordinary user and gives back what it returned: as
// "nobody" when this process is the superuser, whom no permission stops (as in CI). Files the
// work is to reach must be open to that user; TemporaryFolder's is not until chmod'ed.
std::string AsOrdinaryUser(const std::function<std::string()>& work);
bool RunningAsSuperuser();

}  // namespace quillmark::test
