#pragma once

#include "forms/search/search_form.h"
#include "support/search_term.h"

namespace quillmark::bench {

// Six terms that leave about one record in a thousand of the sample, as a search for a few
// people does: the name, the status, the hours, a skill, a keyword and the yearly salary.
inline void SetSixTerms(TSearch& search, const Database& database)
{
    namespace Tag = SearchFieldTag;
    using test::Term;
    FreeAllSlots(search.SearchTerms);
    search.SearchTerms[1] = Term(Tag::Name, "son");
    search.SearchTerms[2] = Term(Tag::Status, "Working");
    search.SearchTerms[3] = Term(Tag::HoursPerWeek, "40", "40");
    search.SearchTerms[4] = Term(Tag::Skills, "");
    search.SearchTerms[4].SkillName = database.SkillNames[1];
    search.SearchTerms[5] = Term(Tag::Keywords, "forklift");
    search.SearchTerms[6] = Term(Tag::YearlySalary, "0", "1000000000");
    search.GridRows.clear();
    for (int slot = 1; slot <= 6; ++slot) {
        search.GridRows.push_back({"", IncludesText, "", slot});
    }
}

}  // namespace quillmark::bench
