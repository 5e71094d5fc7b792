#include "db/dxf/group_code.h"

#include <array>

namespace arx::dxf {
namespace {

struct Range {
    int first;
    int last;
    GroupType type;
};

// The group code ranges of the DXF reference. Codes below 1100 are looked up in a table
// built from these once.
constexpr Range kRanges[] = {
    {0, 4, GroupType::String},       {5, 5, GroupType::Handle},       {6, 9, GroupType::String},
    {10, 59, GroupType::Real},       {60, 79, GroupType::Int16},      {90, 99, GroupType::Int32},
    {100, 102, GroupType::String},   {105, 105, GroupType::Handle},   {110, 149, GroupType::Real},
    {160, 169, GroupType::Int64},    {170, 179, GroupType::Int16},    {210, 239, GroupType::Real},
    {270, 289, GroupType::Int16},    {290, 299, GroupType::Bool},     {300, 309, GroupType::String},
    {310, 319, GroupType::Binary},   {320, 329, GroupType::Handle},   {330, 369, GroupType::ObjectId},
    {370, 389, GroupType::Int16},    {390, 399, GroupType::Handle},   {400, 409, GroupType::Int16},
    {410, 419, GroupType::String},   {420, 429, GroupType::Int32},    {430, 439, GroupType::String},
    {440, 459, GroupType::Int32},    {460, 469, GroupType::Real},     {470, 479, GroupType::String},
    {480, 481, GroupType::Handle},   {999, 999, GroupType::String},   {1000, 1003, GroupType::String},
    {1004, 1004, GroupType::Binary}, {1005, 1005, GroupType::Handle}, {1006, 1009, GroupType::String},
    {1010, 1059, GroupType::Real},   {1060, 1070, GroupType::Int16},  {1071, 1071, GroupType::Int32},
};

constexpr int kTableSize = 1072;

constexpr std::array<GroupType, kTableSize> buildTable()
{
    std::array<GroupType, kTableSize> table{};
    for (auto& entry : table) entry = GroupType::Invalid;
    for (const Range& range : kRanges)
        for (int code = range.first; code <= range.last; ++code) table[code] = range.type;
    return table;
}

constexpr std::array<GroupType, kTableSize> kTable = buildTable();

}  // namespace

GroupType groupTypeOf(int code)
{
    if (code < 0 || code >= kTableSize) return GroupType::Invalid;
    return kTable[code];
}

bool isPointXCode(int code)
{
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 || (code >= 1010 && code <= 1013);
}

}  // namespace arx::dxf
