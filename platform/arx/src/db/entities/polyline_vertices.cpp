// The vertices of the old-style polylines and the sequence end that closes a list of owned
// entities.
#include "db/entities/entity_filing.h"
#include "dbents.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDb2dVertex, AcDbEntity, 0, 0, 0, VERTEX, ObjectDBX Classes)
ACRX_DXF_DEFINE_MEMBERS(AcDb3dPolylineVertex, AcDbEntity, 0, 0, 0, VERTEX, ObjectDBX Classes)
ACRX_DXF_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, 0, 0, 0, SEQEND, ObjectDBX Classes)

namespace {
constexpr Adesk::Int16 kVertexCurveFitExtra = 1;
constexpr Adesk::Int16 kVertexTangentUsed = 2;
constexpr Adesk::Int16 kVertexSplineFit = 8;
constexpr Adesk::Int16 kVertexSplineControl = 16;
constexpr Adesk::Int16 kVertex3d = 32;
}  // namespace

// --- AcDb2dVertex ----------------------------------------------------------------------------

AcDb2dVertex::AcDb2dVertex() {}
AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth, double endWidth)
    : mPosition(position), mStartWidth(startWidth), mEndWidth(endWidth), mBulge(bulge)
{}
AcDb2dVertex::~AcDb2dVertex() = default;

AcDb2dVertex::Vertex2dType AcDb2dVertex::vertexType() const
{
    assertReadEnabled();
    if (mFlags & kVertexSplineControl) return k2dSplineCtlVertex;
    if (mFlags & kVertexSplineFit) return k2dSplineFitVertex;
    if (mFlags & kVertexCurveFitExtra) return k2dCurveFitVertex;
    return k2dVertex;
}
AcGePoint3d AcDb2dVertex::position() const
{
    assertReadEnabled();
    return mPosition;
}
Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& position)
{
    assertWriteEnabled();
    mPosition = position;
    return Acad::eOk;
}
double AcDb2dVertex::startWidth() const
{
    assertReadEnabled();
    return mStartWidth;
}
Acad::ErrorStatus AcDb2dVertex::setStartWidth(double width)
{
    assertWriteEnabled();
    mStartWidth = width;
    return Acad::eOk;
}
double AcDb2dVertex::endWidth() const
{
    assertReadEnabled();
    return mEndWidth;
}
Acad::ErrorStatus AcDb2dVertex::setEndWidth(double width)
{
    assertWriteEnabled();
    mEndWidth = width;
    return Acad::eOk;
}
double AcDb2dVertex::bulge() const
{
    assertReadEnabled();
    return mBulge;
}
Acad::ErrorStatus AcDb2dVertex::setBulge(double bulge)
{
    assertWriteEnabled();
    mBulge = bulge;
    return Acad::eOk;
}
double AcDb2dVertex::tangent() const
{
    assertReadEnabled();
    return mTangent;
}
Acad::ErrorStatus AcDb2dVertex::setTangent(double tangent)
{
    assertWriteEnabled();
    mTangent = tangent;
    mFlags |= kVertexTangentUsed;
    return Acad::eOk;
}
bool AcDb2dVertex::isTangentUsed() const
{
    assertReadEnabled();
    return (mFlags & kVertexTangentUsed) != 0;
}

void AcDb2dVertex::setPlaneOfOwner(const AcGeVector3d& normal, double elevation, bool keepLocalCoordinates)
{
    const AcGeVector3d unit = arx::db::unitNormal(normal);
    if (keepLocalCoordinates) {
        AcGePoint3d local = arx::db::worldToObject(mOwnerNormal) * mPosition;
        local.z = elevation;
        mPosition = arx::db::objectToWorld(unit) * local;
    }
    mOwnerNormal = unit;
    mOwnerElevation = elevation;
}

Acad::ErrorStatus AcDb2dVertex::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    mPosition.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writePoint3d(mPosition);
    filer->writeDouble(mStartWidth);
    filer->writeDouble(mEndWidth);
    filer->writeDouble(mBulge);
    filer->writeDouble(mTangent);
    filer->writeInt16(mFlags);
    filer->writeVector3d(mOwnerNormal);
    filer->writeDouble(mOwnerElevation);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb2dVertex::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readPoint3d(&mPosition);
    filer->readDouble(&mStartWidth);
    filer->readDouble(&mEndWidth);
    filer->readDouble(&mBulge);
    filer->readDouble(&mTangent);
    filer->readInt16(&mFlags);
    filer->readVector3d(&mOwnerNormal);
    filer->readDouble(&mOwnerElevation);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// In the file the position is in the object coordinates of the polyline's plane.
Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDbVertex");
    filer->writeString(AcDb::kDxfSubclass, "AcDb2dVertex");
    AcGePoint3d local = arx::db::worldToObject(mOwnerNormal) * mPosition;
    local.z = 0;
    filer->writePoint3d(AcDb::kDxfXCoord, local);
    if (mStartWidth != 0) filer->writeDouble(AcDb::kDxfReal, mStartWidth);
    if (mEndWidth != 0) filer->writeDouble(static_cast<AcDb::DxfCode>(41), mEndWidth);
    if (mBulge != 0) filer->writeDouble(static_cast<AcDb::DxfCode>(42), mBulge);
    filer->writeInt16(AcDb::kDxfInt16, mFlags);
    if (mFlags & kVertexTangentUsed) filer->writeDouble(AcDb::kDxfAngle, arx::db::degreesFromRadians(mTangent));
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbEntity::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader vertex(filer, "AcDbVertex", &mUnmodelled);
    if ((status = vertex.start()) != Acad::eOk) return status;
    arx::db::DxfItemList kept;
    while (const DxfItem* read = vertex.next()) kept.push_back(*read);
    arx::db::SubclassReader in(filer, "AcDb2dVertex", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mUnmodelled.items = std::move(kept);
    AcGePoint3d local;
    mStartWidth = mEndWidth = mBulge = mTangent = 0;
    mFlags = 0;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 10: local = item.point; break;
        case 40: mStartWidth = item.real; break;
        case 41: mEndWidth = item.real; break;
        case 42: mBulge = item.real; break;
        case 50: mTangent = arx::db::radiansFromDegrees(item.real); break;
        case 70: mFlags = static_cast<Adesk::Int16>(item.integer); break;
        default: in.keep(item); break;
        }
    }
    // Read in the plane noted so far; the polyline that adopts the vertex puts it into its
    // own plane (setPlaneOfOwner).
    local.z = mOwnerElevation;
    mPosition = arx::db::objectToWorld(mOwnerNormal) * local;
    return in.status();
}

// --- AcDb3dPolylineVertex --------------------------------------------------------------------

AcDb3dPolylineVertex::AcDb3dPolylineVertex() {}
AcDb3dPolylineVertex::AcDb3dPolylineVertex(const AcGePoint3d& position) : mPosition(position) {}
AcDb3dPolylineVertex::~AcDb3dPolylineVertex() = default;

AcDb3dPolylineVertex::Vertex3dType AcDb3dPolylineVertex::vertexType() const
{
    assertReadEnabled();
    if (mFlags & kVertexSplineControl) return k3dControlVertex;
    if (mFlags & kVertexSplineFit) return k3dFitVertex;
    return k3dSimpleVertex;
}
AcGePoint3d AcDb3dPolylineVertex::position() const
{
    assertReadEnabled();
    return mPosition;
}
Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& position)
{
    assertWriteEnabled();
    mPosition = position;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    mPosition.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolylineVertex::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writePoint3d(mPosition);
    filer->writeInt16(mFlags);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolylineVertex::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readPoint3d(&mPosition);
    filer->readInt16(&mFlags);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbEntity::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDbVertex");
    filer->writeString(AcDb::kDxfSubclass, "AcDb3dPolylineVertex");
    filer->writePoint3d(AcDb::kDxfXCoord, mPosition);
    filer->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(mFlags | kVertex3d));
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolylineVertex::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbEntity::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader vertex(filer, "AcDbVertex", &mUnmodelled);
    if ((status = vertex.start()) != Acad::eOk) return status;
    arx::db::DxfItemList kept;
    while (const DxfItem* read = vertex.next()) kept.push_back(*read);
    arx::db::SubclassReader in(filer, "AcDb3dPolylineVertex", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mUnmodelled.items = std::move(kept);
    mFlags = kVertex3d;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 10: mPosition = item.point; break;
        case 70: mFlags = static_cast<Adesk::Int16>(item.integer); break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}

// --- AcDbSequenceEnd -------------------------------------------------------------------------

AcDbSequenceEnd::AcDbSequenceEnd() = default;
AcDbSequenceEnd::~AcDbSequenceEnd() = default;

Acad::ErrorStatus AcDbSequenceEnd::dxfInFields(AcDbDxfFiler* filer) { return AcDbEntity::dxfInFields(filer); }
Acad::ErrorStatus AcDbSequenceEnd::dxfOutFields(AcDbDxfFiler* filer) const { return AcDbEntity::dxfOutFields(filer); }
