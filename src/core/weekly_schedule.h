#pragma once

#include <cstdint>
#include <vector>

namespace quillmark {

// A record's weekly schedule: for day 1..7 (Sunday..Saturday) and slot 1..10, a start and an
// end time of day as a fraction of a day; a start of 0 marks an empty slot. Only slots that hold
// something are kept, so an empty week costs nothing. Values are kept as their exact bit
// patterns: whatever a file holds is written back unchanged.
class WeeklySchedule {
public:
    static constexpr int Days = 7;
    static constexpr int Slots = 10;

    double ScheduleStart(int day, int slot) const;
    double ScheduleEnd(int day, int slot) const;
    void SetScheduleStart(int day, int slot, double start);
    void SetScheduleEnd(int day, int slot, double end);

    // Raw 64-bit patterns, for the file and the JSON dump.
    std::uint64_t StartBits(int day, int slot) const;
    std::uint64_t EndBits(int day, int slot) const;
    void SetBits(int day, int slot, std::uint64_t startBits, std::uint64_t endBits);

    bool IsEmpty() const { return slots_.empty(); }
    // Where the filled slots are kept: for asking the processor for them before they are read.
    const void* Storage() const { return slots_.data(); }
    // Empties every slot, keeping the memory for filling the week again.
    void Clear() { slots_.clear(); }
    // Calls visit(day, slot, startBits, endBits) for each slot that holds something, by day and
    // slot: what walks the whole week need not look up all 70 slots.
    template <typename Visitor>
    void VisitFilledSlots(Visitor&& visit) const
    {
        for (const FilledSlot& filled : slots_) {
            visit(filled.key / Slots + 1, filled.key % Slots + 1, filled.start, filled.end);
        }
    }
    bool operator==(const WeeklySchedule&) const = default;

private:
    struct FilledSlot {
        std::uint8_t key = 0;  // (day - 1) * Slots + (slot - 1)
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        bool operator==(const FilledSlot&) const = default;
    };

    const FilledSlot* Find(int day, int slot) const;

    std::vector<FilledSlot> slots_;  // ordered by key
};

}  // namespace quillmark
