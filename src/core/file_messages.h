#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// A file name as it goes into a message, in a dialog or on a terminal: control characters are
// shown escaped (\n, \t, \x1B, ...), so that a name can neither break a message into lines
// nor send commands to a terminal. Every message that names a file builds the name here.
std::string FileNameInMessage(std::string_view path);

// "<file> is not a regular file." and "<file> is empty.": files that cannot hold a database.
std::string NotRegularFileMessage(std::string_view path);
std::string EmptyFileMessage(std::string_view path);

}  // namespace quillmark
