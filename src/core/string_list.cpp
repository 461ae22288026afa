#include "core/string_list.h"

namespace quillmark {

namespace packed {

void AppendText(std::string& bytes, std::string_view text)
{
    std::size_t length = text.size();
    while (length >= 0x80) {
        bytes.push_back(static_cast<char>((length & 0x7F) | 0x80));
        length >>= 7;
    }
    bytes.push_back(static_cast<char>(length));
    bytes.append(text);
}

std::string_view NextText(const char*& at)
{
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80) {
            break;
        }
    }
    const std::string_view text(at, length);
    at += length;
    return text;
}

}  // namespace packed

StringList::StringList(std::initializer_list<std::string_view> lines)
{
    for (std::string_view line : lines) {
        push_back(line);
    }
}

StringList::StringList(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        push_back(line);
    }
}

StringList::operator std::vector<std::string>() const
{
    std::vector<std::string> lines;
    lines.reserve(count_);
    for (std::string_view line : *this) {
        lines.emplace_back(line);
    }
    return lines;
}

std::string_view StringList::operator[](std::size_t index) const
{
    auto line = begin();
    std::advance(line, static_cast<std::ptrdiff_t>(index));
    return *line;
}

void StringList::push_back(std::string_view line)
{
    packed::AppendText(bytes_, line);
    ++count_;
}

void StringList::clear()
{
    bytes_.clear();
    count_ = 0;
}

}  // namespace quillmark
