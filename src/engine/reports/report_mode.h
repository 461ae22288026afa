#pragma once

namespace quillmark {

// Which records a column report lists: all of them, or only those on the search list.
enum class ReportMode { AllRecords = 1, SearchList = 2 };

}  // namespace quillmark
