#include "db/handle_index.h"

#include <bit>
#include <utility>

namespace arx::db {

void HandleIndex::set(std::uint64_t handle, AcDbStub* stub)
{
    if (stub == nullptr) return erase(handle);
    if ((size_ + 1) * 8 > slots_.size() * 7) rehash(slots_.empty() ? 16 : slots_.size() * 2);
    for (std::size_t i = home(handle);; i = next(i)) {
        Slot& slot = slots_[i];
        if (slot.stub == nullptr) {
            slot = Slot{handle, stub};
            ++size_;
            return;
        }
        if (slot.handle == handle) {
            slot.stub = stub;
            return;
        }
    }
}

void HandleIndex::erase(std::uint64_t handle)
{
    if (slots_.empty()) return;
    std::size_t hole = home(handle);
    while (slots_[hole].stub != nullptr && slots_[hole].handle != handle) hole = next(hole);
    if (slots_[hole].stub == nullptr) return;
    // Entries of the run after the hole move back into it when their home lies at or before
    // the hole, so that every entry stays reachable from its home without tombstones.
    for (std::size_t i = next(hole); slots_[i].stub != nullptr; i = next(i)) {
        const std::size_t wanted = home(slots_[i].handle);
        const bool reachesHole = hole <= i ? (wanted <= hole || wanted > i) : (wanted <= hole && wanted > i);
        if (!reachesHole) continue;
        slots_[hole] = slots_[i];
        hole = i;
    }
    slots_[hole] = Slot{};
    --size_;
}

void HandleIndex::reserve(std::size_t count)
{
    std::size_t slotCount = slots_.empty() ? 16 : slots_.size();
    while (count * 8 > slotCount * 7) slotCount *= 2;
    if (slotCount != slots_.size()) rehash(slotCount);
}

void HandleIndex::rehash(std::size_t slotCount)
{
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    bits_ = static_cast<unsigned>(std::countr_zero(slotCount));
    size_ = 0;
    for (const Slot& slot : old)
        if (slot.stub != nullptr) place(slot.handle, slot.stub);
}

void HandleIndex::place(std::uint64_t handle, AcDbStub* stub)
{
    std::size_t i = home(handle);
    while (slots_[i].stub != nullptr) i = next(i);
    slots_[i] = Slot{handle, stub};
    ++size_;
}

}  // namespace arx::db
