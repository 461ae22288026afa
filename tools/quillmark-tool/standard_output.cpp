#include "standard_output.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace quillmark {

StandardOutput::int_type StandardOutput::overflow(int_type c)
{
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

bool StandardOutput::Drain()
{
    for (const char* at = pbase(); at < pptr();) {
        const ssize_t done = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done < 0) {
            if (error_ == 0) {
                error_ = errno;
            }
            setp(buffer_, buffer_ + sizeof buffer_);
            return false;
        }
        at += done;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return true;
}

std::optional<std::string> FinishStandardOutput(StandardOutput& output)
{
    std::cout.flush();
    int error = output.Error();
    const bool failed = !std::cout || error != 0;
    if (::close(STDOUT_FILENO) != 0 && error == 0 && errno != EBADF) {
        error = errno;
    }
    if (!failed && error == 0) {
        return std::nullopt;
    }
    std::string message = "Cannot write to standard output";
    if (error != 0) {
        message += std::string(": ") + std::strerror(error);
    }
    return message;
}

}  // namespace quillmark
