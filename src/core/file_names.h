#pragma once

#include <string>

namespace quillmark {

// Paths kept in records may come from Windows ("C:\Photos\ann.jpg") or from here
// ("/home/ann/ann.jpg"), so either separator ends a folder.

// What follows the last separator: the file's own name.
std::string FileNamePart(const std::string& path);

// The file name's extension with its dot (".jpg"), as spelled; empty when the name has no dot.
std::string FileExtension(const std::string& path);

// "report" becomes "report.dat" for the extension ".dat"; a name with an extension of its own
// is kept.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace quillmark
