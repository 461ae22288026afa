#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmark {

// The per-user settings file: "[SECTION]" lines, each followed by "key=value" lines. Section and
// key names match without regard to ASCII letter case or the blanks around them. The file is the
// user's to edit as much as ours, so whatever we do not understand (other sections, unknown keys,
// comments, odd lines, its line ends) is written back exactly as it was read.
//
// Nothing is cached between uses: each group of reads or writes reads the file afresh, so windows
// that save their sizes one after another never undo each other's changes.
class SettingsStore {
public:
    explicit SettingsStore(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    class Group {
    public:
        // The fallback is what a missing file, section or key gives, and a value that does not
        // read as the type asked for.
        int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
        bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
        std::string ReadString(std::string_view section, std::string_view key,
                               std::string_view fallback = {}) const;

        // Changes stay in the group until Save. A key that exists has its value replaced where
        // it stands; a new one goes after the last key of its section, a new section at the end.
        void WriteInteger(std::string_view section, std::string_view key, int value);
        void WriteBool(std::string_view section, std::string_view key, bool value);
        // A value that would need more than one line (a file name with a line break in it)
        // is written empty rather than let it add lines of its own to the file.
        void WriteString(std::string_view section, std::string_view key, std::string_view value);

        // Writes the file safely (see SaveFileSafely), making its folder first when missing.
        // Throws WriteError with the system's reason; the old file is then left as it was.
        void Save() const;

    private:
        friend class SettingsStore;

        enum class LineKind { Other, Section, Entry };
        struct Line {
            std::string text;    // as in the file, without its line end
            std::string ending;  // "\r\n" or "\n"; empty on a last line that has none
            LineKind kind = LineKind::Other;
            std::string name;            // of the section or key, blanks trimmed
            std::size_t valueStart = 0;  // of an entry: just after its first "="
        };

        explicit Group(std::string path) : path_(std::move(path)) {}
        void Parse(std::string_view bytes);
        std::optional<std::size_t> FindEntry(std::string_view section, std::string_view key) const;
        std::optional<std::string> Value(std::string_view section, std::string_view key) const;
        void WriteValue(std::string_view section, std::string_view key, std::string_view value);
        void InsertLine(std::size_t position, LineKind kind, std::string_view name,
                        std::string text);

        std::string path_;
        std::vector<Line> lines_;
        std::string newline_ = "\n";
        // Set when the file exists but could not be read: saving over it would lose its contents.
        std::string unreadableReason_;
    };

    // Never fails: a missing or unreadable file reads as an empty one.
    Group Open() const;

private:
    std::string path_;
};

}  // namespace quillmark
