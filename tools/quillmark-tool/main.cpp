// quillmark-tool: the headless companion of Quillmark. Reads and writes database files
// exactly as the program does, for scripting, checking and making test data.

#include "commands.h"
#include "standard_output.h"
#include "usage_text.h"

#include "core/file_messages.h"
#include "core/program_version.h"

#include <array>
#include <iostream>
#include <span>
#include <string>

namespace {

using namespace quillmark;

// In the order the usage text lists them.
constexpr std::array<const Command*, 20> Commands = {
    &DumpCommand,     &BuildCommand,      &SampleCommand,  &CheckCommand,   &MergeCommand,
    &SortCommand,     &RecalcCommand,     &SearchCommand,  &ExtractCommand, &GraphCommand,
    &ExportCommand,   &HtmlReportCommand, &ReportCommand,  &ImportCommand,  &EncipherCommand,
    &DecipherCommand, &EncryptCommand,    &DecryptCommand, &PushCommand,    &PullCommand,
};

int Run(int argc, char* argv[])
{
    if (argc < 2) {
        UsageError("no command given");
    }
    const std::string name = argv[1];
    const std::span<char* const> rest(argv + 2, static_cast<std::size_t>(argc - 2));
    for (const Command* command : Commands) {
        if (command->name == name) {
            return command->run(ParseArguments(rest, *command));
        }
    }
    if (name == "--help" || name == "help") {
        std::cout << UsageText(Commands);
        return 0;
    }
    // The same line as the program's own --version.
    if (name == "--version") {
        std::cout << "Quillmark " << ProgramVersion << '\n';
        return 0;
    }
    UsageError("unknown command " + TextInMessage(name));
}

}  // namespace

int main(int argc, char* argv[])
{
    StandardOutput output;
    std::streambuf* const original = std::cout.rdbuf(&output);
    int exitCode = 0;
    try {
        exitCode = Run(argc, argv);
    } catch (const ToolFailure& failure) {
        std::cerr << "quillmark-tool: " << failure.message << '\n';
        exitCode = failure.exitCode;
    } catch (const std::exception& error) {
        std::cerr << "quillmark-tool: " << error.what() << '\n';
        exitCode = 1;
    }
    // A command that failed has said so already, in one line.
    const std::optional<std::string> outputFailure = FinishStandardOutput(output);
    std::cout.rdbuf(original);
    if (outputFailure && exitCode == 0) {
        std::cerr << "quillmark-tool: " << *outputFailure << '\n';
        exitCode = 1;
    }
    return exitCode;
}
