#include "command_line.h"

#include "core/file_messages.h"
#include "core/windows1252.h"

#include <algorithm>

namespace quillmark {

void Fail(const std::string& message, int exitCode)
{
    throw ToolFailure{message, exitCode};
}

void UsageError(const std::string& message)
{
    Fail(message + " (quillmark-tool --help lists the commands)", 2);
}

std::optional<std::string> Arguments::Option(std::string_view name) const
{
    for (const auto& [key, value] : options) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

bool Arguments::Flag(std::string_view name) const
{
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

namespace {

constexpr OptionSpec SavePassword{"--save-password", "P"};

const OptionSpec* FindOption(const Command& command, std::string_view name)
{
    const auto found =
        std::find_if(command.options.begin(), command.options.end(),
                     [name](const OptionSpec& option) { return option.name == name; });
    if (found != command.options.end()) {
        return &*found;
    }
    return command.replacesDatabase && name == SavePassword.name ? &SavePassword : nullptr;
}

}  // namespace

Arguments ParseArguments(std::span<char* const> words, const Command& command)
{
    Arguments arguments;
    std::vector<std::string> rest;
    for (const std::string word : words) {
        const OptionSpec* option = FindOption(command, word);
        if (option != nullptr && option->value.empty()) {
            arguments.flags.push_back(word);
        } else {
            rest.push_back(word);
        }
    }
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& word = rest[i];
        if (word.starts_with("--")) {
            if (FindOption(command, word) == nullptr) {
                UsageError("unknown option " + TextInMessage(word));
            }
            if (i + 1 >= rest.size()) {
                UsageError(TextInMessage(word) + " needs a value");
            }
            arguments.options.emplace_back(word, rest[++i]);
        } else {
            arguments.positional.push_back(word);
        }
    }
    return arguments;
}

void ExpectPositional(const Arguments& arguments, std::size_t count)
{
    if (arguments.positional.size() != count) {
        UsageError("wrong number of arguments");
    }
}

std::string CommandLineText(const std::string& utf8, const char* what)
{
    std::optional<std::string> bytes = Utf8ToWindows1252(utf8);
    if (!bytes) {
        Fail(std::string(what) + " holds a character that a Quillmark file cannot store");
    }
    return *bytes;
}

}  // namespace quillmark
