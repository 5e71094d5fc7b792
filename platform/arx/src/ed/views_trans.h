// acedTrans: the coordinate systems a point can be carried between, through the views of
// the drawing's current viewports.
#pragma once
#include "acadstrc.h"
#include "gemat3d.h"
#include "gevec3d.h"

class AcDbDatabase;
struct resbuf;

namespace arx::views {

struct CoordSystem {
    // World, the current UCS, the display system of the current viewport (of the current
    // model-space viewport when paired with Psdcs), paper-space display, an object system.
    enum class Kind { Wcs, Ucs, Dcs, Psdcs, Object };
    Kind kind = Kind::Wcs;
    AcGeVector3d normal = AcGeVector3d::kZAxis;  // for Object: the extrusion direction

    static CoordSystem of(Kind kind) { return CoordSystem{kind, AcGeVector3d::kZAxis}; }
};

// A system as acedTrans takes it: RTSHORT or RTLONG 0 to 3, an entity name (the entity's
// own system, the world for entities without an extrusion direction) or an extrusion
// direction (RT3DPOINT). eInvalidInput for anything else.
Acad::ErrorStatus coordSystemOf(const resbuf* rb, CoordSystem& out);

// The matrix carrying points from one system to the other. PSDCS pairs only with DCS;
// eNotApplicable when a viewport it needs does not exist (PSDCS in the Model tab).
Acad::ErrorStatus transformMatrix(AcDbDatabase* db, const CoordSystem& from, const CoordSystem& to, AcGeMatrix3d& out);

// The same for the common pairs, applied to a point or a displacement.
Acad::ErrorStatus transformPoint(AcDbDatabase* db, CoordSystem::Kind from, CoordSystem::Kind to, AcGePoint3d& point);
Acad::ErrorStatus transformVector(AcDbDatabase* db, CoordSystem::Kind from, CoordSystem::Kind to, AcGeVector3d& vector);

}  // namespace arx::views
