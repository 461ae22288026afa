#pragma once

#include <string>

namespace quillmark {

// Paths kept in records (pictures, resume files) are Windows-1252 text like the rest of a
// record, so that they show, sort and search as the user reads them. This system spells file
// names in UTF-8; these two turn one into the other where a file is chosen or opened.

// A chosen file's path as a record keeps it: in Windows-1252 when every character has a form
// there, otherwise as the system spells it, so that the file can still be found.
std::string RecordPathFromSystem(const std::string& systemPath);

// The name to open a record's path by: its UTF-8 spelling, unless only the bytes as stored name
// an existing file.
std::string SystemPathOfRecordPath(const std::string& recordPath);

}  // namespace quillmark
