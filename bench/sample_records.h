#pragma once

#include "core/database_file.h"
#include "core/default_trees.h"
#include "quillmark-tool/sample_database.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quillmark::bench {

inline constexpr std::uint64_t SampleSeed = 20240601;

// The sample database of that many records. Only the latest one is kept: at 100 000 records it
// is large.
inline Database& SampleDatabase(int count)
{
    static std::unique_ptr<Database> database;
    static int databaseCount = -1;
    if (!database || databaseCount != count) {
        database.reset();
        database = std::make_unique<Database>(
            MakeSampleDatabase(count, SampleSeed, ReadDefaultTrees({QUILLMARK_DATA_DIR})));
        databaseCount = count;
    }
    return *database;
}

// The sample database of that many records as a file, written once per run into a folder of
// its own that goes away at the end.
inline const std::string& SampleFile(int count)
{
    struct Folder {
        Folder()
        {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "quillmark-bench-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) {
                throw std::runtime_error("cannot make a folder for the sample files");
            }
            path = pattern;
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::string path;
        std::map<int, std::string> files;
    };
    static Folder folder;
    auto found = folder.files.find(count);
    if (found == folder.files.end()) {
        const std::string path = folder.path + "/sample-" + std::to_string(count) + ".dat";
        SaveDatabaseFile(path, SampleDatabase(count));
        found = folder.files.emplace(count, path).first;
    }
    return found->second;
}

}  // namespace quillmark::bench
