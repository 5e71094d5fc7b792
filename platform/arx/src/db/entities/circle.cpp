#include <cmath>

#include "db/entities/circle_filing.h"
#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "geplane.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, 0, 0, 0, CIRCLE, ObjectDBX Classes)

AcDbCircle::AcDbCircle() {}
AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : mCenter(center), mRadius(radius), mNormal(arx::db::unitNormal(normal))
{}
AcDbCircle::~AcDbCircle() = default;

AcGePoint3d AcDbCircle::center() const
{
    assertReadEnabled();
    return mCenter;
}
Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center)
{
    assertWriteEnabled();
    mCenter = center;
    return Acad::eOk;
}
double AcDbCircle::radius() const
{
    assertReadEnabled();
    return mRadius;
}
Acad::ErrorStatus AcDbCircle::setRadius(double radius)
{
    if (!(radius > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = radius;
    return Acad::eOk;
}
double AcDbCircle::thickness() const
{
    assertReadEnabled();
    return mThickness;
}
Acad::ErrorStatus AcDbCircle::setThickness(double thickness)
{
    assertWriteEnabled();
    mThickness = thickness;
    return Acad::eOk;
}
AcGeVector3d AcDbCircle::normal() const
{
    assertReadEnabled();
    return mNormal;
}
Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getPlane(AcGePlane& plane, AcDb::Planarity& type) const
{
    assertReadEnabled();
    type = AcDb::kPlanar;
    plane = AcGePlane(mCenter, mNormal);
    return Acad::eOk;
}

// The parameter is the angle from the object X axis of the circle's plane.
Acad::ErrorStatus AcDbCircle::getStartParam(double& param) const
{
    param = 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::getEndParam(double& param) const
{
    param = 2 * M_PI;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::getStartPoint(AcGePoint3d& point) const { return getPointAtParam(0, point); }
Acad::ErrorStatus AcDbCircle::getEndPoint(AcGePoint3d& point) const { return getPointAtParam(0, point); }

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (param < -1e-10 || param > 2 * M_PI + 1e-10) return Acad::eInvalidInput;
    const AcGeMatrix3d toWorld = arx::db::objectToWorld(mNormal);
    point = mCenter + (toWorld * AcGeVector3d(std::cos(param), std::sin(param), 0)) * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    const AcGeVector3d offset = point - mCenter;
    const double tol = AcGeContext::gTol.equalPoint();
    if (std::fabs(offset.dotProduct(mNormal)) > tol || std::fabs(offset.length() - mRadius) > tol)
        return Acad::eInvalidInput;
    param = arx::db::angleInPlane(offset, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getDistAtParam(double param, double& dist) const
{
    if (param < 0 || param > 2 * M_PI + 1e-10) return Acad::eInvalidInput;
    assertReadEnabled();
    dist = param * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean) const
{
    assertReadEnabled();
    pointOnCurve = AcGeCircArc3d(mCenter, mNormal, mRadius).closestPointTo(givenPoint);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const
{
    assertReadEnabled();
    area = M_PI * mRadius * mRadius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    arx::db::addPieceExtents(arx::db::CurvePiece::circular(AcGeCircArc3d(mCenter, mNormal, mRadius), true), extents);
    if (mThickness != 0) {
        AcDbExtents top;
        arx::db::addPieceExtents(
            arx::db::CurvePiece::circular(AcGeCircArc3d(mCenter + mNormal * mThickness, mNormal, mRadius), true), top);
        extents.addExt(top);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& xform)
{
    if (!xform.isUniScaledOrtho()) return Acad::eNotApplicable;
    assertWriteEnabled();
    mCenter.transformBy(xform);
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform);
    const double scale = normal.length();
    mRadius *= scale;
    mThickness *= scale;
    mNormal = normal / scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(mCenter);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        AcGePoint3d point;
        getPointAtParam(quadrant * M_PI / 2, point);
        gripPoints.append(point);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == 0) {
            mCenter += offset;
            return Acad::eOk;
        }
    }
    // A quadrant grip moved: the radius becomes its new distance from the centre (in the plane).
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] < 1 || indices[i] > 4) continue;
        AcGePoint3d grip;
        getPointAtParam((indices[i] - 1) * M_PI / 2, grip);
        AcGeVector3d arm = (grip + offset) - mCenter;
        arm -= mNormal * arm.dotProduct(mNormal);
        if (arm.length() > AcGeContext::gTol.equalPoint()) mRadius = arm.length();
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(mCenter);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    if (indices.length() > 0) mCenter += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::dwgOutCircle(filer, {mCenter, mRadius, mThickness, mNormal});
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::CircleFields fields;
    arx::db::dwgInCircle(filer, fields);
    setCircleFields(fields);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

// The file holds the centre in object coordinates.
Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::dxfOutCircle(filer, {mCenter, mRadius, mThickness, mNormal});
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::CircleFields fields{mCenter, mRadius, mThickness, mNormal};
    status = arx::db::dxfInCircle(filer, &mUnmodelled, fields);
    setCircleFields(fields);
    return status;
}

void AcDbCircle::setCircleFields(const arx::db::CircleFields& fields)
{
    mCenter = fields.center;
    mRadius = fields.radius;
    mThickness = fields.thickness;
    mNormal = fields.normal;
}
