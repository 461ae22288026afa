#pragma once

#include <string>
#include <vector>

namespace quillmark::test {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built quillmark-tool with the arguments, as a user would from a shell.
ToolRun RunTool(const std::vector<std::string>& arguments);

}  // namespace quillmark::test
