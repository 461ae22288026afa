#include "core/settings_store.h"

#include "core/case_folding.h"

#include "core/byte_stream.h"
#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quillmark {

namespace {

namespace fs = std::filesystem;

// A settings file is a few kilobytes; anything far bigger is not one we should load or replace.
constexpr std::uintmax_t LargestSettingsFile = 16 * 1024 * 1024;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Blanks around a text value are not part of it unless it is written in double quotes.
bool NeedsQuotes(std::string_view value)
{
    if (value.empty()) {
        return false;
    }
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return quoted || IsBlank(value.front()) || IsBlank(value.back());
}

std::optional<int> ParseInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Names match without regard to ASCII case, so they hash that way too (FNV-1a), each key
// together with its section.
std::uint32_t NameHash(std::uint32_t section, std::string_view name)
{
    std::uint32_t hash = 2166136261u ^ section;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(AsciiLowerCase(c))) * 16777619u;
    }
    return hash;
}

}  // namespace

SettingsStore::Group SettingsStore::Open() const
{
    Group group(path_);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path_, error);
    if (!error && size > LargestSettingsFile) {
        group.unreadableReason_ = std::strerror(EFBIG);
        return group;
    }
    try {
        group.bytes_ = ReadWholeFile(path_);
    } catch (const ReadError& failure) {
        if (fs::exists(path_, error)) {
            group.unreadableReason_ = failure.what();
        }
    }
    if (group.bytes_.size() > LargestSettingsFile) {
        group.bytes_.clear();  // it grew while we read it
        group.unreadableReason_ = std::strerror(EFBIG);
    }
    group.Parse();
    return group;
}

// One pass over the file, keeping only where each name first appears: blank lines, comments
// and repeated names cost nothing but their bytes.
void SettingsStore::Group::Parse()
{
    const std::string_view bytes = bytes_;
    // Only lines with "[" or "=" can name anything: counted first, so that the tables are made
    // once at their final size.
    std::size_t candidates = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        candidates += bytes.substr(start, end - start).find_first_of("[=") != std::string::npos;
        start = end + 1;
    }
    // With room for the keys the program writes, so that its saves do not grow the tables.
    Reserve(candidates + 256);

    bool endingKnown = false;
    std::optional<std::uint32_t> section;
    bool firstOfSection = false;  // whether the lines are under the first header of its name
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t lineStart = position;
        std::size_t lineEnd = bytes.find('\n', position);
        if (lineEnd == std::string_view::npos) {
            lineEnd = bytes.size();
            position = bytes.size();
        } else {
            position = lineEnd + 1;
            const bool crlf = lineEnd > lineStart && bytes[lineEnd - 1] == '\r';
            if (crlf) {
                --lineEnd;
            }
            if (!endingKnown) {
                newline_ = crlf ? "\r\n" : "\n";
                endingKnown = true;
            }
        }

        std::string_view content = bytes.substr(lineStart, lineEnd - lineStart);
        if (lineStart == 0 && content.starts_with(ByteOrderMark)) {
            content.remove_prefix(ByteOrderMark.size());
        }
        const std::string_view trimmed = Trimmed(content);
        const auto offset = [&](std::string_view part) {
            return static_cast<std::uint32_t>(part.data() - bytes.data());
        };
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::string_view name = Trimmed(trimmed.substr(1, trimmed.find(']') - 1));
            section = Find(Name::NoSection, name);
            firstOfSection = !section;
            if (!section) {
                Name header;
                header.start = offset(name);
                header.length = static_cast<std::uint32_t>(name.size());
                section = Add(header, NameHash(Name::NoSection, name));
            }
        } else if (section && !trimmed.empty() && trimmed.front() != ';' &&
                   trimmed.front() != '#') {
            const std::size_t equals = content.find('=');
            const std::string_view key = equals == std::string_view::npos
                                             ? std::string_view{}
                                             : Trimmed(content.substr(0, equals));
            if (key.empty()) {
                continue;
            }
            if (!Find(*section, key)) {
                Name entry;
                entry.section = *section;
                entry.start = offset(key);
                entry.length = static_cast<std::uint32_t>(key.size());
                entry.valueStart = offset(content) + static_cast<std::uint32_t>(equals + 1);
                entry.valueEnd = static_cast<std::uint32_t>(lineEnd);
                Add(entry, NameHash(*section, key));
            }
        } else {
            continue;
        }
        if (firstOfSection) {
            names_[*section].valueStart = static_cast<std::uint32_t>(position);
        }
    }
}

std::string_view SettingsStore::Group::NameText(const Name& name) const
{
    if (name.added) {
        return addedNames_.at(static_cast<std::uint32_t>(&name - names_.data()));
    }
    return std::string_view(bytes_).substr(name.start, name.length);
}

std::optional<std::uint32_t> SettingsStore::Group::Find(std::uint32_t section,
                                                        std::string_view name) const
{
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = NameHash(section, name) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            return std::nullopt;
        }
        const std::uint32_t index = slots_[slot] - 1;
        const Name& candidate = names_[index];
        if (candidate.section == section && SameTextIgnoringAsciiCase(NameText(candidate), name)) {
            return index;
        }
    }
}

void SettingsStore::Group::Reserve(std::size_t count)
{
    names_.reserve(count);
    // Kept at most half full, so that a search soon meets a free slot.
    std::size_t size = 16;
    while (size < 2 * count) {
        size *= 2;
    }
    if (size <= slots_.size()) {
        return;
    }
    slots_.assign(size, 0);
    for (std::uint32_t index = 0; index < names_.size(); ++index) {
        const Name& name = names_[index];
        std::size_t slot = NameHash(name.section, NameText(name)) & (size - 1);
        while (slots_[slot] != 0) {
            slot = (slot + 1) & (size - 1);
        }
        slots_[slot] = index + 1;
    }
}

std::uint32_t SettingsStore::Group::Add(Name name, std::uint32_t hash)
{
    if (2 * (names_.size() + 1) > slots_.size()) {
        Reserve(2 * (names_.size() + 1));
    }
    const auto index = static_cast<std::uint32_t>(names_.size());
    names_.push_back(name);
    std::size_t slot = hash & (slots_.size() - 1);
    while (slots_[slot] != 0) {
        slot = (slot + 1) & (slots_.size() - 1);
    }
    slots_[slot] = index + 1;
    return index;
}

std::optional<std::uint32_t> SettingsStore::Group::FindEntry(std::string_view section,
                                                             std::string_view key) const
{
    const auto found = Find(Name::NoSection, section);
    return found ? Find(*found, key) : std::nullopt;
}

std::optional<std::string> SettingsStore::Group::Value(std::string_view section,
                                                       std::string_view key) const
{
    const auto found = FindEntry(section, key);
    if (!found) {
        return std::nullopt;
    }
    const auto changed = newValues_.find(*found);
    const Name& entry = names_[*found];
    std::string_view value = Trimmed(
        changed != newValues_.end()
            ? std::string_view(changed->second)
            : std::string_view(bytes_).substr(entry.valueStart, entry.valueEnd - entry.valueStart));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

int SettingsStore::Group::ReadInteger(std::string_view section, std::string_view key,
                                      int fallback) const
{
    const auto value = Value(section, key);
    if (!value) {
        return fallback;
    }
    return ParseInteger(*value).value_or(fallback);
}

bool SettingsStore::Group::ReadBool(std::string_view section, std::string_view key,
                                    bool fallback) const
{
    const auto value = Value(section, key);
    if (!value) {
        return fallback;
    }
    if (SameTextIgnoringAsciiCase(*value, "true")) {
        return true;
    }
    if (SameTextIgnoringAsciiCase(*value, "false")) {
        return false;
    }
    // Any number counts, as a hand-edited "2" or "-1" clearly means "on".
    const auto number = ParseInteger(*value);
    return number ? *number != 0 : fallback;
}

std::string SettingsStore::Group::ReadString(std::string_view section, std::string_view key,
                                             std::string_view fallback) const
{
    const auto value = Value(section, key);
    return value ? *value : std::string(fallback);
}

void SettingsStore::Group::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteValue(section, key, std::to_string(value));
}

void SettingsStore::Group::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteValue(section, key, value ? "1" : "0");
}

void SettingsStore::Group::WriteString(std::string_view section, std::string_view key,
                                       std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        WriteValue(section, key, {});
    } else if (NeedsQuotes(value)) {
        WriteValue(section, key, "\"" + std::string(value) + "\"");
    } else {
        WriteValue(section, key, value);
    }
}

void SettingsStore::Group::WriteValue(std::string_view section, std::string_view key,
                                      std::string_view value)
{
    // A key that exists keeps the spelling it has in the file; only what follows "=" changes.
    if (const auto found = FindEntry(section, key)) {
        newValues_[*found] = value;
        return;
    }
    const auto add = [&](std::uint32_t inSection, std::string_view name) {
        Name added;
        added.section = inSection;
        added.added = true;
        const auto index = static_cast<std::uint32_t>(names_.size());
        addedNames_[index] = name;  // before Add, which may need it to rehash
        Add(added, NameHash(inSection, name));
        addedOrder_.push_back(index);
        return index;
    };
    std::optional<std::uint32_t> inSection = Find(Name::NoSection, section);
    if (!inSection) {
        inSection = add(Name::NoSection, section);
    }
    newValues_[add(*inSection, key)] = value;
}

void SettingsStore::Group::Save() const
{
    if (!unreadableReason_.empty()) {
        throw WriteError(unreadableReason_);
    }
    const fs::path folder = fs::path(path_).parent_path();
    if (!folder.empty()) {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) {
            throw WriteError(error.message());
        }
    }

    // Changes to the bytes as read, in file order: a changed value replaces [start, end); new
    // keys of a section that was read go after its last key, in the order they were written;
    // new sections, with their keys, go at the end.
    struct Change {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        std::string text;
        bool newLines = false;
    };
    std::vector<Change> changes;
    std::string newSections;
    const auto entryLine = [&](std::uint32_t index) {
        return std::string(NameText(names_[index])) + "=" + newValues_.at(index) + newline_;
    };
    for (const auto& [index, value] : newValues_) {
        const Name& entry = names_[index];
        if (!entry.added) {
            changes.push_back({entry.valueStart, entry.valueEnd, value, false});
        }
    }
    for (const std::uint32_t index : addedOrder_) {
        const Name& name = names_[index];
        if (name.section == Name::NoSection) {
            newSections += "[" + std::string(NameText(name)) + "]" + newline_;
            for (const std::uint32_t key : addedOrder_) {
                if (names_[key].section == index) {
                    newSections += entryLine(key);
                }
            }
        } else if (!names_[name.section].added) {
            const std::uint32_t at = names_[name.section].valueStart;
            changes.push_back({at, at, entryLine(index), true});
        }
    }
    // Stable, so that new keys at one place keep their order after the value they follow.
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
        return a.start < b.start || (a.start == b.start && !a.newLines && b.newLines);
    });
    if (!newSections.empty()) {
        changes.push_back({static_cast<std::uint32_t>(bytes_.size()),
                           static_cast<std::uint32_t>(bytes_.size()), std::move(newSections),
                           true});
    }

    std::string bytes;
    std::size_t grown = 0;
    for (const Change& change : changes) {
        grown += change.text.size() + newline_.size();
    }
    bytes.reserve(bytes_.size() + grown);
    std::size_t copied = 0;
    bool lastLineEnded = bytes_.empty() || bytes_.back() == '\n';
    for (const Change& change : changes) {
        bytes.append(bytes_, copied, change.start - copied);
        copied = change.end;
        if (change.newLines && change.start == bytes_.size() && !lastLineEnded) {
            bytes += newline_;  // a new line may not run on from a last line without an end
            lastLineEnded = true;
        }
        bytes += change.text;
    }
    bytes.append(bytes_, copied);
    SaveFileSafely(path_, [&](ByteSink& sink) { sink.Write(bytes); });
}

}  // namespace quillmark
