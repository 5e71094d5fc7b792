#include <cmath>

#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbpl.h"
#include "geplane.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, 0, 0, 0, LWPOLYLINE, ObjectDBX Classes)

namespace {
constexpr Adesk::Int16 kLwClosed = 1;
constexpr Adesk::Int16 kLwPlinegen = 128;
}  // namespace

AcDbPolyline::AcDbPolyline(unsigned int numVerts) : mVertices(static_cast<int>(numVerts)) {}
AcDbPolyline::~AcDbPolyline() = default;

unsigned int AcDbPolyline::numVerts() const
{
    assertReadEnabled();
    return static_cast<unsigned>(mVertices.length());
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge, double startWidth,
                                            double endWidth)
{
    if (index > static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    assertWriteEnabled();
    Vertex vertex;
    vertex.point = pt;
    vertex.bulge = bulge;
    // A negative width means "the constant width".
    vertex.startWidth = startWidth < 0 ? mConstantWidth : startWidth;
    vertex.endWidth = endWidth < 0 ? mConstantWidth : endWidth;
    mVertices.insertAt(static_cast<int>(index), vertex);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index)
{
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVertices.removeAt(static_cast<int>(index));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const
{
    assertReadEnabled();
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    pt = mVertices[static_cast<int>(index)].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const
{
    AcGePoint2d point;
    const Acad::ErrorStatus status = getPointAt(index, point);
    if (status == Acad::eOk) pt = arx::db::objectToWorld(mNormal) * AcGePoint3d(point.x, point.y, mElevation);
    return status;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt)
{
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVertices[static_cast<int>(index)].point = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    assertReadEnabled();
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    bulge = mVertices[static_cast<int>(index)].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVertices[static_cast<int>(index)].bulge = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    assertReadEnabled();
    if (index >= static_cast<unsigned>(mVertices.length())) return Acad::eInvalidIndex;
    startWidth = mVertices[static_cast<int>(index)].startWidth;
    endWidth = mVertices[static_cast<int>(index)].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (index >= static_cast<unsigned>(mVertices.length()) || startWidth < 0 || endWidth < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    mVertices[static_cast<int>(index)].startWidth = startWidth;
    mVertices[static_cast<int>(index)].endWidth = endWidth;
    return Acad::eOk;
}

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const
{
    assertReadEnabled();
    const unsigned count = static_cast<unsigned>(mVertices.length());
    if (count == 0) return kEmpty;
    if (count == 1) return kPoint;
    if (index >= count || (index == count - 1 && !isClosed())) return kEmpty;
    const Vertex& a = mVertices[static_cast<int>(index)];
    const Vertex& b = mVertices[static_cast<int>((index + 1) % count)];
    if (a.point.isEqualTo(b.point)) return kCoincident;
    return a.bulge == 0 ? kLine : kArc;
}

Adesk::Boolean AcDbPolyline::isClosed() const
{
    assertReadEnabled();
    return (mFlags & kLwClosed) != 0;
}
void AcDbPolyline::setClosed(Adesk::Boolean closed)
{
    assertWriteEnabled();
    mFlags = closed ? (mFlags | kLwClosed) : (mFlags & ~kLwClosed);
}
bool AcDbPolyline::hasPlinegen() const
{
    assertReadEnabled();
    return (mFlags & kLwPlinegen) != 0;
}
void AcDbPolyline::setPlinegen(bool plinegen)
{
    assertWriteEnabled();
    mFlags = plinegen ? (mFlags | kLwPlinegen) : (mFlags & ~kLwPlinegen);
}
double AcDbPolyline::elevation() const
{
    assertReadEnabled();
    return mElevation;
}
void AcDbPolyline::setElevation(double elevation)
{
    assertWriteEnabled();
    mElevation = elevation;
}
double AcDbPolyline::thickness() const
{
    assertReadEnabled();
    return mThickness;
}
Acad::ErrorStatus AcDbPolyline::setThickness(double thickness)
{
    assertWriteEnabled();
    mThickness = thickness;
    return Acad::eOk;
}
AcGeVector3d AcDbPolyline::normal() const
{
    assertReadEnabled();
    return mNormal;
}
Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const
{
    assertReadEnabled();
    width = mConstantWidth;
    for (int i = 0; i < mVertices.length(); ++i)
        if (mVertices[i].startWidth != mConstantWidth || mVertices[i].endWidth != mConstantWidth) {
            width = -1;
            return Acad::eNotApplicable;
        }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width)
{
    if (width < 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mConstantWidth = width;
    for (int i = 0; i < mVertices.length(); ++i) mVertices[i].startWidth = mVertices[i].endWidth = width;
    return Acad::eOk;
}

bool AcDbPolyline::isOnlyLines() const
{
    assertReadEnabled();
    for (int i = 0; i < mVertices.length(); ++i)
        if (mVertices[i].bulge != 0) return false;
    return true;
}

Acad::ErrorStatus AcDbPolyline::getPlane(AcGePlane& plane, AcDb::Planarity& type) const
{
    assertReadEnabled();
    type = AcDb::kPlanar;
    plane = AcGePlane(arx::db::objectToWorld(mNormal) * AcGePoint3d(0, 0, mElevation), mNormal);
    return Acad::eOk;
}

// Parameters: vertex i at i; a closed polyline ends at numVerts.
Acad::ErrorStatus AcDbPolyline::getStartParam(double& param) const
{
    param = 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getEndParam(double& param) const
{
    const int count = static_cast<int>(numVerts());
    if (count == 0) return Acad::eInvalidInput;
    param = isClosed() ? count : count - 1;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbPolyline::getStartPoint(AcGePoint3d& point) const { return getPointAt(0, point); }
Acad::ErrorStatus AcDbPolyline::getEndPoint(AcGePoint3d& point) const
{
    const unsigned count = numVerts();
    if (count == 0) return Acad::eInvalidInput;
    return getPointAt(isClosed() ? 0 : count - 1, point);
}

Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const
{
    double end = 0;
    if (getEndParam(end) != Acad::eOk || param < -1e-10 || param > end + 1e-10) return Acad::eInvalidInput;
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    if (pieces.empty()) return getPointAt(0, point);
    const int index = std::min(static_cast<int>(param), static_cast<int>(pieces.size()) - 1);
    const double fraction = param - index;
    const arx::db::CurvePiece& piece = pieces[static_cast<std::size_t>(index)];
    if (!piece.isArc) point = piece.start + (piece.end - piece.start) * fraction;
    else point = piece.arc.evalPoint(piece.arc.startAng() + (piece.arc.endAng() - piece.arc.startAng()) * fraction);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const arx::db::CurvePiece& piece = pieces[i];
        double t = 0;
        if (!piece.isArc) {
            const AcGeVector3d d = piece.end - piece.start;
            if (d.isZeroLength()) continue;
            t = (point - piece.start).dotProduct(d) / d.lengthSqrd();
            if (t < -1e-10 || t > 1 + 1e-10 || !(piece.start + d * t).isEqualTo(point)) continue;
        } else {
            double angle = 0;
            if (!piece.arc.isOn(point, angle)) continue;
            t = (angle - piece.arc.startAng()) / (piece.arc.endAng() - piece.arc.startAng());
        }
        param = static_cast<double>(i) + t;
        return Acad::eOk;
    }
    return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const
{
    double end = 0;
    if (getEndParam(end) != Acad::eOk || param < -1e-10 || param > end + 1e-10) return Acad::eInvalidInput;
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    dist = 0;
    for (std::size_t i = 0; i < pieces.size() && static_cast<double>(i) < param; ++i) {
        const double fraction = std::min(1.0, param - static_cast<double>(i));
        const arx::db::CurvePiece& piece = pieces[i];
        const double length = piece.isArc ? piece.arc.radius() * (piece.arc.endAng() - piece.arc.startAng())
                                          : piece.start.distanceTo(piece.end);
        dist += length * fraction;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                                  Adesk::Boolean) const
{
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    if (pieces.empty()) return getPointAt(0, pointOnCurve);
    AcGePoint3dArray candidates;
    arx::db::osnapPieces(pieces, AcDb::kOsModeNear, givenPoint, givenPoint, candidates);
    double best = -1;
    for (int i = 0; i < candidates.length(); ++i) {
        const double distance = candidates[i].distanceTo(givenPoint);
        if (best < 0 || distance < best) {
            best = distance;
            pointOnCurve = candidates[i];
        }
    }
    return Acad::eOk;
}

// Shoelace area of the vertices plus the segments the bulges add (signed by their side).
Acad::ErrorStatus AcDbPolyline::getArea(double& area) const
{
    assertReadEnabled();
    const int count = mVertices.length();
    double twice = 0, arcs = 0;
    for (int i = 0; i < count; ++i) {
        const Vertex& a = mVertices[i];
        const Vertex& b = mVertices[(i + 1) % count];
        twice += a.point.x * b.point.y - b.point.x * a.point.y;
        if (a.bulge != 0 && (i < count - 1 || isClosed())) {
            const double chord = std::hypot(b.point.x - a.point.x, b.point.y - a.point.y);
            const double angle = 4 * std::atan(a.bulge);
            const double radius = chord / (2 * std::sin(std::fabs(angle) / 2));
            arcs += (angle > 0 ? 1 : -1) * 0.5 * radius * radius * (std::fabs(angle) - std::sin(std::fabs(angle)));
        }
    }
    area = std::fabs(twice / 2 + arcs);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    for (const arx::db::CurvePiece& piece : pieces) arx::db::addPieceExtents(piece, extents);
    if (pieces.empty() && mVertices.length() > 0) {
        AcGePoint3d point;
        getPointAt(0, point);
        extents.addPoint(point);
    }
    if (extents.isEmpty()) return Acad::eInvalidExtents;
    return Acad::eOk;
}

// The polyline stays in a plane: the vertices are carried into the new plane's object
// coordinates. A non-uniform scale cannot keep arcs circular: eNotApplicable.
Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& xform)
{
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    assertWriteEnabled();
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform);
    const double scale = normal.length();
    normal /= scale;
    const bool mirrored = xform.det() < 0;
    if (mirrored) normal = -normal;
    const AcGeMatrix3d fromObject = arx::db::objectToWorld(mNormal);
    const AcGeMatrix3d toObject = arx::db::worldToObject(normal);
    double elevation = mElevation;
    for (int i = 0; i < mVertices.length(); ++i) {
        Vertex& vertex = mVertices[i];
        AcGePoint3d world = fromObject * AcGePoint3d(vertex.point.x, vertex.point.y, mElevation);
        world.transformBy(xform);
        const AcGePoint3d local = toObject * world;
        vertex.point.set(local.x, local.y);
        elevation = local.z;
        vertex.startWidth *= scale;
        vertex.endWidth *= scale;
        if (mirrored) vertex.bulge = -vertex.bulge;
    }
    if (mVertices.length() == 0) elevation = (toObject * (xform * (fromObject * AcGePoint3d(0, 0, mElevation)))).z;
    mElevation = elevation;
    mNormal = normal;
    mThickness *= mirrored ? -scale : scale;
    mConstantWidth *= scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    for (unsigned i = 0; i < numVerts(); ++i) {
        AcGePoint3d point;
        getPointAt(i, point);
        gripPoints.append(point);
    }
    return Acad::eOk;
}

// Moves the vertices with those indices (the offset taken into the polyline's plane).
Acad::ErrorStatus AcDbPolyline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    const AcGeVector3d local = arx::db::worldToObject(mNormal) * offset;
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] < 0 || indices[i] >= mVertices.length()) continue;
        AcGePoint2d& point = mVertices[indices[i]].point;
        point.set(point.x + local.x, point.y + local.y);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    return arx::db::explodeIntoPieces(this, entitySet);
}

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeInt16(mFlags);
    filer->writeDouble(mConstantWidth);
    filer->writeDouble(mElevation);
    filer->writeDouble(mThickness);
    filer->writeVector3d(mNormal);
    filer->writeInt32(mVertices.length());
    for (int i = 0; i < mVertices.length(); ++i) {
        const Vertex& vertex = mVertices[i];
        filer->writePoint2d(vertex.point);
        filer->writeDouble(vertex.bulge);
        filer->writeDouble(vertex.startWidth);
        filer->writeDouble(vertex.endWidth);
        filer->writeInt32(vertex.id);
    }
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readInt16(&mFlags);
    filer->readDouble(&mConstantWidth);
    filer->readDouble(&mElevation);
    filer->readDouble(&mThickness);
    filer->readVector3d(&mNormal);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (count < 0) return Acad::eInvalidInput;
    mVertices.setLogicalLength(0);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        Vertex vertex;
        filer->readPoint2d(&vertex.point);
        filer->readDouble(&vertex.bulge);
        filer->readDouble(&vertex.startWidth);
        filer->readDouble(&vertex.endWidth);
        filer->readInt32(&vertex.id);
        mVertices.append(vertex);
    }
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDbPolyline");
    filer->writeInt32(AcDb::kDxfInt32, mVertices.length());
    filer->writeInt16(AcDb::kDxfInt16, mFlags);
    double constant = 0;
    const bool hasConstantWidth = getConstantWidth(constant) == Acad::eOk;
    if (hasConstantWidth) filer->writeDouble(static_cast<AcDb::DxfCode>(43), mConstantWidth);
    if (mElevation != 0) filer->writeDouble(AcDb::kDxfElevation, mElevation);
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    for (int i = 0; i < mVertices.length(); ++i) {
        const Vertex& vertex = mVertices[i];
        filer->writePoint2d(AcDb::kDxfXCoord, vertex.point);
        if (!hasConstantWidth) {
            filer->writeDouble(AcDb::kDxfReal, vertex.startWidth);  // 40
            filer->writeDouble(static_cast<AcDb::DxfCode>(41), vertex.endWidth);
        }
        if (vertex.bulge != 0) filer->writeDouble(static_cast<AcDb::DxfCode>(42), vertex.bulge);
        if (vertex.id != 0) filer->writeInt32(AcDb::kDxfVertexIdentifier, vertex.id);
    }
    if (!mNormal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

// Vertex groups: each 10 starts a vertex; 40, 41, 42 and 91 after it belong to it.
Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDbPolyline", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mVertices.setLogicalLength(0);
    mFlags = 0;
    mConstantWidth = mElevation = mThickness = 0;
    mNormal = AcGeVector3d::kZAxis;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        Vertex* last = mVertices.length() > 0 ? &mVertices.last() : nullptr;
        switch (item.code) {
        case 90:
            mVertices.setPhysicalLength(
                static_cast<int>(std::max<long long>(0, std::min<long long>(item.integer, 1 << 20))));
            break;
        case 70: mFlags = static_cast<Adesk::Int16>(item.integer); break;
        case 43: mConstantWidth = item.real; break;
        case 38: mElevation = item.real; break;
        case 39: mThickness = item.real; break;
        case 210: mNormal = arx::db::unitNormal(item.point.asVector()); break;
        case 10: {
            Vertex vertex;
            vertex.point.set(item.point.x, item.point.y);
            vertex.startWidth = vertex.endWidth = mConstantWidth;
            mVertices.append(vertex);
            break;
        }
        case 40:
        case 41:
        case 42:
        case 91:
            if (last == nullptr) {
                in.keep(item);
            } else if (item.code == 40) {
                last->startWidth = item.real;
            } else if (item.code == 41) {
                last->endWidth = item.real;
            } else if (item.code == 42) {
                last->bulge = item.real;
            } else {
                last->id = static_cast<Adesk::Int32>(item.integer);
            }
            break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}
