#include "db/dxf/carried_groups.h"

namespace arx::dxf {

void checkValue(const Group& group)
{
    const GroupType type = group.type();
    if (type == GroupType::Real) realValue(group);
    else if (isIntegerType(type)) integerValue(group);
}

void append(CarriedGroups& target, std::span<const Group> groups)
{
    target.reserve(target.size() + groups.size());
    for (const Group& group : groups) {
        checkValue(group);
        target.push_back(CarriedGroup{group.code, std::string(group.value)});
    }
}

CarriedGroups carry(std::span<const Group> groups)
{
    CarriedGroups result;
    append(result, groups);
    return result;
}

bool writeCarried(TextWriter& writer, const CarriedGroups& groups)
{
    for (const CarriedGroup& group : groups) {
        if (!writer.raw(group.code, group.value)) return false;
    }
    return true;
}

}  // namespace arx::dxf
