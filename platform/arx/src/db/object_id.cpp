// AcDbObjectId: what an id tells about its object.
#include "dbmain.h"
#include "db/stub.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return mId != nullptr && mId->object != nullptr; }

bool AcDbObjectId::isErased() const { return mId != nullptr && (mId->erased || mId->unappended); }

AcDbHandle AcDbObjectId::handle() const { return mId ? AcDbHandle(mId->handle) : AcDbHandle(); }

AcDbDatabase* AcDbObjectId::database() const { return mId ? mId->database : nullptr; }

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId)
{
    objName[0] = objName[1] = 0;
    if (objId.isNull()) return Acad::eNullObjectId;
    objName[0] = objId.asOldId();
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName)
{
    objId.setNull();
    if (objName == nullptr || objName[0] == 0) return Acad::eInvalidAdsName;
    objId.setFromOldId(objName[0]);
    return Acad::eOk;
}
