#include "engine/search/saved_search_file.h"

#include "core/file_io.h"
#include "core/value_reader.h"
#include "core/value_writer.h"

namespace quillmark {

void WriteSavedSearch(ValueWriter& writer, const std::vector<SearchTermRow>& rows,
                      const SearchTermTable& terms)
{
    writer.WriteInteger(static_cast<std::int32_t>(rows.size() + 1));
    for (const SearchTermRow& row : rows) {
        writer.WriteString(row.Type);
        writer.WriteString(row.Value);
        writer.WriteInteger(row.Slot);
    }
    for (const SearchRecord& term : terms) {
        writer.WriteString(term.FromValue);
        writer.WriteString(term.ToValue);
        writer.WriteInteger(term.Inclusion);
        writer.WriteInteger(term.FieldTag);
        writer.WriteString(term.DayName);
        writer.WriteString(term.NotesValue);
        writer.WriteString(term.SkillName);
        writer.WriteInteger(term.MatchMode);
    }
}

SavedSearch ReadSavedSearch(ValueReader& reader)
{
    SavedSearch search;
    // The grid always has its header row and at least one term row, and never more than 50.
    const std::int32_t gridRows = reader.ReadInteger();
    if (gridRows < 2 || gridRows > MaximumSearchRows + 1) {
        reader.Fail("a search has 1 to 50 term rows, not " + std::to_string(gridRows - 1));
    }
    search.Rows.resize(static_cast<std::size_t>(gridRows - 1));
    for (SearchTermRow& row : search.Rows) {
        reader.ReadStringInto(row.Type);
        reader.ReadStringInto(row.Value);
        row.Slot = reader.ReadInteger();
        if (row.Slot < RowNeverUsed || row.Slot > SearchSlotCount) {
            reader.Fail("a term row names slot " + std::to_string(row.Slot));
        }
    }
    for (SearchRecord& term : search.Terms) {
        reader.ReadStringInto(term.FromValue);
        reader.ReadStringInto(term.ToValue);
        term.Inclusion = reader.ReadInteger();
        term.FieldTag = reader.ReadInteger();
        reader.ReadStringInto(term.DayName);
        reader.ReadStringInto(term.NotesValue);
        reader.ReadStringInto(term.SkillName);
        term.MatchMode = static_cast<std::uint8_t>(reader.ReadInteger() & 0xFF);
    }
    // A row's term must be there to be tested, and be about a field the search knows.
    for (std::size_t row = 0; row < search.Rows.size(); ++row) {
        const int slot = search.Rows[row].Slot;
        if (!HoldsTerm(slot)) {
            continue;
        }
        const std::string where =
            "term row " + std::to_string(row + 1) + " names slot " + std::to_string(slot);
        if (search.Terms[slot].IsFree()) {
            reader.Fail(where + ", which is free");
        }
        if (!SearchFieldTag::IsField(search.Terms[slot].FieldTag)) {
            reader.Fail(where + ", whose field tag " + std::to_string(search.Terms[slot].FieldTag) +
                        " is unknown");
        }
    }
    return search;
}

void SaveSearchFile(const std::string& path, const std::vector<SearchTermRow>& rows,
                    const SearchTermTable& terms)
{
    SaveFileSafely(path, [&](ByteSink& sink) {
        ValueWriter writer(sink);
        WriteSavedSearch(writer, rows, terms);
        writer.Flush();
    });
}

SavedSearch LoadSearchFile(const std::string& path)
{
    FileSource source(path);
    ValueReader reader(source, source.Size());
    return ReadSavedSearch(reader);
}

}  // namespace quillmark
