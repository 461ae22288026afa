#pragma once

#include "command_line.h"

#include "core/database.h"
#include "core/database_file.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

// The program's read-only data sits next to the executable in a build and under
// share/quillmark when installed.
std::vector<std::string> ProgramDataFolders();

// Fails with the line that says why the file could not be read; warns, once, about data the
// file holds after its records, which a save would drop.
void ExpectLoaded(const std::string& path, const DatabaseReadResult& result);

// The database a command works on. It is left to the operating system at exit: freeing a large
// one text by text takes longer than reading it did. One per process.
Database& DatabaseOfTheCommand();

// Reads the database at path, after checking --read-password against its read password.
DatabaseReadResult LoadDatabase(const std::string& path, const Arguments& arguments,
                                Database& database, ReadMode mode = ReadMode::Replace);

// Every file the tool writes goes through here; what cannot be written ends the command.
void WriteFile(const std::string& path, const std::function<void()>& write,
               const std::string& failure);

// Replaces the database at path, when --save-password is the password it is saved with.
void SaveDatabase(const std::string& path, Database& database, const Arguments& arguments,
                  const DatabaseWriteOptions& options = {});

// Runs a saved search over the database as the search window does, on an empty search list,
// and leaves the records found on the list.
void RunSavedSearch(const std::string& searchPath, Database& database);

}  // namespace quillmark
