#include "forms/edit_mask.h"

#include <string_view>

namespace quillmark {

bool TextFitsMask(const std::string& text, const std::string& mask)
{
    std::string_view format = std::string_view(mask).substr(0, mask.find(';'));
    if (format.starts_with('!')) {
        format.remove_prefix(1);
    }
    if (text.empty()) {
        return true;
    }
    if (text.size() != format.size()) {
        return false;
    }
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        const bool fits = format[i] == '0'   ? digit
                          : format[i] == '9' ? digit || c == ' '
                                             : c == format[i];
        if (!fits) {
            return false;
        }
    }
    return true;
}

}  // namespace quillmark
