// AcDbEntity: the common properties (layer, linetype, colour, linetype scale, visibility,
// lineweight), their filing, and the host's defaults of the editing protocol.
#include <strings.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "acutads.h"
#include "dbapserv.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "db/enum_values.h"
#include "db/database_state.h"
#include "db/entities/entity_filing.h"
#include "db/entity_common_groups.h"
#include "db/entity_internal.h"
#include "db/item_filing.h"
#include "db/object_state.h"
#include "db/proxy_support.h"
#include "db/symbol_lookup.h"

struct AcDbEntity::Properties {
    AcDbObjectId layer;
    AcDbObjectId linetype;
    Adesk::UInt16 color = AcCmColor::kACIbyLayer;
    double linetypeScale = 1.0;
    AcDb::Visibility visibility = AcDb::kVisible;
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLayer;
    // Common groups read but not modelled (true colour, material, saved graphics...).
    arx::db::CommonGroups fileGroups;
};

const AcDbFullSubentPath kNullSubent;

ACRX_DEFINE_MEMBERS_COMMON(AcDbEntity)
void AcDbEntity::rxInit() { gpDesc = newAcRxClass("AcDbEntity", "AcDbObject"); }

AcDbEntity::AcDbEntity() : mpProps(new (mPropsStorage) Properties)
{
    static_assert(sizeof(Properties) <= sizeof(mPropsStorage) && alignof(Properties) <= 8);
}
AcDbEntity::~AcDbEntity() { mpProps->~Properties(); }

namespace arx::db {

bool entityPaperSpaceFlag(const AcDbEntity* ent) { return stateOf(ent).paperSpaceFlag; }

}  // namespace arx::db

AcDbObjectId AcDbEntity::blockId() const
{
    assertReadEnabled();
    return ownerId();
}

namespace {

char* mallocName(const std::string& name)
{
    char* copy = static_cast<char*>(std::malloc(name.size() + 1));
    if (copy) std::memcpy(copy, name.c_str(), name.size() + 1);
    return copy;
}

// Entities of the current layout's paper space say so (67); in the other layouts' blocks
// files differ, and an entity read from one keeps what it had.
bool writesPaperSpaceFlag(AcDbObjectId paperBlock, const std::vector<short>& readOrder)
{
    if (readOrder.empty() || strcasecmp(arx::db::recordName(paperBlock).c_str(), ACDB_PAPER_SPACE) == 0) return true;
    return std::find(readOrder.begin(), readOrder.end(), AcDb::kDxfViewportVisibility) != readOrder.end();
}

AcDbDatabase* databaseFor(const AcDbEntity* ent)
{
    return ent->database() ? ent->database() : acdbHostApplicationServices()->workingDatabase();
}

}  // namespace

AcCmColor AcDbEntity::color() const
{
    assertReadEnabled();
    AcCmColor color;
    color.setColorIndex(mpProps->color);
    return color;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, Adesk::Boolean doSubents)
{
    return setColorIndex(color.colorIndex(), doSubents);
}

Adesk::UInt16 AcDbEntity::colorIndex() const
{
    assertReadEnabled();
    return mpProps->color;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, Adesk::Boolean)
{
    if (color > AcCmColor::kACIbyLayer) return Acad::eInvalidInput;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->color = color;
    arx::db::dropKeptGroups(mpProps->fileGroups.kept, {420, 430});
    return Acad::eOk;
}

char* AcDbEntity::layer() const
{
    assertReadEnabled();
    return mallocName(arx::db::recordName(mpProps->layer));
}

AcDbObjectId AcDbEntity::layerId() const { return mpProps->layer; }

Acad::ErrorStatus AcDbEntity::setLayer(const char* newVal, Adesk::Boolean doSubents)
{
    AcDbDatabase* db = databaseFor(this);
    if (db == nullptr || newVal == nullptr) return Acad::eInvalidInput;
    AcDbObjectId id = arx::db::findRecord(db->layerTableId(), newVal);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLayer(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, Adesk::Boolean)
{
    if (newVal.isNull()) return Acad::eNullObjectId;
    if (newVal.stub()->object == nullptr || !AcDbLayerTableRecord::cast(newVal.stub()->object))
        return Acad::eWrongObjectType;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->layer = newVal;
    return Acad::eOk;
}

char* AcDbEntity::linetype() const
{
    assertReadEnabled();
    if (mpProps->linetype.isNull()) return mallocName("ByLayer");
    return mallocName(arx::db::recordName(mpProps->linetype));
}

AcDbObjectId AcDbEntity::linetypeId() const { return mpProps->linetype; }

Acad::ErrorStatus AcDbEntity::setLinetype(const char* newVal, Adesk::Boolean doSubents)
{
    AcDbDatabase* db = databaseFor(this);
    if (db == nullptr || newVal == nullptr) return Acad::eInvalidInput;
    AcDbObjectId id = arx::db::findRecord(db->linetypeTableId(), newVal);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, Adesk::Boolean)
{
    if (newVal.isNull()) return Acad::eNullObjectId;
    if (newVal.stub()->object == nullptr || !AcDbLinetypeTableRecord::cast(newVal.stub()->object))
        return Acad::eWrongObjectType;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->linetype = newVal;
    return Acad::eOk;
}

double AcDbEntity::linetypeScale() const
{
    assertReadEnabled();
    return mpProps->linetypeScale;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double newVal, Adesk::Boolean)
{
    if (!(newVal > 0.0)) return Acad::eInvalidInput;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->linetypeScale = newVal;
    return Acad::eOk;
}

AcDb::Visibility AcDbEntity::visibility() const
{
    assertReadEnabled();
    return mpProps->visibility;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVal, Adesk::Boolean)
{
    if (newVal != AcDb::kVisible && newVal != AcDb::kInvisible) return Acad::eInvalidInput;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->visibility = newVal;
    return Acad::eOk;
}

AcDb::LineWeight AcDbEntity::lineWeight() const
{
    assertReadEnabled();
    return mpProps->lineWeight;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean)
{
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    mpProps->lineWeight = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean)
{
    if (pEntity == nullptr) return Acad::eNullEntityPointer;
    if (database() && !isWriteEnabled()) return Acad::eNotOpenForWrite;
    assertWriteEnabled();
    const Properties& from = *pEntity->mpProps;
    mpProps->layer = from.layer;
    mpProps->linetype = from.linetype;
    mpProps->color = from.color;
    mpProps->linetypeScale = from.linetypeScale;
    mpProps->visibility = from.visibility;
    mpProps->lineWeight = from.lineWeight;
    arx::db::dropKeptGroups(mpProps->fileGroups.kept, {420, 430});
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults() { setDatabaseDefaults(databaseFor(this)); }

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* pDb)
{
    if (pDb == nullptr) return;
    if (database() && !isWriteEnabled()) return;
    assertWriteEnabled();
    AcDbObjectId layer = pDb->clayer();
    if (layer.isNull()) layer = arx::db::findRecord(pDb->layerTableId(), "0");
    mpProps->layer = layer;
    AcDbObjectId linetype = pDb->celtype();
    mpProps->linetype = linetype.isNull() ? pDb->byLayerLinetype() : linetype;
    mpProps->color = pDb->cecolor().colorIndex();
    mpProps->linetypeScale = pDb->celtscale() > 0.0 ? pDb->celtscale() : 1.0;
    subSetDatabaseDefaults(pDb);
}

void AcDbEntity::subSetDatabaseDefaults(AcDbDatabase*) {}

Adesk::UInt32 AcDbEntity::setAttributes(AcGiDrawableTraits*) { return kDrawableIsAnEntity; }
Adesk::Boolean AcDbEntity::worldDraw(AcGiWorldDraw*) { return true; }
void AcDbEntity::viewportDraw(AcGiViewportDraw*) {}

void AcDbEntity::recordGraphicsModified(Adesk::Boolean setModified) { objectState()->modifiedGraphics = setModified; }

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }
Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const
{
    pEnt = nullptr;
    AcDbEntity* copy = AcDbEntity::cast(clone());
    if (copy == nullptr) return Acad::eNotApplicable;
    Acad::ErrorStatus es = copy->transformBy(xform);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    pEnt = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray&, AcDbIntArray&, AcDbIntArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray osnapModes;
    AcDbIntArray geomIds;
    return getGripPoints(stretchPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDbEntity::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return moveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode, int, const AcGePoint3d&, const AcGePoint3d&,
                                             const AcGeMatrix3d&, AcGePoint3dArray&, AcDbIntArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&, int, int) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, const AcGePlane&, AcGePoint3dArray&,
                                            int, int) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getSubentPathsAtGsMarker(AcDb::SubentType, int, const AcGePoint3d&, const AcGeMatrix3d&,
                                                       int& numPaths, AcDbFullSubentPath*& subentPaths, int,
                                                       AcDbObjectId*) const
{
    numPaths = 0;
    subentPaths = nullptr;
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getGsMarkersAtSubentPath(const AcDbFullSubentPath&, AcDbIntArray&) const
{
    return Acad::eNotApplicable;
}

AcDbEntity* AcDbEntity::subentPtr(const AcDbFullSubentPath&) const { return nullptr; }
Acad::ErrorStatus AcDbEntity::highlight(const AcDbFullSubentPath&, const Adesk::Boolean) const { return Acad::eOk; }
Acad::ErrorStatus AcDbEntity::unhighlight(const AcDbFullSubentPath&, const Adesk::Boolean) const { return Acad::eOk; }

Acad::ErrorStatus AcDbEntity::getEcs(AcGeMatrix3d& retVal) const
{
    retVal = AcGeMatrix3d::kIdentity;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::getPlane(AcGePlane&, AcDb::Planarity& type) const
{
    type = AcDb::kNonPlanar;
    return Acad::eNotApplicable;
}

void AcDbEntity::saveAs(AcGiWorldDraw* mode, AcDb::SaveType) { worldDraw(mode); }

void AcDbEntity::list() const
{
    assertReadEnabled();
    std::string type = arx::db::dxfNameOf(this);
    std::string layerName = arx::db::recordName(mpProps->layer);
    AcDbHandle handle;
    getAcDbHandle(handle);
    char handleText[20];
    handle.getIntoAsciiBuffer(handleText);
    bool paper = arx::db::isPaperSpaceBlock(ownerId());
    acutPrintf("\n                  %-10sLayer: %s\n", type.c_str(), layerName.c_str());
    acutPrintf("                            Space: %s\n", paper ? "Paper space" : "Model space");
    if (mpProps->color != AcCmColor::kACIbyLayer || !mpProps->linetype.isNull()) {
        std::string color = mpProps->color == AcCmColor::kACIbyLayer   ? "BYLAYER"
                            : mpProps->color == AcCmColor::kACIbyBlock ? "BYBLOCK"
                                                                       : std::to_string(mpProps->color);
        std::string linetype = mpProps->linetype.isNull() ? "BYLAYER" : arx::db::recordName(mpProps->linetype);
        acutPrintf("                   Color: %s    Linetype: %s\n", color.c_str(), linetype.c_str());
    }
    acutPrintf("                   Handle = %s\n", handleText);
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeHardPointerId(mpProps->layer);
    pFiler->writeHardPointerId(mpProps->linetype);
    pFiler->writeUInt16(mpProps->color);
    pFiler->writeDouble(mpProps->linetypeScale);
    pFiler->writeInt16(static_cast<Adesk::Int16>(mpProps->visibility));
    pFiler->writeInt16(static_cast<Adesk::Int16>(mpProps->lineWeight));
    return arx::db::dwgOutCommonGroups(pFiler, mpProps->fileGroups);
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId layer;
    AcDbHardPointerId linetype;
    Adesk::UInt16 color = 0;
    double scale = 1.0;
    Adesk::Int16 visibility = 0;
    Adesk::Int16 weight = 0;
    if (pFiler->readHardPointerId(&layer) != Acad::eOk || pFiler->readHardPointerId(&linetype) != Acad::eOk ||
        pFiler->readUInt16(&color) != Acad::eOk || pFiler->readDouble(&scale) != Acad::eOk ||
        pFiler->readInt16(&visibility) != Acad::eOk || pFiler->readInt16(&weight) != Acad::eOk)
        return pFiler->filerStatus();
    mpProps->layer = layer;
    mpProps->linetype = linetype;
    mpProps->color = color;
    mpProps->linetypeScale = scale;
    mpProps->visibility = visibility != 0 ? AcDb::kInvisible : AcDb::kVisible;
    mpProps->lineWeight = arx::db::lineWeightOf(weight, mpProps->lineWeight);
    return arx::db::dwgInCommonGroups(pFiler, mpProps->fileGroups);
}

// The common groups, in the order the file gave them when the entity was read. A file names
// no layout (the owner gives it); entget lists it, as the host does.
Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    using arx::db::DxfItem;
    using arx::db::ModelledGroup;
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, "AcDbEntity");
    // The modelled groups, their texts read in place (nothing changes them while filing).
    std::array<ModelledGroup, 8> groups;
    std::size_t count = 0;
    auto add = [&groups, &count](short code, DxfItem::Kind kind) -> ModelledGroup& {
        ModelledGroup& group = groups[count++];
        group.code = code;
        group.kind = kind;
        return group;
    };
    AcDbObjectId owner = ownerId();
    if (arx::db::isPaperSpaceBlock(owner) && writesPaperSpaceFlag(owner, mpProps->fileGroups.order))
        add(AcDb::kDxfViewportVisibility, DxfItem::Kind::Integer).integer = 1;
    std::string layout = pFiler->filerType() == AcDb::kFileFiler ? "" : arx::db::layoutNameOfBlock(owner);
    if (!layout.empty()) add(AcDb::kDxfLayoutName, DxfItem::Kind::Text).text = layout.c_str();
    const char* layerName = arx::db::recordNameText(mpProps->layer);
    add(AcDb::kDxfLayerName, DxfItem::Kind::Text).text = *layerName != '\0' ? layerName : "0";
    if (!mpProps->linetype.isNull()) {
        const char* linetype = arx::db::recordNameText(mpProps->linetype);
        if (*linetype != '\0' && strcasecmp(linetype, "ByLayer") != 0)
            add(AcDb::kDxfLinetypeName, DxfItem::Kind::Text).text = linetype;
    }
    if (mpProps->color != AcCmColor::kACIbyLayer) add(AcDb::kDxfColor, DxfItem::Kind::Integer).integer = mpProps->color;
    if (mpProps->lineWeight != AcDb::kLnWtByLayer)
        add(AcDb::kDxfLineWeight, DxfItem::Kind::Integer).integer = mpProps->lineWeight;
    if (mpProps->linetypeScale != 1.0) add(AcDb::kDxfLinetypeScale, DxfItem::Kind::Real).real = mpProps->linetypeScale;
    if (mpProps->visibility == AcDb::kInvisible) add(AcDb::kDxfVisibility, DxfItem::Kind::Integer).integer = 1;
    es = arx::db::writeCommonGroups(pFiler, groups.data(), count, mpProps->fileGroups);
    if (es != Acad::eOk) return es;
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData("AcDbEntity")) return Acad::eBadDxfSequence;
    AcDbDatabase* db = pFiler->database() ? pFiler->database() : databaseFor(this);
    arx::db::DxfItemList kept;
    std::vector<short> order;
    const bool fromFile = pFiler->filerType() == AcDb::kFileFiler;
    // Room for the usual common groups at once: files have a few hundred thousand entities.
    if (fromFile) order.reserve(12);
    resbuf rb;
    bool done = false;
    while (!done && pFiler->readItem(&rb) == Acad::eOk) {
        order.push_back(static_cast<short>(rb.restype));
        switch (rb.restype) {
        case AcDb::kDxfViewportVisibility: objectState()->paperSpaceFlag = rb.resval.rint != 0; break;
        case AcDb::kDxfLayoutName: break;  // the owner decides the layout
        case AcDb::kDxfLayerName: {
            AcDbObjectId layer = arx::db::findOrAddLayer(db, rb.resval.rstring ? rb.resval.rstring : "0");
            if (!layer.isNull()) mpProps->layer = layer;
            break;
        }
        case AcDb::kDxfLinetypeName: {
            AcDbObjectId linetype = db ? arx::db::findRecord(db->linetypeTableId(), rb.resval.rstring) : AcDbObjectId();
            mpProps->linetype = linetype.isNull() && db ? db->byLayerLinetype() : linetype;
            break;
        }
        case AcDb::kDxfColor:
            // A negative colour (a layer that is off) reads as its absolute value.
            mpProps->color = static_cast<Adesk::UInt16>(rb.resval.rint < 0 ? -rb.resval.rint : rb.resval.rint);
            if (mpProps->color > AcCmColor::kACIbyLayer) mpProps->color = AcCmColor::kACIbyLayer;
            break;
        case AcDb::kDxfLineWeight:
            mpProps->lineWeight = arx::db::lineWeightOf(rb.resval.rint, mpProps->lineWeight);
            break;
        case AcDb::kDxfLinetypeScale: mpProps->linetypeScale = rb.resval.rreal > 0.0 ? rb.resval.rreal : 1.0; break;
        case AcDb::kDxfVisibility: mpProps->visibility = rb.resval.rint != 0 ? AcDb::kInvisible : AcDb::kVisible; break;
        default:
            // A file's entity section may hold groups of releases after ours: all are kept.
            if (arx::db::isKeptEntityCode(rb.restype) ||
                (fromFile && rb.restype != AcDb::kDxfSubclass && rb.restype != AcDb::kDxfRegAppName)) {
                arx::db::DxfItem item;
                if (arx::db::itemFromResbuf(rb, item)) kept.push_back(std::move(item));
                break;
            }
            pFiler->pushBackItem();
            order.pop_back();
            done = true;
            break;
        }
    }
    if (pFiler->isModifyingExistingObject()) {
        arx::db::mergeKeptGroups(mpProps->fileGroups.kept, std::move(kept));
    } else {
        mpProps->fileGroups.kept = std::move(kept);
        // Only a file's order is worth keeping: a list's is the caller's.
        mpProps->fileGroups.order = fromFile ? std::move(order) : std::vector<short>();
    }
    return pFiler->filerStatus();
}
