#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// A file name as it goes into a message, in a dialog or on a terminal: control characters are
// shown escaped (\n, \t, \x1B, ...), so that a name can neither break a message into lines
// nor send commands to a terminal. Every message that names a file builds the name here.
std::string FileNameInMessage(std::string_view path);

// Any other text that comes from a file (a time, a margin, a name it holds) goes into a
// message the same way.
inline std::string TextInMessage(std::string_view text)
{
    return FileNameInMessage(text);
}

// "Sorry, you do not have permission to save <file>.": the system would not let the file be
// written.
std::string NoPermissionToSaveMessage(std::string_view path);

// "The backup copy <file> was not written: it is a symbolic link.", the reason as
// SaveBackupCopy gives it.
std::string BackupNotWrittenMessage(std::string_view backupPath, std::string_view reason);

// "<file> is not a regular file." and "<file> is empty.": files that cannot hold a database.
std::string NotRegularFileMessage(std::string_view path);
std::string EmptyFileMessage(std::string_view path);

// "<file> is damaged and was not opened: <reason>": an encrypted file whose bytes were changed.
// Its encryption proves nothing in it can be trusted, so nothing of it is read.
std::string EncryptedFileDamagedMessage(std::string_view path, std::string_view reason);

// A merge refused: the other file's layout does not match this database's, or its password
// differs. The wording, its misspelling included, is what users and their scripts have always
// been given.
inline constexpr const char* MergeIncompatibleMessage =
    "Sorry, the files could not be merged because they are incompatible or they use different "
    "passowrds.";

}  // namespace quillmark
