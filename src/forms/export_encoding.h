#pragma once

#include "engine/text_file_encoding.h"
#include "forms/services.h"

#include <optional>
#include <string>

namespace quillmark {

class SettingsStore;

// A comma-delimited export's save dialog offers the file in either encoding as two filters of
// the same pattern, "Comma Delimited File, UTF-8|*.CSV|Comma Delimited File, Windows-1252|*.CSV",
// and starts at the one last chosen.
FileDialogRequest EncodingFileRequest(const SettingsStore& settings, const std::string& title,
                                      const std::string& caption, const std::string& pattern,
                                      const std::string& extension);

// The encoding the filter chosen stands for, remembered for the next export.
TextFileEncoding ChosenEncoding(const SettingsStore& settings, int filterIndex);

}  // namespace quillmark
