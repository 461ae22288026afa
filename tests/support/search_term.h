#pragma once

// A search term as the search window fills one in, for the tests and the benchmarks.

#include "engine/search/search_terms.h"

#include <string>
#include <utility>

namespace quillmark::test {

inline SearchRecord Term(int tag, std::string from, std::string to = {},
                         int inclusion = IncludesInclusion)
{
    SearchRecord term;
    term.FieldTag = tag;
    term.Inclusion = inclusion;
    term.FromValue = std::move(from);
    term.ToValue = std::move(to);
    return term;
}

}  // namespace quillmark::test
