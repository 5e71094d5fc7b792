// The common entity groups written back in the order a file gave them: arranging against a plain
// statement of the rule, over random modelled groups, orders and kept groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "db/entity_common_groups.h"

namespace {

using arx::db::CommonGroups;
using arx::db::DxfItem;
using arx::db::DxfItemList;

// The rule: for each code of the order, the first item of that code not written yet, modelled
// before kept; then the modelled items left, then the kept ones left, each in their own order.
DxfItemList arrangedByTheRule(const DxfItemList& modelled, const CommonGroups& groups)
{
    DxfItemList out;
    std::vector<bool> modelledDone(modelled.size()), keptDone(groups.kept.size());
    auto takeFirst = [&out](const DxfItemList& items, std::vector<bool>& done, short code) {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!done[i] && items[i].code == code) {
                done[i] = true;
                out.push_back(items[i]);
                return true;
            }
        return false;
    };
    for (short code : groups.order)
        if (!takeFirst(modelled, modelledDone, code)) takeFirst(groups.kept, keptDone, code);
    for (std::size_t i = 0; i < modelled.size(); ++i)
        if (!modelledDone[i]) out.push_back(modelled[i]);
    for (std::size_t i = 0; i < groups.kept.size(); ++i)
        if (!keptDone[i]) out.push_back(groups.kept[i]);
    return out;
}

TEST(CommonGroups, ArrangingFollowsTheOrderReadWhateverTheGroups)
{
    const short modelledCodes[] = {67, 8, 6, 62, 370, 48, 60};
    const short keptCodes[] = {420, 430, 440, 284, 62};
    std::mt19937 random(8122026);
    for (int round = 0; round < 5000; ++round) {
        DxfItemList modelled;
        for (short code : modelledCodes)
            if (random() % 2) modelled.push_back(DxfItem::makeInteger(code, static_cast<long long>(random() % 100)));
        CommonGroups groups;
        if (random() % 3 == 0)
            for (int i = static_cast<int>(random() % 3); i > 0; --i)
                groups.kept.push_back(
                    DxfItem::makeInteger(keptCodes[random() % 5], static_cast<long long>(random() % 100)));
        for (int i = static_cast<int>(random() % 9); i > 0; --i)
            groups.order.push_back(random() % 4 == 0 ? keptCodes[random() % 5] : modelledCodes[random() % 7]);
        if (random() % 4 == 0) {
            // The order of a file that wrote the modelled groups as they stand, the usual case.
            groups.order.clear();
            for (const DxfItem& item : modelled) groups.order.push_back(item.code);
        }
        const DxfItemList expected = arrangedByTheRule(modelled, groups);
        const DxfItemList arranged = arx::db::arrangeCommonGroups(modelled, groups);
        ASSERT_EQ(arranged.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_TRUE(arranged[i] == expected[i]) << "round " << round << ", item " << i;
    }
}

}  // namespace
