#include "core/file_names.h"

namespace quillmark {

std::string FileNamePart(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string FileExtension(const std::string& path)
{
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    return FileNamePart(path).find('.') == std::string::npos ? path + extension : path;
}

}  // namespace quillmark
