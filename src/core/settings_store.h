#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
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

        // A section or key as it first appears (later ones of the same name are never read or
        // written), or one written since the file was read. Positions are byte offsets into
        // bytes_; a settings file is far smaller than 4 GB.
        struct Name {
            static constexpr std::uint32_t NoSection = UINT32_MAX;
            std::uint32_t section = NoSection;  // of a key: its section's index in names_
            std::uint32_t start = 0;            // of the name, blanks trimmed
            std::uint32_t length = 0;           // of the name
            // Of a key: the value, just after "=" up to the line end. Of a section: where a new
            // key goes, just after the line end of its last key or else of its own line.
            std::uint32_t valueStart = 0;
            std::uint32_t valueEnd = 0;
            bool added = false;  // written since reading: its name is in addedNames_
        };

        explicit Group(std::string path) : path_(std::move(path)) {}
        void Parse();
        std::string_view NameText(const Name& name) const;
        std::optional<std::uint32_t> Find(std::uint32_t section, std::string_view name) const;
        void Reserve(std::size_t count);
        std::uint32_t Add(Name name, std::uint32_t hash);
        std::optional<std::uint32_t> FindEntry(std::string_view section,
                                               std::string_view key) const;
        std::optional<std::string> Value(std::string_view section, std::string_view key) const;
        void WriteValue(std::string_view section, std::string_view key, std::string_view value);

        std::string path_;
        std::string bytes_;  // the file as read
        std::vector<Name> names_;
        // Open addressing over names_: each slot holds an index + 1, or 0 when free.
        std::vector<std::uint32_t> slots_;
        std::map<std::uint32_t, std::string> newValues_;   // by index in names_
        std::map<std::uint32_t, std::string> addedNames_;  // by index in names_
        std::vector<std::uint32_t> addedOrder_;            // keys and sections, as written
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
