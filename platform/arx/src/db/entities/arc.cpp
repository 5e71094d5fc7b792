#include <cmath>

#include "db/entities/circle_filing.h"
#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "geplane.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbArc, AcDbCurve, 0, 0, 0, ARC, ObjectDBX Classes)

namespace {
double normalisedAngle(double angle)
{
    angle = std::fmod(angle, 2 * M_PI);
    return angle < 0 ? angle + 2 * M_PI : angle;
}
}  // namespace

AcDbArc::AcDbArc() {}
AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : AcDbArc(center, AcGeVector3d::kZAxis, radius, startAngle, endAngle)
{}
AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : mCenter(center), mRadius(radius), mStartAngle(normalisedAngle(startAngle)), mEndAngle(normalisedAngle(endAngle)),
      mNormal(arx::db::unitNormal(normal))
{}
AcDbArc::~AcDbArc() = default;

AcGePoint3d AcDbArc::center() const
{
    assertReadEnabled();
    return mCenter;
}
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center)
{
    assertWriteEnabled();
    mCenter = center;
    return Acad::eOk;
}
double AcDbArc::radius() const
{
    assertReadEnabled();
    return mRadius;
}
Acad::ErrorStatus AcDbArc::setRadius(double radius)
{
    if (!(radius > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = radius;
    return Acad::eOk;
}
double AcDbArc::startAngle() const
{
    assertReadEnabled();
    return mStartAngle;
}
Acad::ErrorStatus AcDbArc::setStartAngle(double angle)
{
    assertWriteEnabled();
    mStartAngle = normalisedAngle(angle);
    return Acad::eOk;
}
double AcDbArc::endAngle() const
{
    assertReadEnabled();
    return mEndAngle;
}
Acad::ErrorStatus AcDbArc::setEndAngle(double angle)
{
    assertWriteEnabled();
    mEndAngle = normalisedAngle(angle);
    return Acad::eOk;
}
double AcDbArc::thickness() const
{
    assertReadEnabled();
    return mThickness;
}
Acad::ErrorStatus AcDbArc::setThickness(double thickness)
{
    assertWriteEnabled();
    mThickness = thickness;
    return Acad::eOk;
}
AcGeVector3d AcDbArc::normal() const
{
    assertReadEnabled();
    return mNormal;
}
Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return Acad::eOk;
}

double AcDbArc::totalAngle() const
{
    assertReadEnabled();
    const double sweep = normalisedAngle(mEndAngle - mStartAngle);
    return sweep == 0 ? 2 * M_PI : sweep;
}

Acad::ErrorStatus AcDbArc::getPlane(AcGePlane& plane, AcDb::Planarity& type) const
{
    assertReadEnabled();
    type = AcDb::kPlanar;
    plane = AcGePlane(mCenter, mNormal);
    return Acad::eOk;
}

// The parameter is the angle; it runs from the start angle to start + total angle.
Acad::ErrorStatus AcDbArc::getStartParam(double& param) const
{
    assertReadEnabled();
    param = mStartAngle;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::getEndParam(double& param) const
{
    param = startAngle() + totalAngle();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::getStartPoint(AcGePoint3d& point) const { return getPointAtParam(startAngle(), point); }
Acad::ErrorStatus AcDbArc::getEndPoint(AcGePoint3d& point) const
{
    return getPointAtParam(startAngle() + totalAngle(), point);
}

Acad::ErrorStatus AcDbArc::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (param < mStartAngle - 1e-10 || param > mStartAngle + totalAngle() + 1e-10) return Acad::eInvalidInput;
    const AcGeMatrix3d toWorld = arx::db::objectToWorld(mNormal);
    point = mCenter + (toWorld * AcGeVector3d(std::cos(param), std::sin(param), 0)) * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    const AcGeVector3d offset = point - mCenter;
    const double tol = AcGeContext::gTol.equalPoint();
    if (std::fabs(offset.dotProduct(mNormal)) > tol || std::fabs(offset.length() - mRadius) > tol)
        return Acad::eInvalidInput;
    double angle = arx::db::angleInPlane(offset, mNormal);
    if (angle < mStartAngle) angle += 2 * M_PI;
    if (angle > mStartAngle + totalAngle() + tol / mRadius) return Acad::eInvalidInput;
    param = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d point;
    const Acad::ErrorStatus status = getPointAtParam(param, point);
    if (status == Acad::eOk) dist = (param - mStartAngle) * mRadius;
    return status;
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                             Adesk::Boolean extend) const
{
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    const AcGeCircArc3d arc = extend ? AcGeCircArc3d(mCenter, mNormal, mRadius) : pieces.front().arc;
    pointOnCurve = arc.closestPointTo(givenPoint);
    return Acad::eOk;
}

// The segment area between the arc and its chord.
Acad::ErrorStatus AcDbArc::getArea(double& area) const
{
    const double sweep = totalAngle();
    area = 0.5 * mRadius * mRadius * (sweep - std::sin(sweep));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    std::vector<arx::db::CurvePiece> pieces;
    arx::db::curvePiecesOf(this, pieces);
    arx::db::addPieceExtents(pieces.front(), extents);
    if (mThickness != 0) {
        AcDbExtents top = extents;
        top.transformBy(AcGeMatrix3d::translation(mNormal * mThickness));
        extents.addExt(top);
    }
    return Acad::eOk;
}

// The arc stays an arc under a uniformly scaled orthogonal transformation; a mirror reverses
// its direction, which swaps its end points.
Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& xform)
{
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    assertWriteEnabled();
    AcGePoint3d start, end;
    getStartPoint(start);
    getEndPoint(end);
    start.transformBy(xform);
    end.transformBy(xform);
    mCenter.transformBy(xform);
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform);
    const double scale = normal.length();
    mRadius *= scale;
    mThickness *= scale;
    normal /= scale;
    if (xform.det() < 0) {
        normal = -normal;
        std::swap(start, end);
    }
    mNormal = normal;
    mStartAngle = arx::db::angleInPlane(start - mCenter, mNormal);
    mEndAngle = arx::db::angleInPlane(end - mCenter, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    AcGePoint3d start, middle, end;
    getStartPoint(start);
    getPointAtParam(mStartAngle + totalAngle() / 2, middle);
    getEndPoint(end);
    gripPoints.append(start);
    gripPoints.append(middle);
    gripPoints.append(end);
    gripPoints.append(mCenter);
    return Acad::eOk;
}

// End grips move that end (the arc keeps passing through the other end and the middle), the
// middle grip reshapes through the three points, the centre grip moves the arc.
Acad::ErrorStatus AcDbArc::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    getGripPoints(grips, modes, ids);
    assertWriteEnabled();
    bool moved[4] = {false, false, false, false};
    for (int i = 0; i < indices.length(); ++i)
        if (indices[i] >= 0 && indices[i] < 4) moved[indices[i]] = true;
    if (moved[3] || (moved[0] && moved[1] && moved[2])) {
        mCenter += offset;
        return Acad::eOk;
    }
    for (int i = 0; i < 3; ++i)
        if (moved[i]) grips[i] += offset;
    AcGeError error = AcGe::kOk;
    AcGeCircArc3d arc;
    arc.set(grips[0], grips[1], grips[2], error);
    if (error != AcGe::kOk) return Acad::eInvalidInput;
    mCenter = arc.center();
    mRadius = arc.radius();
    const bool sameSide = arc.normal().dotProduct(mNormal) >= 0;
    const AcGePoint3d start = sameSide ? grips[0] : grips[2];
    const AcGePoint3d end = sameSide ? grips[2] : grips[0];
    mStartAngle = arx::db::angleInPlane(start - mCenter, mNormal);
    mEndAngle = arx::db::angleInPlane(end - mCenter, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray modes, ids;
    AcGePoint3dArray grips;
    getGripPoints(grips, modes, ids);
    stretchPoints.append(grips[0]);
    stretchPoints.append(grips[2]);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    AcDbIntArray grips;
    for (int i = 0; i < indices.length(); ++i) grips.append(indices[i] == 0 ? 0 : 2);
    if (grips.length() == 0) return Acad::eOk;
    if (grips.length() == 2) {  // both ends: the arc moves
        assertWriteEnabled();
        mCenter += offset;
        return Acad::eOk;
    }
    return moveGripPointsAt(grips, offset);
}

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::dwgOutCircle(filer, {mCenter, mRadius, mThickness, mNormal});
    filer->writeDouble(mStartAngle);
    filer->writeDouble(mEndAngle);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::CircleFields fields;
    arx::db::dwgInCircle(filer, fields);
    setCircleFields(fields);
    filer->readDouble(&mStartAngle);
    filer->readDouble(&mEndAngle);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// ARC is a CIRCLE subclass in files: AcDbCircle (centre in object coordinates, radius), then
// AcDbArc (angles in degrees).
Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::dxfOutCircle(filer, {mCenter, mRadius, mThickness, mNormal});
    filer->writeString(AcDb::kDxfSubclass, "AcDbArc");
    filer->writeDouble(AcDb::kDxfAngle, arx::db::degreesFromRadians(mStartAngle));
    filer->writeDouble(static_cast<AcDb::DxfCode>(51), arx::db::degreesFromRadians(mEndAngle));
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    // The groups either subclass does not model are kept together and written after AcDbArc.
    arx::db::CircleFields fields{mCenter, mRadius, mThickness, mNormal};
    arx::db::DxfItemList kept;
    if ((status = arx::db::dxfInCircle(filer, &mUnmodelled, fields, &kept)) != Acad::eOk) return status;
    setCircleFields(fields);
    arx::db::SubclassReader arc(filer, "AcDbArc", &mUnmodelled);
    if ((status = arc.start()) != Acad::eOk) return status;
    mUnmodelled.items = std::move(kept);
    while (const DxfItem* read = arc.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 50: mStartAngle = normalisedAngle(arx::db::radiansFromDegrees(item.real)); break;
        case 51: mEndAngle = normalisedAngle(arx::db::radiansFromDegrees(item.real)); break;
        default: arc.keep(item); break;
        }
    }
    return arc.status();
}

void AcDbArc::setCircleFields(const arx::db::CircleFields& fields)
{
    mCenter = fields.center;
    mRadius = fields.radius;
    mThickness = fields.thickness;
    mNormal = fields.normal;
}
