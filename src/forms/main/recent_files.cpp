#include "forms/main/recent_files.h"

#include "core/file_names.h"
#include "core/program_settings.h"
#include "server/server_address.h"

#include <algorithm>
#include <filesystem>

namespace quillmark {

void RecentFiles::Read()
{
    paths_.clear();
    for (const std::string& path : ReadStartupSettings(settings_).RecentFiles) {
        if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
            paths_.push_back(path);
        }
    }
    RecentFilesPopup();
}

void RecentFiles::Add(const std::string& path)
{
    if (path.empty()) {
        return;
    }
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > static_cast<std::size_t>(MostRecentFiles)) {
        paths_.resize(MostRecentFiles);
    }
    RecentFilesPopup();
}

void RecentFiles::RecentFilesPopup()
{
    Entries.clear();
    for (const std::string& path : paths_) {
        std::error_code error;
        // A database on a server is named by its name there; whether it is still there is
        // known only by asking the server.
        if (const std::optional<ServerAddress> server = ParseServerAddress(path)) {
            Entries.push_back({server->DatabaseName, path, true});
            continue;
        }
        Entries.push_back({FileNamePart(path), path, std::filesystem::exists(path, error)});
    }
    ClearRecentFiles.caption = "Clear Recent Files";
    ClearRecentFiles.menuName = "ClearRecentFiles";
    ClearRecentFiles.enabled = !paths_.empty();
}

void RecentFiles::ClearRecentFilesClick()
{
    paths_.clear();
    RecentFilesPopup();
}

void RecentFiles::Write() const
{
    WriteRecentFiles(settings_, paths_);
}

}  // namespace quillmark
