// The common entity groups written back in the order a file gave them: arranging and writing
// against a plain statement of the rule, over random modelled groups, orders and kept groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "db/dxf/item_conversion.h"
#include "db/dxf/text_dxf_filer.h"
#include "db/dxf/text_writer.h"
#include "db/dxf_item_filer.h"
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

// Writing the modelled groups (texts, integers, a real) to a filer gives the items the rule
// arranges, whether they go straight out (nothing to rearrange) or through the list: to a
// list filer item for item, to the file filer text for text.
TEST(CommonGroups, WritingGivesTheArrangedGroupsStraightOrThroughTheList)
{
    struct Modelled {
        short code;
        DxfItem::Kind kind;
    };
    const Modelled candidates[] = {{67, DxfItem::Kind::Integer},  {8, DxfItem::Kind::Text},
                                   {6, DxfItem::Kind::Text},      {62, DxfItem::Kind::Integer},
                                   {370, DxfItem::Kind::Integer}, {48, DxfItem::Kind::Real},
                                   {60, DxfItem::Kind::Integer}};
    const char* const names[] = {"0", "Walls", "A layer name longer than the small-string room", "DASHED"};
    const short keptCodes[] = {420, 440, 284, 92};  // integer codes
    std::mt19937 random(20261208);
    int straight = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<arx::db::ModelledGroup> modelled;
        DxfItemList modelledItems;
        for (const Modelled& candidate : candidates) {
            if (random() % 3 == 0) continue;
            arx::db::ModelledGroup group;
            group.code = candidate.code;
            group.kind = candidate.kind;
            group.text = names[random() % 4];
            group.integer = static_cast<long long>(random() % 256);
            group.real = 0.25 * static_cast<double>(random() % 100);
            modelled.push_back(group);
            modelledItems.push_back(candidate.kind == DxfItem::Kind::Text ? DxfItem::makeText(group.code, group.text)
                                    : candidate.kind == DxfItem::Kind::Integer
                                        ? DxfItem::makeInteger(group.code, group.integer)
                                        : DxfItem::makeReal(group.code, group.real));
        }
        CommonGroups groups;
        if (random() % 4 == 0) groups.kept.push_back(DxfItem::makeInteger(keptCodes[random() % 4], 7));
        if (random() % 2 == 0) {
            for (const DxfItem& item : modelledItems) groups.order.push_back(item.code);
        } else {
            for (int i = static_cast<int>(random() % 8); i > 0; --i)
                groups.order.push_back(random() % 4 == 0 ? keptCodes[random() % 4] : candidates[random() % 7].code);
        }
        const DxfItemList expected = arrangedByTheRule(modelledItems, groups);
        straight += expected == modelledItems && groups.kept.empty();

        arx::db::DxfItemFiler list(AcDb::kFileFiler, nullptr);
        ASSERT_EQ(arx::db::writeCommonGroups(&list, modelled.data(), modelled.size(), groups), Acad::eOk);
        const DxfItemList written = list.takeItems();
        ASSERT_EQ(written.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_TRUE(written[i] == expected[i]) << "round " << round << ", item " << i;

        arx::dxf::TextWriter text, expectedText;
        arx::dxf::TextDxfFiler file(nullptr, text);
        ASSERT_EQ(arx::db::writeCommonGroups(&file, modelled.data(), modelled.size(), groups), Acad::eOk);
        arx::dxf::writeItems(expectedText, expected);
        ASSERT_EQ(text.text(), expectedText.text()) << "round " << round;
    }
    EXPECT_GT(straight, 1000);  // both ways were taken
    EXPECT_LT(straight, 2500);
}

}  // namespace
