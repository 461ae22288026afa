#pragma once

#include "engine/reports/page_store.h"
#include "engine/reports/recorded_page.h"

#include <string>
#include <vector>

namespace quillmark::test {

// Every character 100 twips wide, whatever the font: layouts that can be worked out by hand.
class FixedWidthMeasurer : public TextMeasurer {
public:
    int TextWidth(const PageFont&, std::string_view text) override
    {
        return static_cast<int>(text.size()) * 100;
    }
};

// The texts drawn on a page, where they start, and the font they were drawn in.
struct DrawnText {
    int x = 0;
    int y = 0;
    std::string text;
    bool inRectangle = false;
    bool operator==(const DrawnText&) const = default;
};

inline std::vector<DrawnText> TextsOn(const RecordedPage& page)
{
    std::vector<DrawnText> texts;
    for (const PageCall& call : page.Calls()) {
        if (call.kind == PageCall::Kind::TextRect || call.kind == PageCall::Kind::TextOut) {
            texts.push_back({call.x, call.y, call.text, call.kind == PageCall::Kind::TextRect});
        }
    }
    return texts;
}

// A printer job or PDF file that notes the pages it is given, one sheet after another.
class RecordingOutput : public PageOutput {
public:
    std::vector<std::vector<const RecordedPage*>> Sheets{{}};
    void NewSheet() override { Sheets.emplace_back(); }
    void PlayPage(const RecordedPage& page, const PagePlacement&) override
    {
        Sheets.back().push_back(&page);
    }
};

}  // namespace quillmark::test
