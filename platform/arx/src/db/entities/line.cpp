#include <algorithm>
#include <cmath>

#include "db/entities/curve_pieces.h"
#include "db/entities/entity_filing.h"
#include "dbents.h"
#include "geplane.h"
#include "gelnsg3d.h"

using arx::db::DxfItem;

ACRX_DXF_DEFINE_MEMBERS(AcDbLine, AcDbCurve, 0, 0, 0, LINE, ObjectDBX Classes)

AcDbLine::AcDbLine() {}
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}
AcDbLine::~AcDbLine() = default;

AcGePoint3d AcDbLine::startPoint() const
{
    assertReadEnabled();
    return mStart;
}
Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point)
{
    assertWriteEnabled();
    mStart = point;
    return Acad::eOk;
}
AcGePoint3d AcDbLine::endPoint() const
{
    assertReadEnabled();
    return mEnd;
}
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point)
{
    assertWriteEnabled();
    mEnd = point;
    return Acad::eOk;
}
double AcDbLine::thickness() const
{
    assertReadEnabled();
    return mThickness;
}
Acad::ErrorStatus AcDbLine::setThickness(double thickness)
{
    assertWriteEnabled();
    mThickness = thickness;
    return Acad::eOk;
}
AcGeVector3d AcDbLine::normal() const
{
    assertReadEnabled();
    return mNormal;
}
Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPlane(AcGePlane& plane, AcDb::Planarity& type) const
{
    assertReadEnabled();
    type = AcDb::kLinear;
    plane = AcGePlane(mStart, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartParam(double& param) const
{
    param = 0;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::getEndParam(double& param) const
{
    assertReadEnabled();
    param = mStart.distanceTo(mEnd);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = mStart;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = mEnd;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    const double length = mStart.distanceTo(mEnd);
    const double tol = AcGeContext::gTol.equalPoint();
    if (param < -tol || param > length + tol) return Acad::eInvalidInput;
    point = length == 0 ? mStart : mStart + (mEnd - mStart) * (param / length);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    const AcGeLineSeg3d segment(mStart, mEnd);
    if (!segment.isOn(point)) return Acad::eInvalidInput;
    param = mStart.distanceTo(point);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d point;
    const Acad::ErrorStatus status = getPointAtParam(param, point);
    if (status == Acad::eOk) dist = param;
    return status;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                              Adesk::Boolean extend) const
{
    assertReadEnabled();
    const AcGeVector3d direction = mEnd - mStart;
    if (direction.isZeroLength()) {
        pointOnCurve = mStart;
        return Acad::eOk;
    }
    double t = (givenPoint - mStart).dotProduct(direction) / direction.lengthSqrd();
    if (!extend) t = std::clamp(t, 0.0, 1.0);
    pointOnCurve = mStart + direction * t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getArea(double& area) const
{
    area = 0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    extents = AcDbExtents();
    extents.addPoint(mStart);
    extents.addPoint(mEnd);
    if (mThickness != 0) {
        extents.addPoint(mStart + mNormal * mThickness);
        extents.addPoint(mEnd + mNormal * mThickness);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    AcGeVector3d normal = mNormal;
    normal.transformBy(xform);
    // A thickness follows the scale along the normal; a mirror keeps the normal's side.
    const double scale = normal.length();
    if (scale > 0) {
        mThickness *= scale;
        mNormal = normal / scale;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                          AcDbIntArray& geomIds) const
{
    assertReadEnabled();
    gripPoints.append(mStart);
    gripPoints.append(mStart + (mEnd - mStart) * 0.5);
    gripPoints.append(mEnd);
    return Acad::eOk;
}

// Grip 0 moves the start, 2 the end, 1 (the midpoint) the whole line.
Acad::ErrorStatus AcDbLine::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    bool moveStart = false, moveEnd = false;
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == 0 || indices[i] == 1) moveStart = true;
        if (indices[i] == 2 || indices[i] == 1) moveEnd = true;
    }
    if (moveStart) mStart += offset;
    if (moveEnd) mEnd += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(mStart);
    stretchPoints.append(mEnd);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == 0) mStart += offset;
        if (indices[i] == 1) mEnd += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writePoint3d(mStart);
    filer->writePoint3d(mEnd);
    filer->writeDouble(mThickness);
    filer->writeVector3d(mNormal);
    return arx::db::dwgOutUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    filer->readPoint3d(&mStart);
    filer->readPoint3d(&mEnd);
    filer->readDouble(&mThickness);
    filer->readVector3d(&mNormal);
    return arx::db::dwgInUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbCurve::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    filer->writeString(AcDb::kDxfSubclass, "AcDbLine");
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    filer->writePoint3d(AcDb::kDxfXCoord, mStart);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(11), mEnd);
    if (!mNormal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    return arx::db::writeUnmodelled(filer, mUnmodelled);
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Acad::ErrorStatus status = AcDbCurve::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    arx::db::SubclassReader in(filer, "AcDbLine", &mUnmodelled);
    if ((status = in.start()) != Acad::eOk) return status;
    mThickness = 0;
    mNormal = AcGeVector3d::kZAxis;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 10: mStart = item.point; break;
        case 11: mEnd = item.point; break;
        case 39: mThickness = item.real; break;
        case 210: mNormal = arx::db::unitNormal(item.point.asVector()); break;
        default: in.keep(item); break;
        }
    }
    return in.status();
}
