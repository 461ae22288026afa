#pragma once

#include "core/database.h"
#include "core/item_record.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// A record as a command found it and as it left it. The record itself is shared with the list;
// only its two states are the history's own.
struct RecordChange {
    std::shared_ptr<ItemRecord> Record;
    ItemRecord Before;
    ItemRecord After;
};

// One command that can be taken back: what it changed, and what the windows showed around it.
struct HistoryStep {
    std::string Name;  // "Delete Record "Ann Lee"", "Sort by Name"
    std::vector<RecordChange> Changed;
    // The order of the records, kept only by a command that added, removed or moved some.
    std::optional<ItemRecordList> OrderBefore;
    std::optional<ItemRecordList> OrderAfter;
    // The database's captions, skill names, trees, information and passwords (no records), kept
    // only by a command that changed them.
    std::optional<Database> SettingsBefore;
    std::optional<Database> SettingsAfter;
    // The record on show; its position when the record is no longer in the list.
    std::shared_ptr<ItemRecord> ShownBefore;
    std::shared_ptr<ItemRecord> ShownAfter;
    int IndexBefore = -1;
    int IndexAfter = -1;
};

// The memory a step holds of its own: the copies and lists it keeps, not the shared records.
std::size_t StepBytes(const HistoryStep& step);

// The steps of Edit > Undo and Edit > Redo, oldest first, and whether the database differs from
// what was last saved.
class EditHistory {
public:
    static constexpr std::size_t MaxSteps = 100;
    static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

    // A command was done: the steps that could be redone are gone, the oldest go first once the
    // history holds too many or too much.
    void Add(HistoryStep step);
    // Edits of the record on show become one step per visit: the first store of a visit adds
    // it, later ones of the same visit extend it, until EndVisit.
    void AddVisit(HistoryStep step);
    void EndVisit() { visitOpen_ = false; }

    const HistoryStep* NextUndo() const;
    const HistoryStep* NextRedo() const;
    // Moves back or forward one step and hands it over to be applied; nothing when there is none.
    const HistoryStep* Undo();
    const HistoryStep* Redo();

    // A database opened or started anew: nothing to undo and nothing changed.
    void Clear();
    void MarkSaved();
    // A change made by a command that keeps no step: the database differs until the next save.
    void MarkChanged() { changedOutside_ = true; }
    bool Changed() const;

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t Bytes() const { return bytes_; }

private:
    void Trim();

    std::deque<HistoryStep> steps_;
    std::deque<std::size_t> stepBytes_;
    std::size_t done_ = 0;  // the steps before this position are done, the rest undone
    // The position of the last save; nothing once that state can no longer be reached.
    std::optional<std::size_t> saved_ = 0;
    bool changedOutside_ = false;
    bool visitOpen_ = false;
    std::size_t bytes_ = 0;
};

// The Edit menu's captions for the steps.
std::string UndoCaption(const EditHistory& history);
std::string RedoCaption(const EditHistory& history);

}  // namespace quillmark
