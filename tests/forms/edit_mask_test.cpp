#include "forms/edit_mask.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(EditMaskTest, TheDateMaskIsLaidOnlyOverTextsThatFitIt)
{
    const std::string dateMask = "!99/99/0000;1;_";
    const struct {
        const char* text;
        bool fits;
    } cases[] = {
        {"", true},
        {"12/31/1999", true},
        {" 1/ 2/1999", true},
        {"1999/12/31", false},
        {"12/31/99", false},
        {"12-31-1999", false},
        {"12/31/ 999", false},
        {"ab/cd/efgh", false},
        {"12/31/19999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextFitsMask(c.text, dateMask), c.fits);
    }
}

}  // namespace
}  // namespace quillmark
