#include "core/settings_store.h"

#include "core/case_folding.h"

#include "core/byte_stream.h"
#include "core/file_io.h"

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
        group.Parse(ReadWholeFile(path_));
    } catch (const ReadError& failure) {
        if (fs::exists(path_, error)) {
            group.unreadableReason_ = failure.what();
        }
    }
    return group;
}

void SettingsStore::Group::Parse(std::string_view bytes)
{
    bool endingKnown = false;
    while (!bytes.empty()) {
        Line line;
        const std::size_t newline = bytes.find('\n');
        if (newline == std::string_view::npos) {
            line.text = bytes;
            bytes = {};
        } else {
            line.text = bytes.substr(0, newline);
            line.ending = "\n";
            bytes.remove_prefix(newline + 1);
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.ending = "\r\n";
            }
            if (!endingKnown) {
                newline_ = line.ending;
                endingKnown = true;
            }
        }

        std::string_view content = line.text;
        if (lines_.empty() && content.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
            content.remove_prefix(ByteOrderMark.size());
        }
        const std::string_view trimmed = Trimmed(content);
        if (!trimmed.empty() && trimmed.front() == '[') {
            line.kind = LineKind::Section;
            line.name = Trimmed(trimmed.substr(1, trimmed.find(']') - 1));
        } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
            const std::size_t equals = content.find('=');
            const std::string_view key = equals == std::string_view::npos
                                             ? std::string_view{}
                                             : Trimmed(content.substr(0, equals));
            if (!key.empty()) {
                line.kind = LineKind::Entry;
                line.name = key;
                line.valueStart = line.text.size() - content.size() + equals + 1;
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::optional<std::size_t> SettingsStore::Group::FindEntry(std::string_view section,
                                                           std::string_view key) const
{
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::Section) {
            inSection = SameTextIgnoringAsciiCase(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry &&
                   SameTextIgnoringAsciiCase(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> SettingsStore::Group::Value(std::string_view section,
                                                       std::string_view key) const
{
    const auto found = FindEntry(section, key);
    if (!found) {
        return std::nullopt;
    }
    std::string_view value =
        Trimmed(std::string_view(lines_[*found].text).substr(lines_[*found].valueStart));
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
    if (const auto found = FindEntry(section, key)) {
        // The key keeps the spelling it has in the file; only what follows "=" changes.
        Line& line = lines_[*found];
        line.text.resize(line.valueStart);
        line.text += value;
        return;
    }

    std::string entry = std::string(key) + "=" + std::string(value);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != LineKind::Section ||
            !SameTextIgnoringAsciiCase(lines_[i].name, section)) {
            continue;
        }
        // After the section's last entry, so that blank lines and comments that lead into the
        // next section stay with it.
        std::size_t after = i;
        for (std::size_t j = i + 1; j < lines_.size() && lines_[j].kind != LineKind::Section; ++j) {
            if (lines_[j].kind == LineKind::Entry) {
                after = j;
            }
        }
        InsertLine(after + 1, LineKind::Entry, key, std::move(entry));
        return;
    }
    InsertLine(lines_.size(), LineKind::Section, section, "[" + std::string(section) + "]");
    InsertLine(lines_.size(), LineKind::Entry, key, std::move(entry));
}

void SettingsStore::Group::InsertLine(std::size_t position, LineKind kind, std::string_view name,
                                      std::string text)
{
    if (position > 0 && lines_[position - 1].ending.empty()) {
        lines_[position - 1].ending = newline_;
    }
    Line line;
    line.kind = kind;
    line.name = name;
    line.valueStart = kind == LineKind::Entry ? name.size() + 1 : 0;
    line.text = std::move(text);
    line.ending = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
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
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.ending;
    }
    SaveFileSafely(path_, [&](ByteSink& sink) { sink.Write(bytes); });
}

}  // namespace quillmark
