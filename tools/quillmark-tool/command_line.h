#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmark {

// A failure the user is told about in one line on standard error.
struct ToolFailure {
    std::string message;
    int exitCode = 1;
};

[[noreturn]] void Fail(const std::string& message, int exitCode = 1);
// A command line the tool cannot make sense of; exits with 2.
[[noreturn]] void UsageError(const std::string& message);

// An option a command takes, as its usage line shows it.
struct OptionSpec {
    std::string_view name = {};   // "--read-password"
    std::string_view value = {};  // what the usage text calls its value; empty for a flag
    bool required = false;        // shown without brackets; the command says when it is missing
};

// The arguments after the command: positional ones, "--name value" options and flags.
struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;

    std::optional<std::string> Option(std::string_view name) const;
    bool Flag(std::string_view name) const;
};

// One command of the tool: how the usage text shows it and what runs it.
struct Command {
    std::string_view name = {};
    std::string_view arguments = {};  // "DB.dat KEY OUT.dat"
    std::vector<OptionSpec> options = {};
    // Replacing a database with a save password needs --save-password; the usage text explains
    // that once for every such command.
    bool replacesDatabase = false;
    std::string_view help = {};  // the usage text's right-hand column, one line per '\n'
    int (*run)(const Arguments&) = nullptr;
};

// Flags are taken off the words first, wherever they stand, so a flag is never taken for the
// value of the option before it.
Arguments ParseArguments(std::span<char* const> words, const Command& command);

void ExpectPositional(const Arguments& arguments, std::size_t count);

// Command-line text is UTF-8; database text is Windows-1252.
std::string CommandLineText(const std::string& utf8, const char* what);

}  // namespace quillmark
