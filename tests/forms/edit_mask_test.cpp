#include "forms/edit_mask.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(EditMaskTest, TheDateMaskIsLaidOnlyOverTextsThatFitIt)
{
    const std::string dateMask = "!99/99/0000;1;_";
    for (const char* text : {"", "12/31/1999", " 1/ 2/1999"}) {
        EXPECT_TRUE(TextFitsMask(text, dateMask)) << '"' << text << '"';
    }
    for (const char* text :
         {"1999/12/31", "12/31/99", "12-31-1999", "12/31/ 999", "ab/cd/efgh", "12/31/19999"}) {
        EXPECT_FALSE(TextFitsMask(text, dateMask)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace quillmark
