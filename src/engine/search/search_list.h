#pragma once

#include "core/item_record.h"

namespace quillmark {

// The search list is the records whose InSearchList flag is set; SearchHit marks those a search
// found, for the spreadsheet's highlight. Record numbers count from 1.

// Puts the existing records low..high on the list: one not listed yet goes on with its found
// flag clear, one already listed gets its found flag set.
void AddRecordRange(ItemRecordList& records, int low, int high);

void ClearSearchList(ItemRecordList& records);
int CountOnSearchList(const ItemRecordList& records);

// Removes every listed record but never the last one left, keeping the others in order;
// returns how many went.
int RemoveListedRecords(ItemRecordList& records);
// How many RemoveListedRecords would remove now.
int CountRemovable(const ItemRecordList& records);

}  // namespace quillmark
