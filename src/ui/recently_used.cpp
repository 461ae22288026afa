#include "ui/recently_used.h"

#include <glib.h>

#include <filesystem>

namespace quillmark {

void NoteRecentlyUsedFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return;
    }
    gchar* uri = g_filename_to_uri(absolute.c_str(), nullptr, nullptr);
    if (uri == nullptr) {
        return;
    }
    gchar* list = g_build_filename(g_get_user_data_dir(), "recently-used.xbel", nullptr);
    GBookmarkFile* bookmarks = g_bookmark_file_new();
    GError* problem = nullptr;
    const bool read = g_bookmark_file_load_from_file(bookmarks, list, &problem) != FALSE ||
                      g_error_matches(problem, G_FILE_ERROR, G_FILE_ERROR_NOENT) != FALSE;
    g_clear_error(&problem);
    if (read && g_mkdir_with_parents(g_get_user_data_dir(), 0700) == 0) {
        g_bookmark_file_set_mime_type(bookmarks, uri, "application/x-quillmark-database");
        // Registering again moves the file up the desktop's list as it is opened again.
        g_bookmark_file_add_application(bookmarks, uri, "Quillmark", "quillmark %f");
        g_bookmark_file_to_file(bookmarks, list, nullptr);
    }
    g_bookmark_file_free(bookmarks);
    g_free(list);
    g_free(uri);
}

}  // namespace quillmark
