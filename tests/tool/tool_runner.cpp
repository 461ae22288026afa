#include "tool/tool_runner.h"

#include "support/test_helpers.h"

#include <cstdlib>
#include <sys/wait.h>

namespace quillmark::test {

namespace {

std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments)
{
    TemporaryFolder folder;
    std::string command = Quoted(QUILLMARK_TOOL_PATH);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command +=
        " >" + Quoted(folder.File("out")) + " 2>" + Quoted(folder.File("err")) + " </dev/null";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFileBytes(folder.File("out"));
    run.err = ReadFileBytes(folder.File("err"));
    return run;
}

}  // namespace quillmark::test
