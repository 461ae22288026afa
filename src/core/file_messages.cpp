#include "core/file_messages.h"

namespace quillmark {

std::string FileNameInMessage(std::string_view path)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown.push_back(c);
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else {
            shown += "\\x";
            shown.push_back(Digits[byte >> 4]);
            shown.push_back(Digits[byte & 0x0F]);
        }
    }
    return shown;
}

std::string NoPermissionToSaveMessage(std::string_view path)
{
    return "Sorry, you do not have permission to save " + FileNameInMessage(path) + ".";
}

std::string BackupNotWrittenMessage(std::string_view backupPath, std::string_view reason)
{
    return "The backup copy " + FileNameInMessage(backupPath) +
           " was not written: " + std::string(reason) + ".";
}

std::string NotRegularFileMessage(std::string_view path)
{
    return FileNameInMessage(path) + " is not a regular file.";
}

std::string EmptyFileMessage(std::string_view path)
{
    return FileNameInMessage(path) + " is empty.";
}

std::string EncryptedFileDamagedMessage(std::string_view path, std::string_view reason)
{
    return FileNameInMessage(path) + " is damaged and was not opened: " + std::string(reason);
}

}  // namespace quillmark
