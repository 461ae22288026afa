#pragma once

#include "core/item_record.h"

#include <array>
#include <string>
#include <string_view>

namespace quillmark {

class ByteSink;

// The captions of the three status boxes, Working, Available and Not Available, as the status
// column spells them.
using StatusCaptions = std::array<std::string, 3>;
StatusCaptions DefaultStatusCaptions();

// One cell of the export: "" for an empty value; a value holding a comma in double quotes, its
// CR LF pairs made LF and its double quotes doubled so that the file reads back; any other
// value exactly as stored.
std::string QuickExportCell(std::string_view value);

// Every record on a line of its own in list order, 36 cells separated by commas, each line
// ended by CR LF, no heading: name, descriptions 1..10 (their stored paths), details 0..9,
// status, other fields 1..6, the six salary figures, work days and hours per week.
void WriteQuickExport(ByteSink& sink, const ItemRecordList& records,
                      const StatusCaptions& statusCaptions);

// The export written as every file of the user's is (SaveFileSafely): the old file stays as it
// was when the write fails, and WriteError carries the reason.
void SaveQuickExport(const std::string& path, const ItemRecordList& records,
                     const StatusCaptions& statusCaptions);

}  // namespace quillmark
