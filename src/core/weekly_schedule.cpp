#include "core/weekly_schedule.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace quillmark {

namespace {

std::uint8_t SlotKey(int day, int slot)
{
    if (day < 1 || day > WeeklySchedule::Days || slot < 1 || slot > WeeklySchedule::Slots) {
        throw std::out_of_range("schedule day or slot out of range");
    }
    return static_cast<std::uint8_t>((day - 1) * WeeklySchedule::Slots + (slot - 1));
}

}  // namespace

const WeeklySchedule::FilledSlot* WeeklySchedule::Find(int day, int slot) const
{
    const std::uint8_t key = SlotKey(day, slot);
    auto found = std::lower_bound(slots_.begin(), slots_.end(), key,
                                  [](const FilledSlot& s, std::uint8_t k) { return s.key < k; });
    return found != slots_.end() && found->key == key ? &*found : nullptr;
}

std::uint64_t WeeklySchedule::StartBits(int day, int slot) const
{
    const FilledSlot* found = Find(day, slot);
    return found ? found->start : 0;
}

std::uint64_t WeeklySchedule::EndBits(int day, int slot) const
{
    const FilledSlot* found = Find(day, slot);
    return found ? found->end : 0;
}

double WeeklySchedule::ScheduleStart(int day, int slot) const
{
    return std::bit_cast<double>(StartBits(day, slot));
}

double WeeklySchedule::ScheduleEnd(int day, int slot) const
{
    return std::bit_cast<double>(EndBits(day, slot));
}

void WeeklySchedule::SetScheduleStart(int day, int slot, double start)
{
    SetBits(day, slot, std::bit_cast<std::uint64_t>(start), EndBits(day, slot));
}

void WeeklySchedule::SetScheduleEnd(int day, int slot, double end)
{
    SetBits(day, slot, StartBits(day, slot), std::bit_cast<std::uint64_t>(end));
}

void WeeklySchedule::SetBits(int day, int slot, std::uint64_t startBits, std::uint64_t endBits)
{
    const std::uint8_t key = SlotKey(day, slot);
    // A week filled from a file comes in order.
    if ((slots_.empty() || slots_.back().key < key) && (startBits != 0 || endBits != 0)) {
        slots_.push_back(FilledSlot{key, startBits, endBits});
        return;
    }
    auto found = std::lower_bound(slots_.begin(), slots_.end(), key,
                                  [](const FilledSlot& s, std::uint8_t k) { return s.key < k; });
    const bool present = found != slots_.end() && found->key == key;
    if (startBits == 0 && endBits == 0) {
        if (present) {
            slots_.erase(found);
        }
        return;
    }
    if (present) {
        found->start = startBits;
        found->end = endBits;
    } else {
        slots_.insert(found, FilledSlot{key, startBits, endBits});
    }
}

}  // namespace quillmark
