#pragma once

#include "core/default_trees.h"
#include "quillmark-tool/sample_database.h"

#include <cstdint>
#include <memory>

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

}  // namespace quillmark::bench
