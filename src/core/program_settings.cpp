#include "core/program_settings.h"

#include "core/field_catalogue.h"

namespace quillmark {

namespace {

constexpr std::string_view Section = "SETTINGS";
constexpr std::string_view LastFileKey = "LAST FILE";
constexpr std::string_view ShortDescriptionsKey = "DESCSTATE";
constexpr std::string_view KeepBackupCopyKey = "BACKUP COPY";

std::string RecentFileKey(int position)
{
    return "RECENT FILE:" + std::to_string(position + 1);
}

std::string ColumnFieldKey(int column)
{
    return "SPREADSHEET:" + std::to_string(column);
}

std::string ColumnWidthKey(int column)
{
    return "SPREADSHEET SIZE:" + std::to_string(column);
}

// Columns first..last show the fields firstField, firstField + 10, ...
void FillColumns(ColumnLayout& layout, int first, int last, int firstField)
{
    for (int column = first; column <= last; ++column) {
        layout.FieldNumbers[column] = firstField + (column - first) * 10;
    }
}

ColumnLayout UnusedColumns()
{
    ColumnLayout layout;
    layout.FieldNumbers.fill(UnusedColumn);
    layout.Widths.fill(DefaultColumnWidth);
    layout.FieldNumbers[0] = 220;
    layout.FieldNumbers[1] = 230;
    FillColumns(layout, 2, 21, 10);
    return layout;
}

}  // namespace

ColumnLayout DefaultColumnLayout()
{
    ColumnLayout layout = UnusedColumns();
    layout.FieldNumbers[22] = 210;
    FillColumns(layout, 23, 34, 240);
    return layout;
}

ColumnLayout ResetColumnLayout()
{
    ColumnLayout layout = UnusedColumns();
    FillColumns(layout, 22, 33, 240);
    return layout;
}

StartupSettings ReadStartupSettings(const SettingsStore& store)
{
    const SettingsStore::Group group = store.Open();
    StartupSettings settings;
    settings.LastFile = group.ReadString(Section, LastFileKey);
    for (int position = 0; position < MostRecentFiles; ++position) {
        if (std::string path = group.ReadString(Section, RecentFileKey(position)); !path.empty()) {
            settings.RecentFiles.push_back(std::move(path));
        }
    }
    settings.Columns = DefaultColumnLayout();
    for (int column = 0; column < SpreadsheetColumnCount; ++column) {
        int& field = settings.Columns.FieldNumbers[column];
        field = group.ReadInteger(Section, ColumnFieldKey(column), field);
        int& width = settings.Columns.Widths[column];
        width = group.ReadInteger(Section, ColumnWidthKey(column), width);
    }
    settings.ShortDescriptions = group.ReadBool(Section, ShortDescriptionsKey, false);
    settings.KeepBackupCopy = group.ReadBool(Section, KeepBackupCopyKey, true);
    return settings;
}

void WriteClosingSettings(const SettingsStore& store, const std::string& lastFile, int viewWidth,
                          int viewHeight, const ColumnLayout& columns, bool shortDescriptions,
                          bool keepBackupCopy)
{
    SettingsStore::Group group = store.Open();
    group.WriteString(Section, LastFileKey, lastFile);
    group.WriteInteger(Section, "ViewW:", viewWidth);
    group.WriteInteger(Section, "ViewH:", viewHeight);
    for (int column = 0; column < SpreadsheetColumnCount; ++column) {
        group.WriteInteger(Section, ColumnFieldKey(column), columns.FieldNumbers[column]);
    }
    for (int column = 0; column < SpreadsheetColumnCount; ++column) {
        group.WriteInteger(Section, ColumnWidthKey(column), columns.Widths[column]);
    }
    group.WriteBool(Section, KeepBackupCopyKey, keepBackupCopy);
    group.WriteBool(Section, ShortDescriptionsKey, shortDescriptions);
    group.Save();
}

void WriteRecentFiles(const SettingsStore& store, const std::vector<std::string>& paths)
{
    SettingsStore::Group group = store.Open();
    for (int position = 0; position < MostRecentFiles; ++position) {
        const auto index = static_cast<std::size_t>(position);
        group.WriteString(Section, RecentFileKey(position),
                          index < paths.size() ? paths[index] : std::string());
    }
    group.Save();
}

WindowSize ReadWindowSize(const SettingsStore& store, std::string_view widthKey,
                          std::string_view heightKey, WindowSize defaults)
{
    const SettingsStore::Group group = store.Open();
    return {group.ReadInteger(Section, widthKey, defaults.width),
            group.ReadInteger(Section, heightKey, defaults.height)};
}

void WriteWindowSize(const SettingsStore& store, std::string_view widthKey,
                     std::string_view heightKey, WindowSize size)
{
    SettingsStore::Group group = store.Open();
    group.WriteInteger(Section, widthKey, size.width);
    group.WriteInteger(Section, heightKey, size.height);
    group.Save();
}

// The window has always read "Spreadsheet" and written "SpreadSheet"; as names match without
// regard to case, both spellings are the same keys, and files written either way keep working.
SpreadsheetWindowSize ReadSpreadsheetWindowSize(const SettingsStore& store)
{
    const SettingsStore::Group group = store.Open();
    return {{group.ReadInteger(Section, "SpreadsheetW:", DefaultSpreadsheetSize.width),
             group.ReadInteger(Section, "SpreadsheetH:", DefaultSpreadsheetSize.height)},
            group.ReadInteger(Section, "SpreadsheetS:", DefaultSpreadsheetSplitter)};
}

void WriteSpreadsheetWindowSize(const SettingsStore& store, SpreadsheetWindowSize size)
{
    SettingsStore::Group group = store.Open();
    group.WriteInteger(Section, "SpreadsheetW:", size.size.width);
    group.WriteInteger(Section, "SpreadSheetH:", size.size.height);
    group.WriteInteger(Section, "SpreadSheetS:", size.splitter);
    group.Save();
}

void WriteResetSizes(const SettingsStore& store)
{
    SettingsStore::Group group = store.Open();
    const auto write = [&](std::string_view widthKey, std::string_view heightKey, WindowSize size) {
        group.WriteInteger(Section, widthKey, size.width);
        group.WriteInteger(Section, heightKey, size.height);
    };
    write("ViewW:", "ViewH:", DefaultViewSize);
    write("SpreadsheetW:", "SpreadSheetH:", DefaultSpreadsheetSize);
    group.WriteInteger(Section, "SpreadSheetS:", DefaultSpreadsheetSplitter);
    write("SearchW:", "SearchH:", DefaultSearchSize);
    write("AlbumW:", "AlbumH:", DefaultAlbumSize);
    write("GraphW:", "GraphH:", DefaultGraphSize);
    write("ReportW:", "ReportH:", DefaultReportSize);
    group.Save();
}

}  // namespace quillmark
