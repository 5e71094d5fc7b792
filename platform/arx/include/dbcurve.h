// AcDbCurve: the common protocol of entities that are curves (lines, arcs, circles,
// polylines). Parameters follow the host's conventions: a line runs from 0 to its length, an
// arc or circle is parameterised by angle, a polyline by vertex index.
#pragma once
#include <vector>

#include "dbmain.h"

namespace arx::db {
struct DxfItem;
// Groups of a subclass its class does not model, in the order read (kept to be written back).
// Held by value: most entities have none, and an empty list costs no allocation.
struct UnmodelledGroups {
    std::vector<DxfItem> items;
};
struct CircleFields;  // what an arc files as a circle does
}  // namespace arx::db

class ACAD_PORT AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);
    ~AcDbCurve() override;

    virtual Adesk::Boolean isClosed() const;
    virtual Adesk::Boolean isPeriodic() const;
    virtual Acad::ErrorStatus getStartParam(double& param) const;
    virtual Acad::ErrorStatus getEndParam(double& param) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;
    // eInvalidInput for a parameter outside [start, end].
    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const;
    // eInvalidInput for a point not on the curve.
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend = false) const;
    // The area enclosed (closing the curve by a straight segment when it is open).
    virtual Acad::ErrorStatus getArea(double& area) const;

    // Object snaps and intersections of the curves the host knows (lines, arcs, circles and
    // the polylines), from their straight and circular pieces; a curve of any other kind
    // answers as an entity does. Intersection points lie on this curve: seen along the
    // projection plane's normal in the second form. eNullEntityPointer for a null pEnt.
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark, const AcGePoint3d& pickPoint,
                                     const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform,
                                     AcGePoint3dArray& snapPoints, AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    int thisGsMarker = 0, int otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, int thisGsMarker = 0,
                                    int otherGsMarker = 0) const override;

protected:
    AcDbCurve();
};
