#include "forms/export_encoding.h"

#include "core/byte_stream.h"

namespace quillmark {

FileDialogRequest EncodingFileRequest(const SettingsStore& settings, const std::string& title,
                                      const std::string& caption, const std::string& pattern,
                                      const std::string& extension)
{
    FileDialogRequest request{
        title, caption + ", UTF-8|" + pattern + "|" + caption + ", Windows-1252|" + pattern,
        extension};
    request.filterIndex = ReadExportEncoding(settings) == TextFileEncoding::Windows1252 ? 1 : 0;
    return request;
}

TextFileEncoding ChosenEncoding(const SettingsStore& settings, int filterIndex)
{
    const TextFileEncoding chosen =
        filterIndex == 1 ? TextFileEncoding::Windows1252 : TextFileEncoding::Utf8;
    if (ReadExportEncoding(settings) != chosen) {
        try {
            WriteExportEncoding(settings, chosen);
        } catch (const WriteError&) {
            // The choice is a convenience; the main window reports a settings file it cannot
            // write.
        }
    }
    return chosen;
}

}  // namespace quillmark
