// The stubs of a database by handle. Open addressing in one array (linear probing, removal by
// shifting the run back, no tombstones): a lookup touches one or two cache lines, and adding an
// object allocates nothing but the occasional doubling. A drawing file adds hundreds of
// thousands of objects, so a node per entry (what a standard unordered map makes) would cost as
// much as the objects themselves, twice: once to make it and once to free it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class AcDbStub;

namespace arx::db {

class HandleIndex {
public:
    // The stub of a handle, or null.
    AcDbStub* find(std::uint64_t handle) const
    {
        if (slots_.empty()) return nullptr;
        for (std::size_t i = home(handle);; i = next(i)) {
            const Slot& slot = slots_[i];
            if (slot.stub == nullptr) return nullptr;
            if (slot.handle == handle) return slot.stub;
        }
    }
    bool contains(std::uint64_t handle) const { return find(handle) != nullptr; }

    // Sets the stub of a handle (adding or replacing).
    void set(std::uint64_t handle, AcDbStub* stub);
    // Forgets a handle; nothing when it has no stub.
    void erase(std::uint64_t handle);
    // Room for `count` entries without growing.
    void reserve(std::size_t count);
    std::size_t size() const { return size_; }

private:
    struct Slot {
        std::uint64_t handle = 0;
        AcDbStub* stub = nullptr;  // null: the slot is free
    };

    std::size_t home(std::uint64_t handle) const
    {
        // A drawing's handles are mostly consecutive: below the table's size a handle is its own
        // home, so neighbours share cache lines; the bits above are scattered over it (Fibonacci
        // hashing), so that handles far apart do not pile up in a few slots.
        const std::uint64_t high = handle >> bits_;
        return static_cast<std::size_t>((handle ^ (high * 0x9E3779B97F4A7C15ull >> (64 - bits_))) &
                                        (slots_.size() - 1));
    }
    std::size_t next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }
    void rehash(std::size_t slotCount);
    void place(std::uint64_t handle, AcDbStub* stub);

    std::vector<Slot> slots_;  // a power of two in size, at most 7/8 full
    std::size_t size_ = 0;
    unsigned bits_ = 0;  // log2 of the slot count
};

}  // namespace arx::db
