#pragma once

#include "engine/search/search_terms.h"

#include <string>
#include <vector>

namespace quillmark {

class ValueReader;
class ValueWriter;

// A search as ".srh" files keep it: the term rows as shown (without the field captions, which
// come from the database open when the file is read) and the whole table of 50 slots.
struct SavedSearch {
    std::vector<SearchTermRow> Rows;
    SearchTermTable Terms;
};

inline constexpr int MaximumSearchRows = SearchSlotCount;

// The value stream: the grid's row count with its header row, then type, value and slot of
// each term row, then the eight values of every slot.
void WriteSavedSearch(ValueWriter& writer, const std::vector<SearchTermRow>& rows,
                      const SearchTermTable& terms);

// Reads a whole saved search, or throws FormatError: a value of the wrong kind, a file that
// ends early, a row count outside 1..50 term rows, a row's slot number outside -1..50, or a row
// naming a free slot or one whose field tag is unknown. Field captions are left empty.
SavedSearch ReadSavedSearch(ValueReader& reader);

// The file through the safe save (WriteError on failure) and back (ReadError, FormatError).
void SaveSearchFile(const std::string& path, const std::vector<SearchTermRow>& rows,
                    const SearchTermTable& terms);
SavedSearch LoadSearchFile(const std::string& path);

}  // namespace quillmark
