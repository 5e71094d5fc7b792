// AcDbXrecord: data as DXF groups.
#include "dbxrecrd.h"

#include "acutads.h"
#include "db/enum_values.h"
#include "db/carried_items.h"
#include "db/item_filing.h"
#include "db/resbuf_items.h"

struct AcDbXrecord::Data {
    arx::db::DxfItemList items;
    bool xlate = true;
    AcDb::DuplicateRecordCloning merge = AcDb::kDrcIgnore;
};

namespace {

// Groups an xrecord cannot hold: handles, subclass markers, entity names and the start of
// extended data. Control strings (102) and codes of the extended-data range are data here:
// other programs keep round-trip records in them.
bool xrecordHolds(int code)
{
    if (code <= 0 || code == 5 || code == 100 || code == 105) return false;
    if (code == 1001 || code > 1071) return false;
    return arx::db::kindOfCode(code) != arx::db::DxfItem::Kind::None;
}

}  // namespace

ACRX_DEFINE_MEMBERS_COMMON(AcDbXrecord)
static AcRxObject* makeAcDbXrecord() { return new AcDbXrecord(); }
void AcDbXrecord::rxInit()
{
    gpDesc = newAcRxClass("AcDbXrecord", "AcDbObject", 0, 0, 0, makeAcDbXrecord, "XRECORD", "");
}

AcDbXrecord::AcDbXrecord() : mpData(new Data) {}
AcDbXrecord::~AcDbXrecord() { delete mpData; }

Acad::ErrorStatus AcDbXrecord::rbChain(resbuf** ppRb, AcDbDatabase*) const
{
    assertReadEnabled();
    if (ppRb == nullptr) return Acad::eInvalidInput;
    bool ok = true;
    *ppRb = arx::db::chainFromItems(mpData->items, ok);
    return ok ? Acad::eOk : Acad::eOutOfMemory;
}

Acad::ErrorStatus AcDbXrecord::setFromRbChain(const resbuf& pRb, AcDbDatabase*)
{
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    for (const resbuf* rb = &pRb; rb != nullptr; rb = rb->rbnext)
        if (!xrecordHolds(rb->restype)) return Acad::eInvalidInput;
    arx::db::DxfItemList items;
    if (!arx::db::itemsFromChain(&pRb, items)) return Acad::eInvalidResBuf;
    assertWriteEnabled();
    mpData->items = std::move(items);
    return Acad::eOk;
}

bool AcDbXrecord::isXlateReferences() const { return mpData->xlate; }

void AcDbXrecord::setXlateReferences(bool translate)
{
    assertWriteEnabled();
    mpData->xlate = translate;
}

AcDb::DuplicateRecordCloning AcDbXrecord::mergeStyle() const { return mpData->merge; }

void AcDbXrecord::setMergeStyle(AcDb::DuplicateRecordCloning style)
{
    assertWriteEnabled();
    mpData->merge = style;
}

Acad::ErrorStatus AcDbXrecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    arx::db::writeItems(pFiler, mpData->items);
    pFiler->writeBool(mpData->xlate);
    pFiler->writeInt16(static_cast<Adesk::Int16>(mpData->merge));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    arx::db::DxfItemList items;
    es = arx::db::readItems(pFiler, items);
    if (es != Acad::eOk) return es;
    bool xlate = true;
    Adesk::Int16 merge = 0;
    if (pFiler->readBool(&xlate) != Acad::eOk || pFiler->readInt16(&merge) != Acad::eOk) return pFiler->filerStatus();
    mpData->items = std::move(items);
    mpData->xlate = xlate;
    mpData->merge = arx::db::mergeStyleOf(merge, mpData->merge);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbXrecord");
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(280), static_cast<Adesk::Int16>(mpData->merge));
    for (const auto& item : mpData->items) arx::db::writeItemTo(pFiler, item);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbXrecord")) return Acad::eBadDxfSequence;
    arx::db::DxfItemList items;
    arx::db::DxfItem item;
    bool first = true;
    while (!pFiler->atExtendedData() && arx::db::readRawItem(pFiler, item)) {
        if (first && item.code == 280) {
            mpData->merge = arx::db::mergeStyleOf(item.integer, mpData->merge);
            first = false;
            continue;
        }
        first = false;
        if (!xrecordHolds(item.code)) continue;
        items.push_back(item);
    }
    mpData->items = std::move(items);
    return pFiler->filerStatus();
}
