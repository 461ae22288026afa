// Feeds arbitrary bytes to the settings file reader. The file is the user's to edit, so:
// reading never fails; saving with no change writes back the very bytes that were read; and
// the program's own values, once written, read back as written whatever else the file holds.

#include "core/file_io.h"
#include "core/program_settings.h"
#include "core/settings_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

using namespace quillmark;
namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "settings file: %s\n", what);
    std::abort();
}

// One folder per process, so that replays run side by side do not share a file; removed when
// the process ends.
struct ScratchFolder {
    fs::path path =
        fs::temp_directory_path() / ("quillmark-settings-fuzz-" + std::to_string(getpid()));
    ScratchFolder() { fs::create_directories(path); }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};

const fs::path& Folder()
{
    static const ScratchFolder folder;
    return folder.path;
}

void Put(const fs::path& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        Fail("cannot write the input to a file");
    }
}

std::string Get(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ColumnLayout SomeColumns()
{
    ColumnLayout layout = ResetColumnLayout();
    for (int column = 0; column < SpreadsheetColumnCount; ++column) {
        layout.Widths[column] = 100 + column;
    }
    layout.FieldNumbers[50] = -7;
    return layout;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fs::path path = Folder() / "quillmark.ini";
    Put(path, bytes);
    const SettingsStore store(path.string());

    ReadStartupSettings(store);
    ReadSpreadsheetWindowSize(store);
    ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize);
    const SettingsStore::Group group = store.Open();
    group.ReadBool("settings", "descstate", false);
    group.Save();
    if (Get(path) != bytes) {
        Fail("saving without a change rewrites the file");
    }

    const std::string lastFile = " /home/user/staff records.dat";
    const ColumnLayout columns = SomeColumns();
    WriteClosingSettings(store, lastFile, 700, 500, columns, true, false);
    WriteSpreadsheetWindowSize(store, {{640, 480}, 200});
    const StartupSettings startup = ReadStartupSettings(store);
    if (startup.LastFile != lastFile || !(startup.Columns == columns) ||
        !startup.ShortDescriptions || startup.KeepBackupCopy) {
        Fail("the settings written read back different");
    }
    if (!(ReadWindowSize(store, "ViewW:", "ViewH:", {}) == WindowSize{700, 500}) ||
        !(ReadSpreadsheetWindowSize(store) == SpreadsheetWindowSize{{640, 480}, 200})) {
        Fail("the window sizes written read back different");
    }
    // Writing again changes nothing more.
    const std::string saved = Get(path);
    WriteClosingSettings(store, lastFile, 700, 500, columns, true, false);
    if (Get(path) != saved) {
        Fail("writing the same settings again changes the file");
    }
    return 0;
}
