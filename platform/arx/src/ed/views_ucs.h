// The current UCS of the current space: model space (the Model tab and every floating
// viewport) keeps it in UCSORG, UCSXDIR and UCSYDIR, paper space in PUCSORG, PUCSXDIR and
// PUCSYDIR of the drawing. Setting one remembers the one before (UCS Previous,
// acedRestorePreviousUCS). When the active viewport of model space has UCSFOLLOW on, each UCS
// made current there (set or restored) turns its view to the plan of that UCS.
#pragma once
#include "acadstrc.h"
#include "ed/views_session.h"
#include "gemat3d.h"

class AcDbDatabase;

namespace arx::views {

// True while paper space of a layout is current (CVPORT 1).
bool paperSpaceCurrent(AcDbDatabase* db);

UcsFrame currentUcs(AcDbDatabase* db);
AcGeMatrix3d ucsToWcs(const UcsFrame& ucs);
AcGeMatrix3d wcsToUcs(const UcsFrame& ucs);
bool isWorld(const UcsFrame& ucs);

// The frame of a UCS -> WCS matrix: eInvalidInput unless it is a rigid motion (unit,
// perpendicular, right-handed axes).
Acad::ErrorStatus frameOfMatrix(const AcGeMatrix3d& matrix, UcsFrame& frame);
// A frame from an origin and two directions: X along `xDir`, Y in the plane of xDir and
// yDir. eInvalidInput when they are zero or parallel.
Acad::ErrorStatus frameOf(const AcGePoint3d& origin, const AcGeVector3d& xDir, const AcGeVector3d& yDir,
                          UcsFrame& frame);

// Makes `ucs` current in the current space, remembering the one it replaces.
Acad::ErrorStatus setCurrentUcs(AcDbDatabase* db, const UcsFrame& ucs);
// Goes back to the UCS before the last change; eNotApplicable when none is remembered.
Acad::ErrorStatus restorePreviousUcs(AcDbDatabase* db);

}  // namespace arx::views
