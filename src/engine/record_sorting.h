#pragma once

#include "core/item_record.h"
#include "core/record_fields.h"

namespace quillmark {

// Reorders the records by a sort key (a field's; any other key means the name). Text keys compare
// without regard to the case of ASCII letters; salary keys compare the numbers read from their
// cleaned texts, so "$9.50" comes before "$10.00". Records with equal keys keep their order in
// both directions. Each record's key is read once, so large databases sort in O(n log n).
void DoSort(ItemRecordList& records, SortKey sortKey, bool ascending);

}  // namespace quillmark
