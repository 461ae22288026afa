#pragma once

#include "core/database.h"

#include <cstdint>
#include <string>

namespace quillmark {

// A realistic database of count records for trying things out and for benchmarks: varied
// names, addresses and dates, description values from the given category trees, salaries
// with their derived figures, schedules, skills, some experience, keywords and notes.
// The same seed gives the same database.
Database MakeSampleDatabase(int count, std::uint64_t seed,
                            const OneBasedArray<std::string, 10>& descriptionTrees);

}  // namespace quillmark
