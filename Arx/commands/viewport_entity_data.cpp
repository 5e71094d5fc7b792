// What the make command reads from a viewport's entity data: its layout and its clip boundary.
#include "acdbads_db.h"
#include "commands/creation_parts.h"

namespace kestra {

namespace {

ResultBufferHolder entityData(AcDbObjectId id)
{
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return nullptr;
    return ResultBufferHolder(acdbEntGet(name));
}

}  // namespace

std::string layoutNameOf(AcDbObjectId viewportId)
{
    ResultBufferHolder data = entityData(viewportId);
    for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext)
        if (item->restype == 410 && item->resval.rstring != nullptr) return item->resval.rstring;
    return std::string();
}

AcDbObjectId clipBoundaryOf(AcDbObjectId viewportId)
{
    ResultBufferHolder data = entityData(viewportId);
    AcDbObjectId boundary;
    for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext) {
        AcDbObjectId id;
        if (item->restype == 340 && acdbGetObjectId(id, item->resval.rlname) == Acad::eOk) boundary = id;
    }
    return boundary;
}

}  // namespace kestra
