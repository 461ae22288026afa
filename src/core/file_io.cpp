#include "core/file_io.h"

#include "core/file_names.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace {

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// Writes to an open descriptor, all of each piece, retrying after signals.
class DescriptorSink : public ByteSink {
public:
    DescriptorSink(int descriptor, std::uint64_t failAfterBytes)
        : descriptor_(descriptor), failAfterBytes_(failAfterBytes)
    {
    }

    void Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            std::size_t piece = bytes.size();
            if (written_ + piece > failAfterBytes_) {
                piece = static_cast<std::size_t>(failAfterBytes_ - written_);
                if (piece == 0) {
                    throw WriteError(SystemReason(ENOSPC));
                }
            }
            const ssize_t done = ::write(descriptor_, bytes.data(), piece);
            if (done < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw WriteError(SystemReason(errno));
            }
            written_ += static_cast<std::uint64_t>(done);
            bytes.remove_prefix(static_cast<std::size_t>(done));
        }
    }

private:
    int descriptor_;
    std::uint64_t failAfterBytes_;
    std::uint64_t written_ = 0;
};

// A link is followed so that saving replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

std::string FolderPart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t PermissionsFor(const std::string& target)
{
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    // A new file gets what the user's umask allows, as an ordinary create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileSource::FileSource(const std::string& path)
{
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        throw ReadError(SystemReason(errno));
    }
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        const int error = errno;
        ::close(descriptor_);
        throw ReadError(SystemReason(error));
    }
    if (S_ISDIR(status.st_mode)) {
        ::close(descriptor_);
        throw ReadError(SystemReason(EISDIR));
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

std::size_t FileSource::ReadSome(char* buffer, std::size_t capacity)
{
    for (;;) {
        const ssize_t got = ::read(descriptor_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw ReadError(SystemReason(errno));
        }
    }
}

void SaveFileSafely(const std::string& path, const std::function<void(ByteSink&)>& writeContent,
                    const SaveOptions& options)
{
    const std::string target = ResolveTarget(path);
    // Only the start of the name goes into the temporary one, so that a target whose name is
    // near the file system's limit can still be saved.
    std::string temporary =
        FolderPart(target) + "/." + FileNamePart(target).substr(0, 100) + ".saving-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        throw WriteError(SystemReason(errno));
    }
    bool open = true;
    try {
        DescriptorSink sink(descriptor, options.failAfterBytes);
        writeContent(sink);
        if (::fchmod(descriptor, PermissionsFor(target)) != 0 || ::fsync(descriptor) != 0) {
            throw WriteError(SystemReason(errno));
        }
        open = false;
        if (::close(descriptor) != 0) {
            throw WriteError(SystemReason(errno));
        }
    } catch (...) {
        if (open) {
            ::close(descriptor);
        }
        ::unlink(temporary.c_str());
        throw;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw WriteError(SystemReason(error));
    }
}

std::string ReadWholeFile(const std::string& path)
{
    FileSource source(path);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(source.Size()));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t got = source.ReadSome(bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace quillmark
