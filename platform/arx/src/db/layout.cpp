// AcDbPlotSettings and AcDbLayout.
#include "dblayout.h"

#include <strings.h>

#include <cstring>
#include <string>

#include "dbdict.h"
#include "dbsymtb.h"
#include "db/carried_items.h"
#include "db/item_filing.h"
#include "db/object_state.h"
#include "db/structure_generation.h"

using arx::db::DxfItem;

namespace {

constexpr int kModelTypeFlag = 1024;

// Reads the groups of one subclass (up to the next subclass marker or the extended data).
template <class Handle>
void readSubclassGroups(AcDbDxfFiler* filer, Handle handle)
{
    DxfItem item;
    while (!filer->atExtendedData()) {
        if (!arx::db::readRawItem(filer, item)) break;
        if (item.code == AcDb::kDxfSubclass) {
            filer->pushBackItem();
            break;
        }
        handle(item);
    }
}

// The plot settings of a new layout, as the host writes them for the "none" device.
arx::db::DxfItemList defaultPlotGroups(bool modelType)
{
    using arx::db::DxfItem;
    arx::db::DxfItemList items = {
        DxfItem::makeText(2, "none_device"),
        DxfItem::makeText(4, ""),
        DxfItem::makeText(6, ""),
        DxfItem::makeReal(40, 0.0),
        DxfItem::makeReal(41, 0.0),
        DxfItem::makeReal(42, 0.0),
        DxfItem::makeReal(43, 0.0),
        DxfItem::makeReal(44, 0.0),
        DxfItem::makeReal(45, 0.0),
        DxfItem::makeReal(46, 0.0),
        DxfItem::makeReal(47, 0.0),
        DxfItem::makeReal(48, 0.0),
        DxfItem::makeReal(49, 0.0),
        DxfItem::makeReal(140, 0.0),
        DxfItem::makeReal(141, 0.0),
        DxfItem::makeReal(142, 1.0),
        DxfItem::makeReal(143, 1.0),
        DxfItem::makeInteger(70, modelType ? 688 | kModelTypeFlag : 688),
        DxfItem::makeInteger(72, 0),
        DxfItem::makeInteger(73, 0),
        DxfItem::makeInteger(74, 5),
        DxfItem::makeText(7, ""),
        DxfItem::makeInteger(75, 16),
        DxfItem::makeReal(147, 1.0),
        DxfItem::makeReal(148, 0.0),
        DxfItem::makeReal(149, 0.0),
    };
    return items;
}

}  // namespace

// ---- AcDbPlotSettings ----------------------------------------------------------------------

struct AcDbPlotSettings::Data {
    std::string name;
    arx::db::CarriedItems groups;
};

ACRX_DEFINE_MEMBERS_COMMON(AcDbPlotSettings)
static AcRxObject* makeAcDbPlotSettings() { return new AcDbPlotSettings(); }
void AcDbPlotSettings::rxInit()
{
    gpDesc = newAcRxClass("AcDbPlotSettings", "AcDbObject", 0, 0, 0, makeAcDbPlotSettings, "PLOTSETTINGS", "");
}

AcDbPlotSettings::AcDbPlotSettings() : AcDbPlotSettings(false) {}

AcDbPlotSettings::AcDbPlotSettings(bool modelType) : mpData(new Data)
{
    mpData->groups.items = defaultPlotGroups(modelType);
}

AcDbPlotSettings::~AcDbPlotSettings() { delete mpData; }

Acad::ErrorStatus AcDbPlotSettings::getPlotSettingsName(const char*& plotSettingsName) const
{
    plotSettingsName = mpData->name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::setPlotSettingsName(const char* plotSettingsName)
{
    assertWriteEnabled();
    mpData->name = plotSettingsName ? plotSettingsName : "";
    return Acad::eOk;
}

bool AcDbPlotSettings::modelType() const
{
    for (const DxfItem& item : mpData->groups.items)
        if (item.code == 70) return (item.integer & kModelTypeFlag) != 0;
    return false;
}

void AcDbPlotSettings::setModelType(bool modelType)
{
    assertWriteEnabled();
    for (DxfItem& item : mpData->groups.items) {
        if (item.code == 70) {
            item.integer = modelType ? (item.integer | kModelTypeFlag) : (item.integer & ~kModelTypeFlag);
            return;
        }
    }
    mpData->groups.items.push_back(DxfItem::makeInteger(70, modelType ? kModelTypeFlag : 0));
}

Acad::ErrorStatus AcDbPlotSettings::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(mpData->name.c_str());
    arx::db::writeItems(pFiler, mpData->groups.items);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    char* name = nullptr;
    if (pFiler->readString(&name) != Acad::eOk) return pFiler->filerStatus();
    mpData->name = name;
    delete[] name;
    return arx::db::readItems(pFiler, mpData->groups.items);
}

Acad::ErrorStatus AcDbPlotSettings::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbPlotSettings");
    pFiler->writeString(AcDb::kDxfText, mpData->name.c_str());
    arx::db::writeCarried(pFiler, mpData->groups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbPlotSettings")) return Acad::eBadDxfSequence;
    arx::db::DxfItemList groups;
    bool haveName = false;
    readSubclassGroups(pFiler, [&](const DxfItem& item) {
        if (item.code == 1 && !haveName) {
            mpData->name = item.text;
            haveName = true;
        } else {
            groups.push_back(item);
        }
    });
    mpData->groups.items = std::move(groups);
    return pFiler->filerStatus();
}

// ---- AcDbLayout ----------------------------------------------------------------------------

struct AcDbLayout::Data {
    std::string name;
    Adesk::Int16 flags = 1;
    int tabOrder = 0;
    bool tabSelected = false;
    AcGePoint2d limMin = AcGePoint2d(0.0, 0.0);
    AcGePoint2d limMax = AcGePoint2d(12.0, 9.0);
    AcGePoint3d insBase;
    AcGePoint3d extMin = AcGePoint3d(1e20, 1e20, 1e20);
    AcGePoint3d extMax = AcGePoint3d(-1e20, -1e20, -1e20);
    double elevation = 0.0;
    AcDbObjectId block;
    AcDbObjectId lastViewport;
    arx::db::CarriedItems groups;
};

ACRX_DEFINE_MEMBERS_COMMON(AcDbLayout)
static AcRxObject* makeAcDbLayout() { return new AcDbLayout(); }
void AcDbLayout::rxInit()
{
    gpDesc = newAcRxClass("AcDbLayout", "AcDbPlotSettings", 0, 0, 0, makeAcDbLayout, "LAYOUT", "");
}

AcDbLayout::AcDbLayout() : mpData(new Data)
{
    using arx::db::DxfItem;
    // The layout's UCS: the world.
    mpData->groups.items = {DxfItem::makePoint(13, AcGePoint3d(0, 0, 0)), DxfItem::makePoint(16, AcGePoint3d(1, 0, 0)),
                            DxfItem::makePoint(17, AcGePoint3d(0, 1, 0)), DxfItem::makeInteger(76, 0)};
}

AcDbLayout::~AcDbLayout() { delete mpData; }

AcDbObjectId AcDbLayout::getBlockTableRecordId() const { return mpData->block; }

Acad::ErrorStatus AcDbLayout::setBlockTableRecordId(AcDbObjectId BlockTableRecordId)
{
    assertWriteEnabled();
    mpData->block = BlockTableRecordId;
    arx::db::structureChanged();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::addToLayoutDict(AcDbDatabase* towhichDb, AcDbObjectId BlockTableRecordId)
{
    if (towhichDb == nullptr) return Acad::eNoDatabase;
    if (mpData->name.empty()) return Acad::eInvalidInput;
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = towhichDb->getLayoutDictionary(dict, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    if (dict->has(mpData->name.c_str())) {
        dict->close();
        return Acad::eDuplicateKey;
    }
    AcDbObjectId layoutId;
    es = dict->setAt(mpData->name.c_str(), this, layoutId);
    dict->close();
    if (es != Acad::eOk) return es;
    setBlockTableRecordId(BlockTableRecordId);
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, BlockTableRecordId, AcDb::kForWrite) == Acad::eOk) {
        block->setLayoutId(layoutId);
        block->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::getLayoutName(const char*& layoutName) const
{
    layoutName = mpData->name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setLayoutName(const char* layoutName)
{
    if (layoutName == nullptr || *layoutName == '\0') return Acad::eInvalidInput;
    assertWriteEnabled();
    mpData->name = layoutName;
    return Acad::eOk;
}

int AcDbLayout::getTabOrder() const { return mpData->tabOrder; }

void AcDbLayout::setTabOrder(int newOrder)
{
    assertWriteEnabled();
    mpData->tabOrder = newOrder;
}

bool AcDbLayout::getTabSelected() const { return mpData->tabSelected; }
void AcDbLayout::setTabSelected(bool tabSelected) { mpData->tabSelected = tabSelected; }

AcDbObjectIdArray AcDbLayout::getViewportArray() const
{
    AcDbObjectIdArray viewports;
    AcDbObjectId blockId = mpData->block;
    if (blockId.isNull() || blockId.stub()->object == nullptr) return viewports;
    const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(blockId.stub()->object);
    if (block == nullptr) return viewports;
    for (AcDbObjectId id : block->entityIds()) {
        if (!id.stub()->isLive() || id.isErased()) continue;
        AcRxClass* cls = id.stub()->object->isA();
        if (cls && strcmp(cls->name(), "AcDbViewport") == 0) viewports.append(id);
    }
    return viewports;
}

AcDbObjectId AcDbLayout::lastActiveViewportId() const { return mpData->lastViewport; }

void AcDbLayout::setLastActiveViewportId(AcDbObjectId id)
{
    assertWriteEnabled();
    mpData->lastViewport = id;
}

void AcDbLayout::getLimits(AcGePoint2d& limMin, AcGePoint2d& limMax) const
{
    limMin = mpData->limMin;
    limMax = mpData->limMax;
}

void AcDbLayout::setLimits(const AcGePoint2d& limMin, const AcGePoint2d& limMax)
{
    assertWriteEnabled();
    mpData->limMin = limMin;
    mpData->limMax = limMax;
}

void AcDbLayout::getExtents(AcGePoint3d& extMin, AcGePoint3d& extMax) const
{
    extMin = mpData->extMin;
    extMax = mpData->extMax;
}

void AcDbLayout::setExtents(const AcGePoint3d& extMin, const AcGePoint3d& extMax)
{
    assertWriteEnabled();
    mpData->extMin = extMin;
    mpData->extMax = extMax;
}

AcGePoint3d AcDbLayout::insertionBase() const { return mpData->insBase; }

void AcDbLayout::setInsertionBase(const AcGePoint3d& base)
{
    assertWriteEnabled();
    mpData->insBase = base;
}

double AcDbLayout::elevation() const { return mpData->elevation; }

void AcDbLayout::setElevation(double elevation)
{
    assertWriteEnabled();
    mpData->elevation = elevation;
}

Acad::ErrorStatus AcDbLayout::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbPlotSettings::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const Data& d = *mpData;
    pFiler->writeString(d.name.c_str());
    pFiler->writeInt16(d.flags);
    pFiler->writeInt32(d.tabOrder);
    pFiler->writePoint2d(d.limMin);
    pFiler->writePoint2d(d.limMax);
    pFiler->writePoint3d(d.insBase);
    pFiler->writePoint3d(d.extMin);
    pFiler->writePoint3d(d.extMax);
    pFiler->writeDouble(d.elevation);
    pFiler->writeSoftPointerId(d.block);
    pFiler->writeSoftPointerId(d.lastViewport);
    arx::db::writeItems(pFiler, d.groups.items);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbPlotSettings::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    Data d;
    char* name = nullptr;
    Adesk::Int32 tab = 0;
    AcDbSoftPointerId block;
    AcDbSoftPointerId viewport;
    if (pFiler->readString(&name) != Acad::eOk) return pFiler->filerStatus();
    d.name = name;
    delete[] name;
    if (pFiler->readInt16(&d.flags) != Acad::eOk || pFiler->readInt32(&tab) != Acad::eOk ||
        pFiler->readPoint2d(&d.limMin) != Acad::eOk || pFiler->readPoint2d(&d.limMax) != Acad::eOk ||
        pFiler->readPoint3d(&d.insBase) != Acad::eOk || pFiler->readPoint3d(&d.extMin) != Acad::eOk ||
        pFiler->readPoint3d(&d.extMax) != Acad::eOk || pFiler->readDouble(&d.elevation) != Acad::eOk ||
        pFiler->readSoftPointerId(&block) != Acad::eOk || pFiler->readSoftPointerId(&viewport) != Acad::eOk)
        return pFiler->filerStatus();
    es = arx::db::readItems(pFiler, d.groups.items);
    if (es != Acad::eOk) return es;
    d.tabOrder = tab;
    d.block = block;
    d.lastViewport = viewport;
    d.tabSelected = mpData->tabSelected;
    *mpData = std::move(d);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbPlotSettings::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    const Data& d = *mpData;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbLayout");
    pFiler->writeString(AcDb::kDxfText, d.name.c_str());
    pFiler->writeInt16(AcDb::kDxfInt16, d.flags);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(71), static_cast<Adesk::Int16>(d.tabOrder));
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(10), d.limMin);
    pFiler->writePoint2d(static_cast<AcDb::DxfCode>(11), d.limMax);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(12), d.insBase);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(14), d.extMin);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(15), d.extMax);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(146), d.elevation);
    arx::db::writeCarried(pFiler, d.groups);
    pFiler->writeObjectId(AcDb::kDxfSoftPointerId, d.block);
    if (!d.lastViewport.isNull()) pFiler->writeObjectId(static_cast<AcDb::DxfCode>(331), d.lastViewport);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbPlotSettings::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbLayout")) return Acad::eBadDxfSequence;
    Data& d = *mpData;
    arx::db::DxfItemList groups;
    readSubclassGroups(pFiler, [&](const DxfItem& item) {
        switch (item.code) {
        case 1: d.name = item.text; break;
        case 70: d.flags = static_cast<Adesk::Int16>(item.integer); break;
        case 71: d.tabOrder = static_cast<int>(item.integer); break;
        case 10: d.limMin = AcGePoint2d(item.point.x, item.point.y); break;
        case 11: d.limMax = AcGePoint2d(item.point.x, item.point.y); break;
        case 12: d.insBase = item.point; break;
        case 14: d.extMin = item.point; break;
        case 15: d.extMax = item.point; break;
        case 146: d.elevation = item.real; break;
        case 330: d.block = item.id; break;
        case 331: d.lastViewport = item.id; break;
        default: groups.push_back(item); break;
        }
    });
    d.groups.items = std::move(groups);
    return pFiler->filerStatus();
}
