#pragma once

#include <string>

namespace quillmark {

// Paths kept in records may come from Windows ("C:\Photos\ann.jpg") or from here
// ("/home/ann/ann.jpg"), so either separator ends a folder.

// What follows the last separator: the file's own name.
std::string FileNamePart(const std::string& path);

// The file name's extension with its dot (".jpg"), as spelled; empty when the name has no dot.
std::string FileExtension(const std::string& path);

}  // namespace quillmark
