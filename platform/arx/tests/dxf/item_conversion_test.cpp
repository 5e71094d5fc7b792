// Groups into database items: one list reused record after record gives exactly the items a
// fresh conversion gives, whatever the previous record left in it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/dxf/format_error.h"
#include "db/dxf/group_stream.h"
#include "db/dxf/item_conversion.h"
#include "db/dxf/tokenizer.h"

using namespace arx::dxf;
using arx::db::DxfItem;
using arx::db::DxfItemList;

namespace {

std::vector<Group> groupsOf(const std::string& text)
{
    Tokenizer tokens(text);
    std::vector<Group> groups;
    Group group;
    while (tokens.next(group)) groups.push_back(group);
    return groups;
}

AcDbObjectId noObject(std::uint64_t) { return AcDbObjectId(); }

TEST(ItemConversion, AReusedListGivesWhatAFreshConversionGives)
{
    // Records of every kind, long ones and short ones, so that each item of the reused list is
    // overwritten by items of other kinds and lengths: text after binary, reals after points,
    // 2D points after 3D ones.
    const std::vector<std::string> records = {
        "  1\na text long enough not to fit in place\n310\n0A0B0C0D\n 10\n1.5\n 20\n2.5\n 30\n3.5\n 70\n7\n",
        " 10\n4\n 20\n5\n 40\n0.25\n  1\nx\n",
        "310\nFF\n 62\n3\n330\n0\n 11\n-1\n 21\n-2\n 31\n-3\n 41\n9.75\n  3\nanother quite long piece of text\n",
        "  8\n0\n",
        "",
        " 90\n123456\n 40\n1e300\n 10\n0\n 20\n0\n",
    };
    arx::db::DxfItemList reused;
    for (int round = 0; round < 2; ++round) {
        for (const std::string& text : records) {
            const std::vector<Group> groups = groupsOf(text);
            assignItems(groups, noObject, reused);
            const arx::db::DxfItemList fresh = toItems(groups, noObject);
            ASSERT_EQ(reused.size(), fresh.size()) << text;
            for (std::size_t i = 0; i < fresh.size(); ++i) {
                EXPECT_TRUE(reused[i] == fresh[i]) << "item " << i << " of " << text;
                EXPECT_EQ(reused[i].dimensions, fresh[i].dimensions) << "item " << i << " of " << text;
                EXPECT_EQ(reused[i].precision, fresh[i].precision) << "item " << i << " of " << text;
                EXPECT_EQ(reused[i].text, fresh[i].text) << "item " << i << " of " << text;
                EXPECT_EQ(reused[i].binary, fresh[i].binary) << "item " << i << " of " << text;
            }
        }
    }
}

TEST(ItemConversion, AppendingKeepsWhatTheListHeld)
{
    arx::db::DxfItemList items;
    appendItems(groupsOf("  1\nfirst\n"), noObject, items);
    appendItems(groupsOf(" 40\n2.0\n 10\n1\n 20\n2\n"), noObject, items);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "first");
    EXPECT_EQ(items[1].real, 2.0);
    EXPECT_EQ(items[2].dimensions, 2);
}

TEST(ItemConversion, ABadValueIsRefusedWithItsLineWhereverTheListStands)
{
    arx::db::DxfItemList items;
    assignItems(groupsOf("  1\nsome text\n 40\n1\n"), noObject, items);
    try {
        assignItems(groupsOf("  1\nok\n 40\nnot a number\n"), noObject, items);
        FAIL() << "a bad real was accepted";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.line(), 4);
    }
    try {
        assignItems(groupsOf(" 10\n1\n 40\n2\n"), noObject, items);
        FAIL() << "a point without its Y was accepted";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.line(), 1);
    }
}

}  // namespace

TEST(ItemConversion, PreparedItemsExpandToTheReadersItems)
{
    // The groups of a record as a second thread sees them (numbers converted ahead).
    const std::string text = "  1\nname\n 10\n1.5\n 20\n-2\n 30\n3\n 11\n4\n 21\n5\n 40\n0.25\n 70\n-7\n"
                             "330\n1F\n310\nA0ff\n1071\n123456\n  3\na text longer than the short string room\n"
                             "330\n0\n 12\n6\n 22\n7\n";
    std::vector<Group> groups = groupsOf(text);
    for (Group& group : groups) convertNumber(group);
    const auto ids = [](std::uint64_t handle) { return AcDbObjectId(reinterpret_cast<AcDbStub*>(handle * 16)); };
    DxfItemList expected;
    appendItems(std::span<const Group>(groups).first(groups.size() - 2), ids, expected);

    std::vector<PreparedItem> prepared;
    for (std::size_t i = 0; i + 2 < groups.size();) {
        prepared.emplace_back();
        const std::size_t used = prepareItem(groups, i, prepared.back());
        ASSERT_GT(used, 0u) << "group " << i;
        i += used;
    }
    // Expanded into a list that held other items before (a reader reuses one list).
    DxfItemList items(20, DxfItem::makeText(1, "an earlier record's text"));
    ASSERT_TRUE(expandPreparedItems(prepared, ids, items));
    ASSERT_EQ(prepared.size(), expected.size());
    ASSERT_GE(items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(items[i] == expected[i]) << "item " << i;
    DxfItemList grown(2);
    ASSERT_TRUE(expandPreparedItems(prepared, ids, grown));
    EXPECT_TRUE(grown == expected);

    // A point whose Y is the last group given may have its Z after it: left to the reader.
    PreparedItem last;
    EXPECT_EQ(prepareItem(groups, groups.size() - 2, last), 0u);
    // So is an item the splitter could not prepare.
    prepared.back().kind = DxfItem::Kind::None;
    EXPECT_FALSE(expandPreparedItems(prepared, ids, items));
}

TEST(ItemConversion, WhatTheReaderRefusesIsNotPrepared)
{
    for (const char* text : {" 10\nabc\n 20\n1\n", " 10\n1\n 30\n1\n", " 70\n40000\n", " 70\n1.5\n", "330\nXYZ\n",
                             "310\nABC\n", "310\nZZ\n", " 40\n1e999\n"}) {
        const std::string source = text;  // the groups view it
        std::vector<Group> groups = groupsOf(source);
        for (Group& group : groups) convertNumber(group);
        PreparedItem item;
        if (groups[0].code == 310) {
            // A chunk's digits are decoded, and checked, as the reader expands it.
            ASSERT_EQ(prepareItem(groups, 0, item), 1u);
            DxfItemList expanded;
            EXPECT_FALSE(expandPreparedItems(std::span(&item, 1), nullptr, expanded)) << text;
        } else {
            EXPECT_EQ(prepareItem(groups, 0, item), 0u) << text;
        }
        DxfItemList items;
        EXPECT_THROW(appendItems(
                         groups, [](std::uint64_t) { return AcDbObjectId(); }, items),
                     FormatError)
            << text;
    }
}
