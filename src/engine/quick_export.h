#pragma once

#include "core/item_record.h"
#include "core/record_status.h"
#include "engine/text_file_encoding.h"

#include <array>
#include <string>

namespace quillmark {

class ByteSink;

// Every record on a line of its own in list order, a cell for each field with an export column
// in the order of the columns, separated by commas, each line ended by CR LF, no heading:
// name, descriptions 1..10 (their stored paths), details 0..9, status, other fields 1..6, the
// six salary figures, work days and hours per week. Cells are written as
// AppendCommaDelimitedCell does; the bytes are record text (Windows-1252).
void WriteQuickExport(ByteSink& sink, const ItemRecordList& records,
                      const StatusCaptions& statusCaptions);

// The export in the encoding chosen, written as every file of the user's is (SaveFileSafely):
// the old file stays as it was when the write fails, and WriteError carries the reason.
void SaveQuickExport(const std::string& path, const ItemRecordList& records,
                     const StatusCaptions& statusCaptions, TextFileEncoding encoding);

}  // namespace quillmark
