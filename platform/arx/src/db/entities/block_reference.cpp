// AcDbBlockReference (INSERT): a block placed with position, scale, rotation and normal.
#include <cmath>

#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "dbsymtb.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, 0, 0, 0, INSERT, ObjectDBX Classes)

AcDbBlockReference::AcDbBlockReference() {}
AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
    : mBlock(blockTableRecord), mPosition(position)
{}
AcDbBlockReference::~AcDbBlockReference() = default;

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    assertReadEnabled();
    return resolvedBlock();
}
Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId blockId)
{
    assertWriteEnabled();
    mBlock = blockId;
    mBlockName.clear();
    return Acad::eOk;
}

AcDbObjectId AcDbBlockReference::resolvedBlock() const
{
    if (!mBlock.isNull() || mBlockName.empty()) return mBlock;
    AcDbDatabase* db = database();
    AcDbBlockTable* table = nullptr;
    if (db != nullptr && db->getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
        AcDbObjectId id;
        if (table->getAt(mBlockName.c_str(), id) == Acad::eOk) {
            mBlock = id;
            mBlockName.clear();
        }
        table->close();
    }
    return mBlock;
}
AcGePoint3d AcDbBlockReference::position() const
{
    assertReadEnabled();
    return mPosition;
}
Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position)
{
    assertWriteEnabled();
    mPosition = position;
    return Acad::eOk;
}
AcGeScale3d AcDbBlockReference::scaleFactors() const
{
    assertReadEnabled();
    return mScale;
}
Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    if (scale.sx == 0 || scale.sy == 0 || scale.sz == 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mScale = scale;
    return Acad::eOk;
}
double AcDbBlockReference::rotation() const
{
    assertReadEnabled();
    return mRotation;
}
Acad::ErrorStatus AcDbBlockReference::setRotation(double angle)
{
    assertWriteEnabled();
    mRotation = angle;
    return Acad::eOk;
}
AcGeVector3d AcDbBlockReference::normal() const
{
    assertReadEnabled();
    return mNormal;
}
Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return Acad::eOk;
}

// Block coordinates (relative to the block's origin) to world: scale, rotate about the
// object Z axis, carry into the plane of the normal, move to the position.
AcGeMatrix3d AcDbBlockReference::blockTransform() const
{
    assertReadEnabled();
    AcGePoint3d origin;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, resolvedBlock(), AcDb::kForRead) == Acad::eOk) {
        origin = record->origin();
        record->close();
    }
    AcGeMatrix3d scale;
    scale(0, 0) = mScale.sx;
    scale(1, 1) = mScale.sy;
    scale(2, 2) = mScale.sz;
    return AcGeMatrix3d::translation(mPosition.asVector()) * arx::db::objectToWorld(mNormal) *
           AcGeMatrix3d::rotation(mRotation, AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-origin.asVector());
}

Acad::ErrorStatus AcDbBlockReference::setBlockTransform(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    AcGePoint3d origin;
    AcGeVector3d x, y, z;
    xform.getCoordSystem(origin, x, y, z);
    if (x.isZeroLength() || y.isZeroLength() || z.isZeroLength()) return Acad::eInvalidInput;
    mNormal = z.normal();
    const double sz = z.length();
    mScale = AcGeScale3d(x.length(), y.length(), sz);
    mRotation = arx::db::angleInPlane(x, mNormal);
    mPosition = origin;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbEntity* attribute)
{
    AcDbObjectId id;
    return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& attributeId, AcDbEntity* attribute)
{
    if (attribute == nullptr) return Acad::eNullObjectPointer;
    AcDbDatabase* db = database();
    if (db == nullptr) return Acad::eNoDatabase;
    assertWriteEnabled();
    Acad::ErrorStatus status = db->addAcDbObject(attributeId, attribute);
    if (status != Acad::eOk) return status;
    attribute->setOwnerId(objectId());
    attribute->close();
    mAttributes.append(attributeId);
    if (mSequenceEnd.isNull()) {
        auto* end = new AcDbSequenceEnd;
        AcDbObjectId endId;
        if (db->addAcDbObject(endId, end) == Acad::eOk) {
            end->setOwnerId(objectId());
            end->setPropertiesFrom(this);
            end->close();
            mSequenceEnd = endId;
        } else {
            delete end;
        }
    }
    return Acad::eOk;
}

AcDbObjectIdArray AcDbBlockReference::attributeIds() const
{
    assertReadEnabled();
    return mAttributes;
}
AcDbObjectId AcDbBlockReference::sequenceEndId() const
{
    assertReadEnabled();
    return mSequenceEnd;
}

void AcDbBlockReference::adoptSubentity(AcDbObjectId id, bool isSequenceEnd)
{
    if (isSequenceEnd) mSequenceEnd = id;
    else mAttributes.append(id);
}

namespace {

// Each entity of the block, opened for read, handed to fn.
template <class Fn>
void forEachBlockEntity(AcDbObjectId blockId, Fn fn)
{
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, blockId, AcDb::kForRead) != Acad::eOk) return;
    const AcDbObjectIdArray ids = record->entityIds();
    record->close();
    for (int i = 0; i < ids.length(); ++i) {
        if (ids[i].isErased()) continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForRead) != Acad::eOk) continue;
        fn(entity);
        entity->close();
    }
}

}  // namespace

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    const AcGeMatrix3d xform = blockTransform();
    forEachBlockEntity(resolvedBlock(), [&](AcDbEntity* entity) {
        AcDbExtents part;
        if (entity->getGeomExtents(part) == Acad::eOk && !part.isEmpty()) {
            part.transformBy(xform);
            extents.addExt(part);
        }
    });
    if (extents.isEmpty()) extents.addPoint(mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    AcGeMatrix3d whole = xform * blockTransform();
    // The block's origin is part of blockTransform; setBlockTransform takes the insertion.
    AcGePoint3d origin;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, resolvedBlock(), AcDb::kForRead) == Acad::eOk) {
        origin = record->origin();
        record->close();
    }
    whole = whole * AcGeMatrix3d::translation(origin.asVector());
    const Acad::ErrorStatus status = setBlockTransform(whole);
    if (status != Acad::eOk) return status;
    for (int i = 0; i < mAttributes.length(); ++i) {
        AcDbEntity* attribute = nullptr;
        if (acdbOpenAcDbEntity(attribute, mAttributes[i], AcDb::kForWrite) != Acad::eOk) continue;
        attribute->transformBy(xform);
        attribute->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    if (indices.length() == 0) return Acad::eOk;
    return transformBy(AcGeMatrix3d::translation(offset));
}

Acad::ErrorStatus AcDbBlockReference::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(mPosition);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return moveGripPointsAt(indices, offset);
}

// The insertion point snaps as INS; the other modes snap to the block's entities as placed.
Acad::ErrorStatus AcDbBlockReference::getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark,
                                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                     AcDbIntArray& geomIds) const
{
    assertReadEnabled();
    if (osnapMode == AcDb::kOsModeIns) {
        snapPoints.append(mPosition);
        return Acad::eOk;
    }
    const AcGeMatrix3d xform = blockTransform();
    forEachBlockEntity(resolvedBlock(), [&](AcDbEntity* entity) {
        AcDbEntity* placed = nullptr;
        if (entity->getTransformedCopy(xform, placed) != Acad::eOk || placed == nullptr) return;
        placed->getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
        delete placed;
    });
    return Acad::eOk;
}

// Copies of the block's entities carried by the block transform; an entity that cannot take
// the transform (a circle under a non-uniform scale) fails the explode.
Acad::ErrorStatus AcDbBlockReference::explode(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    const AcGeMatrix3d xform = blockTransform();
    Acad::ErrorStatus result = Acad::eOk;
    AcDbVoidPtrArray made;
    forEachBlockEntity(resolvedBlock(), [&](AcDbEntity* entity) {
        if (result != Acad::eOk) return;
        AcDbEntity* placed = nullptr;
        const Acad::ErrorStatus status = entity->getTransformedCopy(xform, placed);
        if (status != Acad::eOk || placed == nullptr) {
            result = status == Acad::eOk ? Acad::eNotApplicable : status;
            return;
        }
        made.append(placed);
    });
    if (result != Acad::eOk) {
        for (int i = 0; i < made.length(); ++i) delete static_cast<AcDbEntity*>(made[i]);
        return result;
    }
    entitySet.append(made);
    return Acad::eOk;
}

// Through the block's entities, placed where the reference shows them.
Acad::ErrorStatus AcDbBlockReference::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                                    AcGePoint3dArray& points, int, int) const
{
    assertReadEnabled();
    return arx::db::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbBlockReference::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                                    const AcGePlane& projPlane, AcGePoint3dArray& points, int,
                                                    int) const
{
    assertReadEnabled();
    return arx::db::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbBlockReference::subErase(Adesk::Boolean erasing)
{
    const Acad::ErrorStatus status = AcDbEntity::subErase(erasing);
    if (status != Acad::eOk) return status;
    AcDbObjectIdArray owned = mAttributes;
    if (!mSequenceEnd.isNull()) owned.append(mSequenceEnd);
    for (int i = 0; i < owned.length(); ++i) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, owned[i], AcDb::kForWrite, true) != Acad::eOk) continue;
        if (object->isErased() != erasing) object->erase(erasing);
        object->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeHardPointerId(AcDbHardPointerId(resolvedBlock()));
    filer->writeString(mBlockName.c_str());
    filer->writePoint3d(mPosition);
    filer->writeScale3d(mScale);
    filer->writeDouble(mRotation);
    filer->writeVector3d(mNormal);
    filer->writeInt32(mAttributes.length());
    for (int i = 0; i < mAttributes.length(); ++i) filer->writeHardOwnershipId(AcDbHardOwnershipId(mAttributes[i]));
    filer->writeHardOwnershipId(AcDbHardOwnershipId(mSequenceEnd));
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readHardPointerId(&mBlock);
    {
        char* name = nullptr;
        filer->readString(&name);
        mBlockName = name ? name : "";
        delete[] name;
    }
    filer->readPoint3d(&mPosition);
    filer->readScale3d(&mScale);
    filer->readDouble(&mRotation);
    filer->readVector3d(&mNormal);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (count < 0) return Acad::eInvalidInput;
    mAttributes.setLogicalLength(0);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHardOwnershipId id;
        filer->readHardOwnershipId(&id);
        mAttributes.append(id);
    }
    AcDbHardOwnershipId end;
    filer->readHardOwnershipId(&end);
    mSequenceEnd = end;
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// INSERT: 66 when attributes follow, 2 the block's name, 10 the position in object
// coordinates, 41-43 the scales, 50 the rotation in degrees, 210 the normal.
Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDbBlockReference");
    if (mAttributes.length() > 0) filer->writeInt16(AcDb::kDxfHasSubentities, 1);
    const char* name = "";
    AcDbBlockTableRecord* record = nullptr;
    std::string blockName = mBlockName;
    if (acdbOpenObject(record, resolvedBlock(), AcDb::kForRead) == Acad::eOk) {
        record->getName(name);
        blockName = name;
        record->close();
    }
    filer->writeString(AcDb::kDxfBlockName, blockName.c_str());
    filer->writePoint3d(AcDb::kDxfXCoord, arx::db::worldToObject(mNormal) * mPosition);
    if (mScale.sx != 1) filer->writeDouble(static_cast<AcDb::DxfCode>(41), mScale.sx);
    if (mScale.sy != 1) filer->writeDouble(static_cast<AcDb::DxfCode>(42), mScale.sy);
    if (mScale.sz != 1) filer->writeDouble(static_cast<AcDb::DxfCode>(43), mScale.sz);
    if (mRotation != 0) filer->writeDouble(AcDb::kDxfAngle, arx::db::degreesFromRadians(mRotation));
    if (!mNormal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbEntity::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDbBlockReference", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    AcGePoint3d position;
    mScale = AcGeScale3d();
    mRotation = 0;
    mNormal = AcGeVector3d::kZAxis;
    std::string blockName;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 66: break;  // known from the attributes that follow
        case 2: blockName = item.text; break;
        case 10: position = item.point; break;
        case 41: mScale.sx = item.real; break;
        case 42: mScale.sy = item.real; break;
        case 43: mScale.sz = item.real; break;
        case 50: mRotation = arx::db::radiansFromDegrees(item.real); break;
        case 210: mNormal = arx::db::unitNormal(item.point.asVector()); break;
        default: in.keep(item); break;
        }
    }
    mPosition = arx::db::objectToWorld(mNormal) * position;
    // The block is found by name when it is first needed (a file being read links its blocks
    // only at the end).
    mBlock = AcDbObjectId();
    mBlockName = blockName;
    return in.status();
}
