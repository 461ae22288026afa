#include "support/test_helpers.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <malloc.h>
#include <new>
#include <pwd.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
// Bytes taken minus bytes given back since the watch began, and the most that ever was.
std::atomic<long long> held{0};
std::atomic<long long> peak{0};

void NoteHeld(long long change)
{
    const long long now = held += change;
    long long seen = peak;
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void* Allocate(std::size_t size)
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (watching && memory != nullptr) {
        std::size_t seen = largest;
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
        NoteHeld(static_cast<long long>(malloc_usable_size(memory)));
    }
    return memory;
}

void Free(void* memory)
{
    if (watching && memory != nullptr) {
        NoteHeld(-static_cast<long long>(malloc_usable_size(memory)));
    }
    std::free(memory);
}

std::string LittleEndian(std::uint64_t value, int byteCount)
{
    std::string bytes;
    for (int i = 0; i < byteCount; ++i, value >>= 8) {
        bytes.push_back(static_cast<char>(value & 0xFF));
    }
    return bytes;
}

}  // namespace

// The plain allocation functions are replaced as a set, so that every pair of them meets
// malloc and free underneath, under AddressSanitizer too.
void* operator new(std::size_t size)
{
    if (void* memory = Allocate(size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    Free(memory);
}
void operator delete[](void* memory) noexcept
{
    Free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    Free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    Free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    Free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    Free(memory);
}

namespace quillmark::test {

std::string Hex(std::string_view pairs)
{
    std::string bytes;
    std::string digits;
    for (char c : pairs) {
        if (c != ' ' && c != '\n') {
            digits.push_back(c);
        }
    }
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string ToHex(std::string_view bytes)
{
    std::string text;
    char pair[4];
    for (char c : bytes) {
        std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X",
                      static_cast<unsigned char>(c));
        text += pair;
    }
    return text;
}

std::string S(std::string_view text)
{
    if (text.size() <= 255) {
        return "\x06" + LittleEndian(text.size(), 1) + std::string(text);
    }
    return "\x0C" + LittleEndian(text.size(), 4) + std::string(text);
}

std::string I(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        return "\x02" + LittleEndian(bits, 1);
    }
    if (value >= -32768 && value <= 32767) {
        return "\x03" + LittleEndian(bits, 2);
    }
    return "\x04" + LittleEndian(bits, 4);
}

std::string B(bool value)
{
    return value ? "\x09" : "\x08";
}
std::string R8(std::uint64_t bits)
{
    return LittleEndian(bits, 8);
}
std::string Name(std::string_view name)
{
    return LittleEndian(name.size(), 1) + std::string(name);
}

std::string Repeat(std::string_view piece, int times)
{
    std::string bytes;
    while (times-- > 0) {
        bytes += piece;
    }
    return bytes;
}

std::size_t TrickleSource::ReadSome(char* buffer, std::size_t capacity)
{
    const std::size_t count = std::min({capacity, chunkSize_, bytes_.size()});
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return count;
}

AllocationWatch::AllocationWatch()
{
    largest = 0;
    held = 0;
    peak = 0;
    watching = true;
}
AllocationWatch::~AllocationWatch()
{
    watching = false;
}
std::size_t AllocationWatch::Largest() const
{
    return largest;
}
std::size_t AllocationWatch::Peak() const
{
    return static_cast<std::size_t>(std::max(0LL, peak.load()));
}

double ProcessorSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = std::filesystem::temp_directory_path() / "quillmark-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryFolder::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int PdfPageCount(const std::string& pdf)
{
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        pages += pdf.compare(at, 12, "/Type /Pages") != 0;
    }
    return pages;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string SaveOutcome(const std::function<void()>& save)
{
    try {
        save();
    } catch (const WriteError& error) {
        return error.what();
    }
    return "saved";
}

bool RunningAsSuperuser()
{
    return ::geteuid() == 0;
}

std::string AsOrdinaryUser(const std::function<std::string()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0) {
        return "no pipe to the child";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string result;
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t user = nobody != nullptr ? nobody->pw_uid : 65534;
        const gid_t group = nobody != nullptr ? nobody->pw_gid : 65534;
        if (RunningAsSuperuser() &&
            (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0)) {
            result = "the child could not become nobody";
        } else {
            try {
                result = work();
            } catch (const std::exception& error) {
                result = std::string("the child threw: ") + error.what();
            }
        }
        for (std::size_t at = 0; at < result.size();) {
            const ssize_t written = ::write(channel[1], result.data() + at, result.size() - at);
            if (written <= 0) {
                break;
            }
            at += static_cast<std::size_t>(written);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0) {
        result.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result += " (the child died)";
    }
    return result;
}

}  // namespace quillmark::test
