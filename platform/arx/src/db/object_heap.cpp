#include "db/object_heap.h"

#include <sys/mman.h>

#include <array>
#include <atomic>
#include <new>
#include <utility>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define ARX_OBJECT_HEAP_IS_PLAIN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ARX_OBJECT_HEAP_IS_PLAIN 1
#endif
#endif

namespace arx::db {

namespace {

#ifndef ARX_OBJECT_HEAP_IS_PLAIN

constexpr std::size_t kGrain = 16;      // sizes are rounded up to this
constexpr std::size_t kLargest = 2048;  // bigger objects come from the ordinary heap
constexpr std::size_t kBlock = 2u << 20;
#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14; older kernels refuse it, which is harmless
#endif

struct FreeRoom {
    FreeRoom* next;
};

// One heap for the process: objects move between databases (wblock, deep clone) and are
// deleted wherever their last owner is. A spin lock is enough: objects are made and deleted on
// the host's thread; another thread only prepares blocks ahead, holding the lock for a moment.
class ObjectHeap {
public:
    void* allocate(std::size_t size)
    {
        const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
        Lock lock(busy_);
        if (FreeRoom* room = free_[sizeClass]) {
            free_[sizeClass] = room->next;
            return room;
        }
        const std::size_t bytes = sizeClass * kGrain;
        if (static_cast<std::size_t>(end_ - next_) < bytes) {
            // What is left of the current block (less than the largest object) is not used.
            next_ = ready_ != nullptr ? std::exchange(ready_, nullptr) : mapBlock();
            end_ = next_ + kBlock;
        }
        void* memory = next_;
        next_ += bytes;
        return memory;
    }

    void release(void* memory, std::size_t size) noexcept
    {
        const std::size_t sizeClass = (size + kGrain - 1) / kGrain;
        Lock lock(busy_);
        FreeRoom* room = static_cast<FreeRoom*>(memory);
        room->next = free_[sizeClass];
        free_[sizeClass] = room;
    }

    // Maps and faults in the next block ahead of need, unless one is ready already.
    void prepare()
    {
        {
            Lock lock(busy_);
            if (ready_ != nullptr) return;
        }
        char* block = mapBlock();
        Lock lock(busy_);
        if (ready_ == nullptr) ready_ = block;
        else munmap(block, kBlock);  // another thread was quicker
    }

private:
    class Lock {
    public:
        explicit Lock(std::atomic_flag& flag) : flag_(flag)
        {
            while (flag_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        }
        ~Lock() { flag_.clear(std::memory_order_release); }

    private:
        std::atomic_flag& flag_;
    };

    // A block faulted in at once, rather than page by page as objects fill it. Ordinary pages:
    // a huge page would make the system clear 2 MB at a time, and on a virtual machine that
    // hands free memory back to its host, huge pages are the memory most often handed back,
    // whose first touch costs several times more.
    static char* mapBlock()
    {
        void* mapped = mmap(nullptr, kBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) throw std::bad_alloc();
        madvise(mapped, kBlock, MADV_POPULATE_WRITE);
        return static_cast<char*>(mapped);
    }

    std::array<FreeRoom*, kLargest / kGrain + 1> free_{};
    char* next_ = nullptr;
    char* end_ = nullptr;
    char* ready_ = nullptr;  // a block faulted in ahead of need
    std::atomic_flag busy_;
};

// Never destroyed: objects may be deleted by other static objects' destructors at exit.
ObjectHeap& theHeap()
{
    static ObjectHeap* heap = new ObjectHeap;
    return *heap;
}

#endif

}  // namespace

void* allocateObjectMemory(std::size_t size)
{
#ifndef ARX_OBJECT_HEAP_IS_PLAIN
    if (size <= kLargest) return theHeap().allocate(size);
#endif
    return ::operator new(size);
}

void prepareObjectMemory()
{
#ifndef ARX_OBJECT_HEAP_IS_PLAIN
    theHeap().prepare();
#endif
}

void releaseObjectMemory(void* memory, std::size_t size) noexcept
{
    if (memory == nullptr) return;
#ifndef ARX_OBJECT_HEAP_IS_PLAIN
    if (size <= kLargest) {
        theHeap().release(memory, size);
        return;
    }
#endif
    ::operator delete(memory);
}

}  // namespace arx::db
