#pragma once

#include "core/item_record.h"
#include "core/record_fields.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Records related to the one on show: those sharing a description value (whole or only its
// top-level category), a detail value or a status flag with it. Each kind of relation is
// named by a code, carried as the tag of its entry in the main window's relation menu: a
// field's relation code for its whole value (the status flags for the status), and for a
// description field that code plus 5 for its primary part.
inline const int StatusRelation = FieldByKey("Status").relation;
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
