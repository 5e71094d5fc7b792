#include "properties/edit_round.h"

#include <algorithm>

#include "acedads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "shell/selection_set.h"

namespace kestra {

bool EditRound::serves(AcDbObjectId id) const
{
    return std::find(objects_.begin(), objects_.end(), id) != objects_.end();
}

void EditRound::begin(std::vector<AcDbObjectId> objects, EditValue value)
{
    objects_ = std::move(objects);
    value_ = value;
}

void EditRound::served(AcDbObjectId id)
{
    auto found = std::find(objects_.begin(), objects_.end(), id);
    if (found != objects_.end()) objects_.erase(found);
}

std::vector<AcDbObjectId> pickFirstObjects()
{
    std::vector<AcDbObjectId> objects;
    SelectionSet set;
    if (acedSSGet("_I", nullptr, nullptr, nullptr, set.name) != RTNORM) return objects;
    set.owned = true;
    long length = 0;
    if (acedSSLength(set.name, &length) != RTNORM) return objects;
    for (long i = 0; i < length; ++i) {
        ads_name member = {0, 0};
        AcDbObjectId id;
        if (acedSSName(set.name, i, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk)
            objects.push_back(id);
    }
    return objects;
}

}  // namespace kestra
