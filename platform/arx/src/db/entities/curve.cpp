// AcDbCurve: what a curve answers when a derived class does not.
#include "dbcurve.h"

#include <vector>

#include "db/entities/curve_pieces.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbCurve, AcDbEntity)

AcDbCurve::AcDbCurve() = default;
AcDbCurve::~AcDbCurve() = default;

Adesk::Boolean AcDbCurve::isClosed() const { return false; }
Adesk::Boolean AcDbCurve::isPeriodic() const { return false; }
Acad::ErrorStatus AcDbCurve::getStartParam(double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getEndParam(double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, AcGePoint3d&, Adesk::Boolean) const
{
    return Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcDbCurve::getArea(double&) const { return Acad::eNotImplementedYet; }

Acad::ErrorStatus AcDbCurve::getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark,
                                            const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                            const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                            AcDbIntArray& geomIds) const
{
    assertReadEnabled();
    std::vector<arx::db::CurvePiece> pieces;
    if (!arx::db::curvePiecesOf(this, pieces))
        return AcDbEntity::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints,
                                          geomIds);
    arx::db::osnapPieces(pieces, osnapMode, pickPoint, lastPoint, snapPoints);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                           int, int) const
{
    assertReadEnabled();
    return arx::db::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbCurve::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                           AcGePoint3dArray& points, int, int) const
{
    assertReadEnabled();
    return arx::db::intersectEntities(this, pEnt, intType, &projPlane, points);
}
