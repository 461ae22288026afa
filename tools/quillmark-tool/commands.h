#pragma once

#include "command_line.h"

#include "engine/text_file_encoding.h"

namespace quillmark {

// The options several commands share.
inline constexpr OptionSpec ReadPasswordOption{"--read-password", "P"};
inline constexpr OptionSpec EncodingOption{"--encoding", "E"};

// --encoding utf-8 or windows-1252 of a comma-delimited file written; UTF-8 when not given.
TextFileEncoding ExportEncoding(const Arguments& arguments);

extern const Command DumpCommand;
extern const Command BuildCommand;
extern const Command SampleCommand;
extern const Command CheckCommand;
extern const Command MergeCommand;
extern const Command SortCommand;
extern const Command RecalcCommand;
extern const Command SearchCommand;
extern const Command ExtractCommand;
extern const Command GraphCommand;
extern const Command ExportCommand;
extern const Command HtmlReportCommand;
extern const Command ReportCommand;
extern const Command ImportCommand;
extern const Command EncipherCommand;
extern const Command DecipherCommand;
extern const Command EncryptCommand;
extern const Command DecryptCommand;
extern const Command PushCommand;
extern const Command PullCommand;

}  // namespace quillmark
