#include "db/entities/subentities.h"

#include <cstring>

#include "dbents.h"
#include "dbproxy.h"

namespace arx::db {

AcDbObjectIdArray subentityIdsOf(const AcDbEntity* entity)
{
    AcDbObjectIdArray ids;
    AcDbObjectId end;
    if (const auto* reference = AcDbBlockReference::cast(entity)) {
        ids = reference->attributeIds();
        end = reference->sequenceEndId();
    } else if (const auto* polyline2d = AcDb2dPolyline::cast(entity)) {
        ids = polyline2d->vertexIds();
        end = polyline2d->sequenceEndId();
    } else if (const auto* polyline3d = AcDb3dPolyline::cast(entity)) {
        ids = polyline3d->vertexIds();
        end = polyline3d->sequenceEndId();
    } else if (const auto* proxy = AcDbProxyEntity::cast(entity)) {
        return proxy->subentityIds();
    }
    if (!end.isNull()) ids.append(end);
    return ids;
}

bool mayOwnSubentities(const AcRxClass* cls)
{
    return cls != nullptr &&
           (cls->isDerivedFrom(AcDbBlockReference::desc()) || cls->isDerivedFrom(AcDb2dPolyline::desc()) ||
            cls->isDerivedFrom(AcDb3dPolyline::desc()) || cls->isDerivedFrom(AcDbProxyEntity::desc()));
}

bool adoptSubentity(AcDbEntity* head, AcDbObjectId id, bool isSequenceEnd)
{
    if (auto* reference = AcDbBlockReference::cast(head)) reference->adoptSubentity(id, isSequenceEnd);
    else if (auto* polyline2d = AcDb2dPolyline::cast(head)) polyline2d->adoptSubentity(id, isSequenceEnd);
    else if (auto* polyline3d = AcDb3dPolyline::cast(head)) polyline3d->adoptSubentity(id, isSequenceEnd);
    else if (auto* proxy = AcDbProxyEntity::cast(head)) proxy->adoptSubentity(id, isSequenceEnd);
    else return false;
    return true;
}

bool isSubentityType(const char* dxfName)
{
    return std::strcmp(dxfName, "VERTEX") == 0 || std::strcmp(dxfName, "ATTRIB") == 0 ||
           std::strcmp(dxfName, "SEQEND") == 0;
}

}  // namespace arx::db
