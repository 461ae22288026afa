#include "core/record_paths.h"

#include "core/windows1252.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace quillmark {

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace

std::string RecordPathFromSystem(const std::string& systemPath)
{
    if (IsAscii(systemPath)) {
        return systemPath;
    }
    return Utf8ToWindows1252(systemPath).value_or(systemPath);
}

std::string SystemPathOfRecordPath(const std::string& recordPath)
{
    if (IsAscii(recordPath)) {
        return recordPath;
    }
    std::string utf8 = Windows1252ToUtf8(recordPath);
    if (!Exists(utf8) && Exists(recordPath)) {
        return recordPath;
    }
    return utf8;
}

}  // namespace quillmark
