#pragma once

#include <string>

namespace quillmark {

// Adds the file (named as the system spells it) to the desktop's list of recently used files,
// ~/.local/share/recently-used.xbel, which file managers show as "Recent". A list that cannot
// be read is left alone rather than written over with this one file.
void NoteRecentlyUsedFile(const std::string& path);

}  // namespace quillmark
