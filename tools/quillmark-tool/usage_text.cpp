#include "usage_text.h"

#include <numeric>
#include <vector>

namespace quillmark {

namespace {

constexpr std::string_view Prefix = "  quillmark-tool ";
constexpr std::size_t Width = 90;       // no line of a command's synopsis goes past this
constexpr std::size_t HelpColumn = 52;  // where the text that explains a command starts
// Where the continuation lines of a synopsis too long to go under the command's name start.
constexpr std::size_t LongListIndent = 8;

std::vector<std::string> SynopsisWords(const Command& command)
{
    std::string first(command.name);
    if (!command.arguments.empty()) {
        first += ' ';
        first += command.arguments;
    }
    std::vector<std::string> words{first};
    for (const OptionSpec& option : command.options) {
        std::string word(option.name);
        if (!option.value.empty()) {
            word += ' ';
            word += option.value;
        }
        words.push_back(option.required ? word : '[' + word + ']');
    }
    return words;
}

// The synopsis fills its first line; what is left goes on one line under the command's name
// when it fits there, and from further left, on as many lines as it takes, when it does not.
std::vector<std::string> SynopsisLines(const std::vector<std::string>& words)
{
    std::vector<std::string> lines{std::string(Prefix) + words.front()};
    std::size_t next = 1;
    for (; next < words.size() && lines.back().size() + 1 + words[next].size() <= Width; ++next) {
        lines.back() += ' ' + words[next];
    }
    if (next == words.size()) {
        return lines;
    }
    const std::size_t restWidth = std::accumulate(
        words.begin() + static_cast<std::ptrdiff_t>(next), words.end(), words.size() - next - 1,
        [](std::size_t sum, const std::string& word) { return sum + word.size(); });
    const std::string indent(Prefix.size() + restWidth <= Width ? Prefix.size() : LongListIndent,
                             ' ');
    lines.push_back(indent + words[next++]);
    for (; next < words.size(); ++next) {
        if (lines.back().size() + 1 + words[next].size() > Width) {
            lines.push_back(indent + words[next]);
        } else {
            lines.back() += ' ' + words[next];
        }
    }
    return lines;
}

// The help goes beside the synopsis's last line when there is room, under it when not.
void AppendEntry(std::string& text, std::vector<std::string> lines, std::string_view help)
{
    bool besideLast = lines.back().size() + 2 <= HelpColumn;
    for (std::size_t start = 0; start < help.size();) {
        const std::size_t end = std::min(help.find('\n', start), help.size());
        if (!besideLast) {
            lines.emplace_back();
        }
        besideLast = false;
        lines.back().resize(HelpColumn, ' ');
        lines.back() += help.substr(start, end - start);
        start = end + 1;
    }
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
}

}  // namespace

std::string UsageText(std::span<const Command* const> commands)
{
    std::string text = "usage:\n";
    for (const Command* command : commands) {
        AppendEntry(text, SynopsisLines(SynopsisWords(*command)), command->help);
    }
    AppendEntry(text, {std::string(Prefix) + "--help | --version"},
                "print this text or the version");
    text +=
        "Commands that write OUT.dat over a database with a save password need\n"
        "--save-password P, the password of the file they replace.\n";
    return text;
}

}  // namespace quillmark
