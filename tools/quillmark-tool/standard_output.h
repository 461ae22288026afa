#pragma once

#include <optional>
#include <streambuf>
#include <string>

namespace quillmark {

// Standard output through a buffer of the tool's own, which keeps the reason the first failed
// write gave: a command's output is checked once it has finished, and the reason must still be
// there then. After a failure the stream takes no more, so a long list is not worked through.
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain();

    char buffer_[64 * 1024];
    int error_ = 0;
};

// What a command printed must have reached its place: a full disk or a closed pipe makes the
// command fail instead of leaving a cut list behind. The descriptor is closed here, where an
// error can still be told, and not at exit. Nothing when all went well.
std::optional<std::string> FinishStandardOutput(StandardOutput& output);

}  // namespace quillmark
