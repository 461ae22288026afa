#include "engine/search/search_terms.h"

namespace quillmark {

void FreeAllSlots(SearchTermTable& terms)
{
    for (SearchRecord& term : terms) {
        term.FieldTag = -1;
        term.FromValue.clear();
        term.ToValue.clear();
    }
}

int LowestFreeSlot(const SearchTermTable& terms)
{
    for (int slot = 1; slot <= SearchSlotCount; ++slot) {
        if (terms[slot].IsFree()) {
            return slot;
        }
    }
    return 0;
}

}  // namespace quillmark
