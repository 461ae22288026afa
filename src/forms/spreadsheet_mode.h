#pragma once

namespace quillmark {

// Which records the spreadsheet shows: all of them, those on the search list, or those with the
// browse value picked. The album shares it and knows only the first two.
enum class SpreadsheetMode { AllRecords = 1, SearchList = 2, Selected = 3 };

}  // namespace quillmark
