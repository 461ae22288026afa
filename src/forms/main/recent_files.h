#pragma once

#include "forms/controls.h"

#include <string>
#include <vector>

namespace quillmark {

class SettingsStore;

// File > Recent Files: the databases opened or saved last, the newest first, kept in the
// settings so that the next start offers them too.
class RecentFiles {
public:
    // Both texts are spelled as the system spells file names, not in Windows-1252.
    struct Entry {
        std::string caption;  // the file's name
        std::string hint;     // its whole path
        bool enabled = true;  // false once the file is gone
    };

    explicit RecentFiles(const SettingsStore& settings) : settings_(settings) {}

    void Read();
    // The path goes to the front of the list, once; the oldest past six go.
    void Add(const std::string& path);
    // With the other settings as the program closes; throws WriteError as they do.
    void Write() const;
    const std::vector<std::string>& Paths() const { return paths_; }

    // What the menu shows, worked out again as it opens: the files come and go meanwhile.
    void RecentFilesPopup();
    void ClearRecentFilesClick();

    std::string Caption = "Recent Files";
    std::vector<Entry> Entries;
    ActionControl ClearRecentFiles;

private:
    const SettingsStore& settings_;
    std::vector<std::string> paths_;
};

}  // namespace quillmark
