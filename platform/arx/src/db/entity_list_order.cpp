#include "db/entity_list_order.h"

#include <strings.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace arx::db {
namespace {

struct SubclassCodes {
    const char* subclass;
    std::initializer_list<int> codes;
};

// The groups each built-in subclass reads that its dxfOut may leave out.
const SubclassCodes kSubclassCodes[] = {
    {"AcDbEntity", {67, 410, 8, 6, 62, 370, 48, 60, 347, 348, 390, 420, 430, 440, 284, 92, 160, 310}},
    {"AcDbLine", {10, 11, 39, 210}},
    {"AcDbCircle", {10, 40, 39, 210}},
    {"AcDbArc", {50, 51}},
    {"AcDbPolyline", {90, 70, 43, 38, 39, 10, 40, 41, 42, 91, 210}},
    {"AcDbBlockReference", {66, 2, 10, 41, 42, 43, 50, 70, 71, 44, 45, 210}},
    {"AcDbViewport", {331, 340, 345, 346, 1, 332, 333, 348, 361, 335, 343, 344, 91}},
};

bool readsCode(const std::string& subclass, int code)
{
    for (const SubclassCodes& entry : kSubclassCodes)
        if (strcasecmp(entry.subclass, subclass.c_str()) == 0)
            return std::find(entry.codes.begin(), entry.codes.end(), code) != entry.codes.end();
    return false;
}

struct Section {
    DxfItemList items;  // the 100 group first
    DxfItemList added;
};

}  // namespace

bool hasSubclassMarkers(const DxfItemList& given)
{
    return std::any_of(given.begin(), given.end(), [](const DxfItem& item) { return item.code == AcDb::kDxfSubclass; });
}

DxfItemList placeListGroups(const DxfItemList& current, const DxfItemList& given)
{
    std::vector<Section> sections;
    for (const DxfItem& item : current) {
        if (item.code == AcDb::kDxfSubclass) sections.emplace_back();
        if (!sections.empty()) sections.back().items.push_back(item);
    }
    if (sections.empty()) return given;
    std::vector<std::vector<bool>> replaced;
    for (const Section& section : sections) replaced.emplace_back(section.items.size(), false);
    for (const DxfItem& item : given) {
        bool placed = false;
        for (std::size_t s = 0; s < sections.size() && !placed; ++s)
            for (std::size_t i = 1; i < sections[s].items.size() && !placed; ++i)
                if (!replaced[s][i] && sections[s].items[i].code == item.code) {
                    sections[s].items[i] = item;
                    replaced[s][i] = placed = true;
                }
        for (std::size_t s = 0; s < sections.size() && !placed; ++s)
            if (readsCode(sections[s].items.front().text, item.code)) {
                sections[s].added.push_back(item);
                placed = true;
            }
        if (!placed) sections.back().added.push_back(item);
    }
    DxfItemList out;
    for (Section& section : sections) {
        out.insert(out.end(), section.items.begin(), section.items.end());
        out.insert(out.end(), section.added.begin(), section.added.end());
    }
    return out;
}

}  // namespace arx::db
