#pragma once

#include "core/item_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Records related to the one on show: those sharing a description value (whole or only its
// top-level category), a detail value or a status flag with it. Each kind of relation is
// named by a code, carried as the tag of its entry in the main window's relation menu:
//   10 * (field - 1) + 5   the primary part of description field 1..10
//   10 * (field - 1)       the whole value of description field 1..10
//   100 + 10 * detail      detail 0..9
//   200                    the status flags
inline constexpr int StatusRelation = 200;
inline constexpr int RelationCount = 31;

int PrimaryRelation(int descriptionField);
int CompleteRelation(int descriptionField);
int DetailRelation(int detail);

// The characters after the last ":" of a leaf-first path, that is its top-level category with
// the blank that follows the colon; the whole value when it has no ":".
std::string_view PrimaryPart(std::string_view value);

// Whether the record shares the relation's value with the record on show. Texts are compared
// without regard to the case of letters; an unknown code relates nothing.
bool IsRelated(const ItemRecord& record, const ItemRecord& onShow, int relation);

// Positions of the records related to the one at `onShow`, in record order, never `onShow`
// itself.
std::vector<int> RelatedPositions(const ItemRecordList& records, int onShow, int relation);

}  // namespace quillmark
