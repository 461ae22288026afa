// The layers depend downwards only: core on nothing of ours, engine on core, server on engine
// and core, forms on those three, the windows on anything; the tool stands on core, engine and
// server. Only the windows may see Qt.
// Every #include of the sources is read and checked against that.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string folder;                   // under the source tree
    std::vector<std::string> mayInclude;  // folders its quoted includes may name
    bool sameFolderNames = false;         // "sample_database.h" beside the file itself
};

const std::vector<Layer> Layers = {
    {"src/core", {"core/"}},
    {"src/engine", {"core/", "engine/"}},
    {"src/server", {"core/", "engine/", "server/"}},
    {"src/forms", {"core/", "engine/", "server/", "forms/"}},
    {"tools", {"core/", "engine/", "server/"}, true},
};

bool IsQtHeader(const std::string& header)
{
    static const std::regex qt(R"(^Qt|^Q[A-Z])");
    return std::regex_search(header, qt);
}

bool Allowed(const Layer& layer, const std::string& header)
{
    for (const std::string& prefix : layer.mayInclude) {
        if (header.starts_with(prefix)) {
            return true;
        }
    }
    return layer.sameFolderNames && header.find('/') == std::string::npos;
}

// A line "file:line: what is wrong" for every include the layer may not have.
std::string WrongIncludes(const fs::path& sourceRoot, const Layer& layer)
{
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::string wrong;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot / layer.folder)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
            continue;
        }
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, include)) {
                continue;
            }
            const bool quoted = match[1] == "\"";
            const std::string header = match[2];
            const std::string where = fs::relative(entry.path(), sourceRoot).string() + ":" +
                                      std::to_string(number) + ": ";
            if (quoted && !Allowed(layer, header)) {
                wrong += where + layer.folder + " may not include \"" + header + "\"\n";
            } else if (!quoted && IsQtHeader(header)) {
                wrong += where + layer.folder + " may not include Qt's <" + header + ">\n";
            }
        }
    }
    return wrong;
}

TEST(Layering, EveryIncludePointsDownwards)
{
    const fs::path sourceRoot = QUILLMARK_SOURCE_DIR;
    std::string wrong;
    for (const Layer& layer : Layers) {
        ASSERT_TRUE(fs::is_directory(sourceRoot / layer.folder)) << layer.folder;
        wrong += WrongIncludes(sourceRoot, layer);
    }
    EXPECT_TRUE(wrong.empty()) << wrong;
}

}  // namespace
