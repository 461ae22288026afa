#pragma once

#include "core/settings_store.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// What the program keeps in its settings file, all in one section: the last database and the
// ones opened before it, the size of each window, the spreadsheet's columns and the short
// description values option.

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// Sizes on a first start, and after "Reset Application".
inline constexpr WindowSize DefaultViewSize{634, 482};
inline constexpr WindowSize DefaultSpreadsheetSize{640, 475};
inline constexpr WindowSize DefaultSearchSize{581, 454};
inline constexpr WindowSize DefaultAlbumSize{518, 437};
inline constexpr WindowSize DefaultGraphSize{611, 414};
inline constexpr WindowSize DefaultReportSize{599, 481};
inline constexpr WindowSize DefaultAddDescSize{369, 393};
inline constexpr int DefaultSpreadsheetSplitter = 174;  // width of the browse panel
inline constexpr int DefaultColumnWidth = 136;

inline constexpr int SpreadsheetColumnCount = 51;
inline constexpr int MostRecentFiles = 6;

// The field shown in each spreadsheet column (-1 for an unused one) and its width in pixels.
struct ColumnLayout {
    std::array<int, SpreadsheetColumnCount> FieldNumbers{};
    std::array<int, SpreadsheetColumnCount> Widths{};
    bool operator==(const ColumnLayout&) const = default;
};

// Record number, name, the descriptions, the details, status, picture titles, other fields.
ColumnLayout DefaultColumnLayout();
// What "Reset Application" sets: as the default but without the status column.
ColumnLayout ResetColumnLayout();

struct StartupSettings {
    std::string LastFile;                  // empty when the last database was untitled
    std::vector<std::string> RecentFiles;  // the newest first, at most MostRecentFiles
    ColumnLayout Columns;
    bool ShortDescriptions = false;
    bool KeepBackupCopy = true;  // saving over a database first keeps the old one as NAME.dat.bak
};

// Reading never fails: whatever is missing or unreadable takes its default.
StartupSettings ReadStartupSettings(const SettingsStore& store);

// The following throw WriteError with the system's reason when the file cannot be saved.
void WriteClosingSettings(const SettingsStore& store, const std::string& lastFile, int viewWidth,
                          int viewHeight, const ColumnLayout& columns, bool shortDescriptions,
                          bool keepBackupCopy);

// The databases opened or saved last, the newest first; those past MostRecentFiles are not kept.
void WriteRecentFiles(const SettingsStore& store, const std::vector<std::string>& paths);

// A window's own pair of keys, such as "SearchW:" and "SearchH:".
WindowSize ReadWindowSize(const SettingsStore& store, std::string_view widthKey,
                          std::string_view heightKey, WindowSize defaults);
void WriteWindowSize(const SettingsStore& store, std::string_view widthKey,
                     std::string_view heightKey, WindowSize size);

// The spreadsheet window also keeps the position of its splitter.
struct SpreadsheetWindowSize {
    WindowSize size;
    int splitter = 0;
    bool operator==(const SpreadsheetWindowSize&) const = default;
};
SpreadsheetWindowSize ReadSpreadsheetWindowSize(const SettingsStore& store);
void WriteSpreadsheetWindowSize(const SettingsStore& store, SpreadsheetWindowSize size);

// Every window size back to its default, except the category editor's, in one save.
void WriteResetSizes(const SettingsStore& store);

}  // namespace quillmark
