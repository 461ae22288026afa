#pragma once

// A database's own settings (information, captions, skill names, category trees, passwords)
// as its row of quillmark_database.

#include "core/database.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class QueryResult;

// The settings' columns, in the order of SettingsValues and ReadSettings.
const std::string& SettingsColumns();
// "$1, $2, ..." from the first parameter's number on, one for each settings column.
std::string SettingsPlaceholders(int first);
std::vector<std::optional<std::string>> SettingsValues(const Database& database);
// Reads the settings from the row's columns from `first` on.
void ReadSettings(const QueryResult& result, int row, int first, Database& database);

// Everything but the records.
Database SettingsOnly(const Database& database);
bool SettingsEqual(const Database& one, const Database& other);

}  // namespace quillmark
