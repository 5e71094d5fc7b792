// The handle index against a plain map: random additions, replacements and removals, with
// handles that crowd into few slots so that removals have to shift runs across the array's end.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "db/handle_index.h"
#include "db/stub.h"

namespace {

using arx::db::HandleIndex;

void expectSameAs(const HandleIndex& index, const std::map<std::uint64_t, AcDbStub*>& model, std::uint64_t upTo)
{
    ASSERT_EQ(index.size(), model.size());
    for (std::uint64_t handle = 0; handle <= upTo; ++handle) {
        auto found = model.find(handle);
        ASSERT_EQ(index.find(handle), found == model.end() ? nullptr : found->second) << "handle " << handle;
    }
}

TEST(HandleIndex, AnEmptyIndexFindsNothingAndForgetsNothing)
{
    HandleIndex index;
    EXPECT_EQ(index.find(0), nullptr);
    EXPECT_EQ(index.find(0xFFFFFFFFFFFFFFFFull), nullptr);
    index.erase(7);
    EXPECT_EQ(index.size(), 0u);
}

TEST(HandleIndex, FollowsAMapThroughRandomChanges)
{
    std::mt19937_64 random(20261208);
    std::vector<AcDbStub> stubs(64);
    for (std::uint64_t range : {40ull, 300ull, 5000ull}) {
        HandleIndex index;
        std::map<std::uint64_t, AcDbStub*> model;
        for (int step = 0; step < 20000; ++step) {
            const std::uint64_t handle = random() % range;
            if (random() % 3 == 0) {
                index.erase(handle);
                model.erase(handle);
            } else {
                AcDbStub* stub = &stubs[random() % stubs.size()];
                index.set(handle, stub);
                model[handle] = stub;
            }
            if (step % 997 == 0) expectSameAs(index, model, range);
        }
        expectSameAs(index, model, range);
    }
}

TEST(HandleIndex, KeepsEveryEntryThroughGrowthAndReservation)
{
    HandleIndex index;
    std::vector<AcDbStub> stubs(3);
    std::map<std::uint64_t, AcDbStub*> model;
    index.reserve(10);
    // Consecutive handles, as a drawing has them, and handles far apart, as a damaged one may.
    for (std::uint64_t handle = 1; handle <= 20000; ++handle) {
        const std::uint64_t key = handle % 2 ? handle : handle << 40;
        index.set(key, &stubs[handle % 3]);
        model[key] = &stubs[handle % 3];
    }
    index.reserve(100000);
    ASSERT_EQ(index.size(), model.size());
    for (const auto& [handle, stub] : model) ASSERT_EQ(index.find(handle), stub);
    EXPECT_EQ(index.find(2), nullptr);
}

}  // namespace
