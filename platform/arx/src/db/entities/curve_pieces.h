// The straight and circular pieces the curve entities are made of, for intersections,
// object snaps, extents and explode, all in world coordinates.
#pragma once
#include <vector>

#include "acdb.h"
#include "dbmain.h"
#include "gearc3d.h"
#include "gept3dar.h"

namespace arx::db {

struct CurvePiece {
    bool isArc = false;
    AcGePoint3d start;
    AcGePoint3d end;
    AcGeCircArc3d arc;  // for an arc piece (a full circle for a circle)
    bool isFullCircle = false;

    static CurvePiece line(const AcGePoint3d& start, const AcGePoint3d& end);
    static CurvePiece circular(const AcGeCircArc3d& arc, bool fullCircle);
    AcGePoint3d midPoint() const;
};

// The arc between two points of a polyline segment with this bulge, in the plane of
// `normal`; a zero bulge gives a line piece.
CurvePiece segmentPiece(const AcGePoint3d& start, const AcGePoint3d& end, double bulge, const AcGeVector3d& normal);

// The pieces of the curve entities of this platform; false for any other entity.
bool curvePiecesOf(const AcDbEntity* entity, std::vector<CurvePiece>& pieces);

// Adds the point unless an equal one (within the tolerance) is there already.
void appendUnique(AcGePoint3dArray& points, const AcGePoint3d& point);

// Intersections of two entities (curves, or block references through their block's
// entities), appended to points; each lies on `self`, seen along the plane's normal when a
// projection plane is given. An extended side uses the unbounded line or the full circle
// (only for an entity of one piece). An entity of another kind is asked in turn, the roles
// swapped. eNullEntityPointer for a null other, eNotApplicable when self has no pieces.
Acad::ErrorStatus intersectEntities(const AcDbEntity* self, const AcDbEntity* other, AcDb::Intersect type,
                                    const AcGePlane* projectionPlane, AcGePoint3dArray& points);

// Snap points of pieces for one mode.
void osnapPieces(const std::vector<CurvePiece>& pieces, AcDb::OsnapMode mode, const AcGePoint3d& pickPoint,
                 const AcGePoint3d& lastPoint, AcGePoint3dArray& snapPoints);

void addPieceExtents(const CurvePiece& piece, AcDbExtents& extents);

// New lines and arcs (in no database) for the pieces, with the properties of `from`.
Acad::ErrorStatus explodePieces(const std::vector<CurvePiece>& pieces, const AcDbEntity* from,
                                AcDbVoidPtrArray& entitySet);
// The same for the pieces of a curve entity.
Acad::ErrorStatus explodeIntoPieces(const AcDbEntity* from, AcDbVoidPtrArray& entitySet);

}  // namespace arx::db
