// AcDbDictionaryWithDefault and AcDbPlaceHolder: the plot style name dictionary of a drawing
// and its "Normal" entry.
#include "dbdict.h"

#include "db/class_registration.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbDictionaryWithDefault, AcDbDictionary, 0, 0, 0, ACDBDICTIONARYWDFLT, ObjectDBX Classes)
ACRX_DXF_DEFINE_MEMBERS(AcDbPlaceHolder, AcDbObject, 0, 0, 0, ACDBPLACEHOLDER, ObjectDBX Classes)

namespace {

void registerClasses()
{
    AcDbDictionaryWithDefault::rxInit();
    AcDbPlaceHolder::rxInit();
}

const bool registered = arx::db::addClassInitializer(&registerClasses);

}  // namespace

AcDbDictionaryWithDefault::AcDbDictionaryWithDefault() = default;
AcDbDictionaryWithDefault::~AcDbDictionaryWithDefault() = default;

Acad::ErrorStatus AcDbDictionaryWithDefault::setDefaultId(const AcDbObjectId& newId)
{
    assertWriteEnabled();
    mDefault = newId;
    return Acad::eOk;
}

AcDbObjectId AcDbDictionaryWithDefault::defaultId() const
{
    assertReadEnabled();
    return mDefault;
}

Acad::ErrorStatus AcDbDictionaryWithDefault::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbDictionary::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeHardPointerId(mDefault);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionaryWithDefault::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbDictionary::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId id;
    if (pFiler->readHardPointerId(&id) == Acad::eOk) mDefault = id;
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionaryWithDefault::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbDictionary::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbDictionaryWithDefault");
    pFiler->writeObjectId(AcDb::kDxfHardPointerId, mDefault);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionaryWithDefault::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbDictionary::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbDictionaryWithDefault")) return Acad::eBadDxfSequence;
    resbuf rb;
    while (!pFiler->atExtendedData() && pFiler->readItem(&rb) == Acad::eOk) {
        if (rb.restype != AcDb::kDxfHardPointerId) {
            pFiler->pushBackItem();
            break;
        }
        AcDbObjectId id;
        id.setFromOldId(rb.resval.rlname[0]);
        mDefault = id;
    }
    return pFiler->filerStatus();
}

AcDbPlaceHolder::AcDbPlaceHolder() = default;
AcDbPlaceHolder::~AcDbPlaceHolder() = default;
