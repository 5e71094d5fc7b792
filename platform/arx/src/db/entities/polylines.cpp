// The old-style polylines: a POLYLINE entity owning its VERTEX entities and a SEQEND.
#include <cmath>

#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "geplane.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, 0, 0, 0, POLYLINE, ObjectDBX Classes)
ACRX_DXF_DEFINE_MEMBERS(AcDb3dPolyline, AcDbCurve, 0, 0, 0, POLYLINE, ObjectDBX Classes)

namespace {

constexpr Adesk::Int16 kClosed = 1;
constexpr Adesk::Int16 kCurveFit = 2;
constexpr Adesk::Int16 kSplineFit = 4;
constexpr Adesk::Int16 k3d = 8;
constexpr Adesk::Int16 kLinetypeContinuous = 128;

// Appends a vertex (in no database yet) to a polyline that is in one: the vertex is added
// to the database, owned by the polyline, and closed.
template <class Vertex>
Acad::ErrorStatus appendOwned(AcDbEntity* polyline, Vertex* vertex, AcDbObjectId& vertexId)
{
    AcDbDatabase* db = polyline->database();
    if (db == nullptr) return Acad::eNoDatabase;
    Acad::ErrorStatus status = db->addAcDbObject(vertexId, vertex);
    if (status != Acad::eOk) return status;
    vertex->setOwnerId(polyline->objectId());
    vertex->setPropertiesFrom(polyline);
    vertex->close();
    return Acad::eOk;
}

// A sequence end for a polyline that has none yet.
AcDbObjectId makeSequenceEnd(AcDbEntity* owner)
{
    AcDbDatabase* db = owner->database();
    auto* end = new AcDbSequenceEnd;
    AcDbObjectId id;
    if (db == nullptr || db->addAcDbObject(id, end) != Acad::eOk) {
        delete end;
        return AcDbObjectId();
    }
    end->setOwnerId(owner->objectId());
    end->setPropertiesFrom(owner);
    end->close();
    return id;
}

template <class Vertex>
Acad::ErrorStatus openVertex(const AcDbObjectIdArray& ids, int index, Vertex*& vertex, AcDb::OpenMode mode)
{
    if (index < 0 || index >= ids.length()) return Acad::eInvalidIndex;
    return acdbOpenObject(vertex, ids[index], mode);
}

// Erases or unerases the owned entities along with their owner.
Acad::ErrorStatus eraseOwned(const AcDbObjectIdArray& ids, const AcDbObjectId& end, bool erasing)
{
    AcDbObjectIdArray all = ids;
    if (!end.isNull()) all.append(end);
    for (int i = 0; i < all.length(); ++i) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, all[i], AcDb::kForWrite, true) != Acad::eOk) continue;
        if (object->isErased() != erasing) object->erase(erasing);
        object->close();
    }
    return Acad::eOk;
}

// Every vertex position in order, as grip points.
template <class Polyline>
void appendVertexPositions(const Polyline& polyline, AcGePoint3dArray& points)
{
    AcGePoint3d point;
    for (int i = 0; polyline.vertexPosition(i, point) == Acad::eOk; ++i) points.append(point);
}

// Moves the vertices at the indices by the offset.
template <class Vertex>
void moveVertices(const AcDbObjectIdArray& ids, const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i = 0; i < indices.length(); ++i) {
        Vertex* vertex = nullptr;
        if (openVertex(ids, indices[i], vertex, AcDb::kForWrite) != Acad::eOk) continue;
        vertex->setPosition(vertex->position() + offset);
        vertex->close();
    }
}

// The owned vertices and the sequence end through the DWG filers (undo, copies).
void dwgOutOwned(AcDbDwgFiler* filer, const AcDbObjectIdArray& vertices, AcDbObjectId end)
{
    filer->writeInt32(vertices.length());
    for (int i = 0; i < vertices.length(); ++i) filer->writeHardOwnershipId(AcDbHardOwnershipId(vertices[i]));
    filer->writeHardOwnershipId(AcDbHardOwnershipId(end));
}

Acad::ErrorStatus dwgInOwned(AcDbDwgFiler* filer, AcDbObjectIdArray& vertices, AcDbObjectId& end)
{
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (count < 0) return Acad::eInvalidInput;
    vertices.setLogicalLength(0);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHardOwnershipId id;
        filer->readHardOwnershipId(&id);
        vertices.append(id);
    }
    AcDbHardOwnershipId last;
    filer->readHardOwnershipId(&last);
    end = last;
    return Acad::eOk;
}

}  // namespace

// --- AcDb2dPolyline --------------------------------------------------------------------------

AcDb2dPolyline::AcDb2dPolyline() {}

AcDb2dPolyline::AcDb2dPolyline(Poly2dType type, const AcGePoint3dArray& vertices, double elevation,
                               Adesk::Boolean closed, double defStartWidth, double defEndWidth,
                               const AcArray<double>* bulges)
    : mElevation(elevation), mDefaultStartWidth(defStartWidth), mDefaultEndWidth(defEndWidth)
{
    mFlags = closed ? kClosed : 0;
    mCurveType = type == k2dQuadSplinePoly ? 5 : type == k2dCubicSplinePoly ? 6 : 0;
    if (type == k2dFitCurvePoly) mFlags |= kCurveFit;
    if (type == k2dQuadSplinePoly || type == k2dCubicSplinePoly) mFlags |= kSplineFit;
    for (int i = 0; i < vertices.length(); ++i) {
        AcGePoint3d point = vertices[i];
        point.z = elevation;  // the constructor's points are in the world XY plane at the elevation
        auto* vertex =
            new AcDb2dVertex(point, bulges && i < bulges->length() ? (*bulges)[i] : 0.0, defStartWidth, defEndWidth);
        vertex->setPlaneOfOwner(mNormal, mElevation, false);
        mPendingVertices.append(vertex);
    }
}

AcDb2dPolyline::~AcDb2dPolyline()
{
    for (int i = 0; i < mPendingVertices.length(); ++i) delete mPendingVertices[i];
}

AcDb2dPolyline::Poly2dType AcDb2dPolyline::polyType() const
{
    assertReadEnabled();
    if (mFlags & kSplineFit) return mCurveType == 5 ? k2dQuadSplinePoly : k2dCubicSplinePoly;
    if (mFlags & kCurveFit) return k2dFitCurvePoly;
    return k2dSimplePoly;
}

Acad::ErrorStatus AcDb2dPolyline::setPolyType(Poly2dType type)
{
    assertWriteEnabled();
    mFlags &= ~(kCurveFit | kSplineFit);
    mCurveType = 0;
    if (type == k2dFitCurvePoly) mFlags |= kCurveFit;
    if (type == k2dQuadSplinePoly || type == k2dCubicSplinePoly) {
        mFlags |= kSplineFit;
        mCurveType = type == k2dQuadSplinePoly ? 5 : 6;
    }
    return Acad::eOk;
}

Adesk::Boolean AcDb2dPolyline::isClosed() const
{
    assertReadEnabled();
    return (mFlags & kClosed) != 0;
}
Acad::ErrorStatus AcDb2dPolyline::makeClosed()
{
    assertWriteEnabled();
    mFlags |= kClosed;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb2dPolyline::makeOpen()
{
    assertWriteEnabled();
    mFlags &= ~kClosed;
    return Acad::eOk;
}
double AcDb2dPolyline::elevation() const
{
    assertReadEnabled();
    return mElevation;
}
double AcDb2dPolyline::thickness() const
{
    assertReadEnabled();
    return mThickness;
}
Acad::ErrorStatus AcDb2dPolyline::setThickness(double thickness)
{
    assertWriteEnabled();
    mThickness = thickness;
    return Acad::eOk;
}
AcGeVector3d AcDb2dPolyline::normal() const
{
    assertReadEnabled();
    return mNormal;
}
double AcDb2dPolyline::defaultStartWidth() const
{
    assertReadEnabled();
    return mDefaultStartWidth;
}
double AcDb2dPolyline::defaultEndWidth() const
{
    assertReadEnabled();
    return mDefaultEndWidth;
}
Acad::ErrorStatus AcDb2dPolyline::setDefaultStartWidth(double width)
{
    assertWriteEnabled();
    mDefaultStartWidth = width;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb2dPolyline::setDefaultEndWidth(double width)
{
    assertWriteEnabled();
    mDefaultEndWidth = width;
    return Acad::eOk;
}
bool AcDb2dPolyline::isLinetypeGenerationOn() const
{
    assertReadEnabled();
    return (mFlags & kLinetypeContinuous) != 0;
}

// Moving the plane keeps the vertices' coordinates in the plane.
Acad::ErrorStatus AcDb2dPolyline::setElevation(double elevation)
{
    assertWriteEnabled();
    mElevation = elevation;
    for (int i = 0; i < mVertices.length(); ++i) {
        AcDb2dVertex* vertex = nullptr;
        if (openVertex(mVertices, i, vertex, AcDb::kForWrite) != Acad::eOk) continue;
        vertex->setPlaneOfOwner(mNormal, mElevation);
        vertex->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return setElevation(mElevation);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex)
{
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex)
{
    if (vertex == nullptr) return Acad::eNullObjectPointer;
    assertWriteEnabled();
    vertex->setPlaneOfOwner(mNormal, mElevation, false);
    if (database() == nullptr) {
        mPendingVertices.append(vertex);
        return Acad::eOk;
    }
    const Acad::ErrorStatus status = appendOwned(this, vertex, vertexId);
    if (status != Acad::eOk) return status;
    mVertices.append(vertexId);
    if (mSequenceEnd.isNull()) mSequenceEnd = makeSequenceEnd(this);
    return Acad::eOk;
}

AcDbObjectIdArray AcDb2dPolyline::vertexIds() const
{
    assertReadEnabled();
    // A polyline made with vertices and then added to a database gets them now.
    if (mPendingVertices.length() > 0 && database() != nullptr && isWriteEnabled()) {
        auto* self = const_cast<AcDb2dPolyline*>(this);
        AcArray<AcDb2dVertex*> pending = self->mPendingVertices;
        self->mPendingVertices.setLogicalLength(0);
        for (int i = 0; i < pending.length(); ++i) self->appendVertex(pending[i]);
    }
    return mVertices;
}

AcDbObjectId AcDb2dPolyline::sequenceEndId() const
{
    assertReadEnabled();
    return mSequenceEnd;
}

Acad::ErrorStatus AcDb2dPolyline::vertexPosition(int index, AcGePoint3d& position, double* bulge) const
{
    assertReadEnabled();
    if (mVertices.length() == 0 && index >= 0 && index < mPendingVertices.length()) {
        position = mPendingVertices[index]->position();
        if (bulge) *bulge = mPendingVertices[index]->bulge();
        return Acad::eOk;
    }
    AcDb2dVertex* vertex = nullptr;
    const Acad::ErrorStatus status = openVertex(mVertices, index, vertex, AcDb::kForRead);
    if (status != Acad::eOk) return status;
    position = vertex->position();
    if (bulge) *bulge = vertex->bulge();
    vertex->close();
    return Acad::eOk;
}

void AcDb2dPolyline::adoptSubentity(AcDbObjectId id, bool isSequenceEnd)
{
    if (isSequenceEnd) {
        mSequenceEnd = id;
        return;
    }
    AcDb2dVertex* vertex = nullptr;
    if (acdbOpenObject(vertex, id, AcDb::kForWrite) == Acad::eOk) {
        vertex->setPlaneOfOwner(mNormal, mElevation);
        vertex->close();
    }
    mVertices.append(id);
}

Acad::ErrorStatus AcDb2dPolyline::getPlane(AcGePlane& plane, AcDb::Planarity& type) const
{
    assertReadEnabled();
    type = AcDb::kPlanar;
    plane = AcGePlane(arx::db::objectToWorld(mNormal) * AcGePoint3d(0, 0, mElevation), mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getStartParam(double& param) const
{
    param = 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb2dPolyline::getEndParam(double& param) const
{
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    if (count == 0) return Acad::eInvalidInput;
    param = isClosed() ? count : count - 1;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb2dPolyline::getStartPoint(AcGePoint3d& point) const { return vertexPosition(0, point); }
Acad::ErrorStatus AcDb2dPolyline::getEndPoint(AcGePoint3d& point) const
{
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    return vertexPosition(isClosed() ? 0 : count - 1, point);
}

Acad::ErrorStatus AcDb2dPolyline::getPointAtParam(double param, AcGePoint3d& point) const
{
    double end = 0;
    if (getEndParam(end) != Acad::eOk || param < -1e-10 || param > end + 1e-10) return Acad::eInvalidInput;
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    if (pieces.empty()) return vertexPosition(0, point);
    const int index = std::min(static_cast<int>(param), static_cast<int>(pieces.size()) - 1);
    const double fraction = param - index;
    const arx::db::CurvePiece& piece = pieces[static_cast<std::size_t>(index)];
    if (!piece.isArc) point = piece.start + (piece.end - piece.start) * fraction;
    else point = piece.arc.evalPoint(piece.arc.startAng() + (piece.arc.endAng() - piece.arc.startAng()) * fraction);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getArea(double& area) const
{
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    const AcGeMatrix3d toPlane = arx::db::worldToObject(mNormal);
    double twice = 0;
    for (const arx::db::CurvePiece& piece : pieces) {
        const AcGePoint3d a = toPlane * piece.start, b = toPlane * piece.end;
        twice += a.x * b.y - b.x * a.y;
    }
    area = std::fabs(twice / 2);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getGeomExtents(AcDbExtents& extents) const
{
    extents = AcDbExtents();
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    for (const arx::db::CurvePiece& piece : pieces) arx::db::addPieceExtents(piece, extents);
    AcGePoint3d first;
    if (pieces.empty() && vertexPosition(0, first) == Acad::eOk) extents.addPoint(first);
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& xform)
{
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    assertWriteEnabled();
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform);
    const double scale = normal.length();
    normal /= scale;
    const AcGePoint3d origin = xform * (arx::db::objectToWorld(mNormal) * AcGePoint3d(0, 0, mElevation));
    mNormal = normal;
    mElevation = (arx::db::worldToObject(mNormal) * origin).z;
    mThickness *= scale;
    vertexIds();
    for (int i = 0; i < mVertices.length(); ++i) {
        AcDb2dVertex* vertex = nullptr;
        if (openVertex(mVertices, i, vertex, AcDb::kForWrite) != Acad::eOk) continue;
        vertex->transformBy(xform);
        vertex->setPlaneOfOwner(mNormal, mElevation, false);
        if (xform.det() < 0) vertex->setBulge(-vertex->bulge());
        vertex->close();
    }
    for (int i = 0; i < mPendingVertices.length(); ++i) {
        mPendingVertices[i]->transformBy(xform);
        mPendingVertices[i]->setPlaneOfOwner(mNormal, mElevation, false);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    appendVertexPositions(*this, gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    // Offsets are kept in the polyline's plane.
    moveVertices<AcDb2dVertex>(mVertices, indices, offset - mNormal * offset.dotProduct(mNormal));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    return arx::db::explodeIntoPieces(this, entitySet);
}

Acad::ErrorStatus AcDb2dPolyline::subErase(Adesk::Boolean erasing)
{
    const Acad::ErrorStatus status = AcDbCurve::subErase(erasing);
    if (status != Acad::eOk) return status;
    return eraseOwned(mVertices, mSequenceEnd, erasing);
}

Acad::ErrorStatus AcDb2dPolyline::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeInt16(mFlags);
    filer->writeInt16(mCurveType);
    filer->writeDouble(mElevation);
    filer->writeDouble(mThickness);
    filer->writeDouble(mDefaultStartWidth);
    filer->writeDouble(mDefaultEndWidth);
    filer->writeVector3d(mNormal);
    dwgOutOwned(filer, mVertices, mSequenceEnd);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb2dPolyline::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readInt16(&mFlags);
    filer->readInt16(&mCurveType);
    filer->readDouble(&mElevation);
    filer->readDouble(&mThickness);
    filer->readDouble(&mDefaultStartWidth);
    filer->readDouble(&mDefaultEndWidth);
    filer->readVector3d(&mNormal);
    if (dwgInOwned(filer, mVertices, mSequenceEnd) != Acad::eOk) return Acad::eInvalidInput;
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// POLYLINE: a dummy point (0, 0, elevation), flags, widths, curve type and normal; the
// vertices follow as their own records.
Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDb2dPolyline");
    filer->writeInt16(AcDb::kDxfHasSubentities, 1);
    filer->writePoint3d(AcDb::kDxfXCoord, AcGePoint3d(0, 0, mElevation));
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    filer->writeInt16(AcDb::kDxfInt16, mFlags);
    if (mDefaultStartWidth != 0) filer->writeDouble(AcDb::kDxfReal, mDefaultStartWidth);
    if (mDefaultEndWidth != 0) filer->writeDouble(static_cast<AcDb::DxfCode>(41), mDefaultEndWidth);
    if (mCurveType != 0) filer->writeInt16(static_cast<AcDb::DxfCode>(75), mCurveType);
    if (!mNormal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDb2dPolyline", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mFlags = mCurveType = 0;
    mElevation = mThickness = mDefaultStartWidth = mDefaultEndWidth = 0;
    mNormal = AcGeVector3d::kZAxis;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 66: break;  // "vertices follow": always so
        case 10: mElevation = item.point.z; break;
        case 39: mThickness = item.real; break;
        case 70: mFlags = static_cast<Adesk::Int16>(item.integer); break;
        case 40: mDefaultStartWidth = item.real; break;
        case 41: mDefaultEndWidth = item.real; break;
        case 75: mCurveType = static_cast<Adesk::Int16>(item.integer); break;
        case 210: mNormal = arx::db::unitNormal(item.point.asVector()); break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}

// --- AcDb3dPolyline --------------------------------------------------------------------------

AcDb3dPolyline::AcDb3dPolyline() {}

AcDb3dPolyline::AcDb3dPolyline(Poly3dType type, const AcGePoint3dArray& vertices, Adesk::Boolean closed)
{
    mFlags = static_cast<Adesk::Int16>(k3d | (closed ? kClosed : 0) | (type != k3dSimplePoly ? kSplineFit : 0));
    mCurveType = type == k3dQuadSplinePoly ? 5 : type == k3dCubicSplinePoly ? 6 : 0;
    for (int i = 0; i < vertices.length(); ++i) mPendingVertices.append(new AcDb3dPolylineVertex(vertices[i]));
}

AcDb3dPolyline::~AcDb3dPolyline()
{
    for (int i = 0; i < mPendingVertices.length(); ++i) delete mPendingVertices[i];
}

AcDb3dPolyline::Poly3dType AcDb3dPolyline::polyType() const
{
    assertReadEnabled();
    if (!(mFlags & kSplineFit)) return k3dSimplePoly;
    return mCurveType == 5 ? k3dQuadSplinePoly : k3dCubicSplinePoly;
}

Adesk::Boolean AcDb3dPolyline::isClosed() const
{
    assertReadEnabled();
    return (mFlags & kClosed) != 0;
}
Acad::ErrorStatus AcDb3dPolyline::makeClosed()
{
    assertWriteEnabled();
    mFlags |= kClosed;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb3dPolyline::makeOpen()
{
    assertWriteEnabled();
    mFlags &= ~kClosed;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex)
{
    AcDbObjectId id;
    return appendVertex(id, vertex);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb3dPolylineVertex* vertex)
{
    if (vertex == nullptr) return Acad::eNullObjectPointer;
    assertWriteEnabled();
    if (database() == nullptr) {
        mPendingVertices.append(vertex);
        return Acad::eOk;
    }
    const Acad::ErrorStatus status = appendOwned(this, vertex, vertexId);
    if (status != Acad::eOk) return status;
    mVertices.append(vertexId);
    if (mSequenceEnd.isNull()) mSequenceEnd = makeSequenceEnd(this);
    return Acad::eOk;
}

AcDbObjectIdArray AcDb3dPolyline::vertexIds() const
{
    assertReadEnabled();
    if (mPendingVertices.length() > 0 && database() != nullptr && isWriteEnabled()) {
        auto* self = const_cast<AcDb3dPolyline*>(this);
        AcArray<AcDb3dPolylineVertex*> pending = self->mPendingVertices;
        self->mPendingVertices.setLogicalLength(0);
        for (int i = 0; i < pending.length(); ++i) self->appendVertex(pending[i]);
    }
    return mVertices;
}

AcDbObjectId AcDb3dPolyline::sequenceEndId() const
{
    assertReadEnabled();
    return mSequenceEnd;
}

Acad::ErrorStatus AcDb3dPolyline::vertexPosition(int index, AcGePoint3d& position) const
{
    assertReadEnabled();
    if (mVertices.length() == 0 && index >= 0 && index < mPendingVertices.length()) {
        position = mPendingVertices[index]->position();
        return Acad::eOk;
    }
    AcDb3dPolylineVertex* vertex = nullptr;
    const Acad::ErrorStatus status = openVertex(mVertices, index, vertex, AcDb::kForRead);
    if (status != Acad::eOk) return status;
    position = vertex->position();
    vertex->close();
    return Acad::eOk;
}

void AcDb3dPolyline::adoptSubentity(AcDbObjectId id, bool isSequenceEnd)
{
    if (isSequenceEnd) mSequenceEnd = id;
    else mVertices.append(id);
}

Acad::ErrorStatus AcDb3dPolyline::getStartParam(double& param) const
{
    param = 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb3dPolyline::getEndParam(double& param) const
{
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    if (count == 0) return Acad::eInvalidInput;
    param = isClosed() ? count : count - 1;
    return Acad::eOk;
}
Acad::ErrorStatus AcDb3dPolyline::getStartPoint(AcGePoint3d& point) const { return vertexPosition(0, point); }
Acad::ErrorStatus AcDb3dPolyline::getEndPoint(AcGePoint3d& point) const
{
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    return vertexPosition(isClosed() ? 0 : count - 1, point);
}

Acad::ErrorStatus AcDb3dPolyline::getPointAtParam(double param, AcGePoint3d& point) const
{
    double end = 0;
    if (getEndParam(end) != Acad::eOk || param < -1e-10 || param > end + 1e-10) return Acad::eInvalidInput;
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    const int index = std::min(static_cast<int>(param), std::max(0, static_cast<int>(end) - 1));
    AcGePoint3d a, b;
    if (vertexPosition(index, a) != Acad::eOk) return Acad::eInvalidInput;
    if (count == 1) {
        point = a;
        return Acad::eOk;
    }
    if (vertexPosition((index + 1) % count, b) != Acad::eOk) return Acad::eInvalidInput;
    point = a + (b - a) * (param - index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::getGeomExtents(AcDbExtents& extents) const
{
    extents = AcDbExtents();
    const int count = std::max(vertexIds().length(), mPendingVertices.length());
    for (int i = 0; i < count; ++i) {
        AcGePoint3d point;
        if (vertexPosition(i, point) == Acad::eOk) extents.addPoint(point);
    }
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    vertexIds();
    for (int i = 0; i < mVertices.length(); ++i) {
        AcDb3dPolylineVertex* vertex = nullptr;
        if (openVertex(mVertices, i, vertex, AcDb::kForWrite) != Acad::eOk) continue;
        vertex->transformBy(xform);
        vertex->close();
    }
    for (int i = 0; i < mPendingVertices.length(); ++i) mPendingVertices[i]->transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    appendVertexPositions(*this, gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    moveVertices<AcDb3dPolylineVertex>(mVertices, indices, offset);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    return arx::db::explodeIntoPieces(this, entitySet);
}

Acad::ErrorStatus AcDb3dPolyline::subErase(Adesk::Boolean erasing)
{
    const Acad::ErrorStatus status = AcDbCurve::subErase(erasing);
    if (status != Acad::eOk) return status;
    return eraseOwned(mVertices, mSequenceEnd, erasing);
}

Acad::ErrorStatus AcDb3dPolyline::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeInt16(mFlags);
    filer->writeInt16(mCurveType);
    dwgOutOwned(filer, mVertices, mSequenceEnd);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolyline::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readInt16(&mFlags);
    filer->readInt16(&mCurveType);
    if (dwgInOwned(filer, mVertices, mSequenceEnd) != Acad::eOk) return Acad::eInvalidInput;
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDb3dPolyline");
    filer->writeInt16(AcDb::kDxfHasSubentities, 1);
    filer->writePoint3d(AcDb::kDxfXCoord, AcGePoint3d());
    filer->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(mFlags | k3d));
    if (mCurveType != 0) filer->writeInt16(static_cast<AcDb::DxfCode>(75), mCurveType);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDb3dPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDb3dPolyline", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mFlags = k3d;
    mCurveType = 0;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 66: break;
        case 10: break;  // the dummy point
        case 70: mFlags = static_cast<Adesk::Int16>(item.integer); break;
        case 75: mCurveType = static_cast<Adesk::Int16>(item.integer); break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}
