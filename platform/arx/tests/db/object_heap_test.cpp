// The object heap: every live allocation has room of its own (whatever mix of sizes is made
// and deleted), freed room is used again, and objects of any class, including large ones of an
// application, are made and deleted through it.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "dbents.h"
#include "db/object_heap.h"

namespace {

using arx::db::allocateObjectMemory;
using arx::db::releaseObjectMemory;

struct Allocation {
    unsigned char* memory;
    std::size_t size;
    unsigned char fill;
};

void expectIntact(const Allocation& a)
{
    for (std::size_t i = 0; i < a.size; ++i)
        if (a.memory[i] != a.fill) FAIL() << "an allocation of " << a.size << " bytes was overwritten at " << i;
}

TEST(ObjectHeap, LiveAllocationsNeverShareRoomThroughRandomMakesAndDeletes)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> size(1, 3000);  // beyond the largest pooled size too
    std::vector<Allocation> live;
    for (int step = 0; step < 60000; ++step) {
        if (!live.empty() && random() % 3 == 0) {
            const std::size_t victim = random() % live.size();
            expectIntact(live[victim]);
            releaseObjectMemory(live[victim].memory, live[victim].size);
            live[victim] = live.back();
            live.pop_back();
            continue;
        }
        const std::size_t bytes = size(random);
        Allocation made{static_cast<unsigned char*>(allocateObjectMemory(bytes)), bytes,
                        static_cast<unsigned char>(step)};
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(made.memory) % 16, 0u);
        std::memset(made.memory, made.fill, bytes);
        live.push_back(made);
    }
    for (const Allocation& a : live) {
        expectIntact(a);
        releaseObjectMemory(a.memory, a.size);
    }
}

class LargeEntity : public AcDbLine {
public:
    unsigned char payload[5000] = {};
};

TEST(ObjectHeap, ObjectsOfEveryClassAreMadeAndDeletedThroughIt)
{
    std::vector<AcDbObject*> made;
    for (int i = 0; i < 1000; ++i) {
        made.push_back(new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0)));
        made.push_back(new AcDbCircle(AcGePoint3d(0, i, 0), AcGeVector3d::kZAxis, 1 + i));
        auto* large = new LargeEntity;
        large->payload[4999] = static_cast<unsigned char>(i);
        made.push_back(large);
    }
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(AcDbLine::cast(made[3 * i])->startPoint().x, i);
        EXPECT_EQ(AcDbCircle::cast(made[3 * i + 1])->radius(), 1 + i);
        EXPECT_EQ(static_cast<LargeEntity*>(made[3 * i + 2])->payload[4999], static_cast<unsigned char>(i));
    }
    for (AcDbObject* object : made) delete object;
}

}  // namespace
