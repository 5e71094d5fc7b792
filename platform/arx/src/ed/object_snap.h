// Object snaps at point prompts: the intersection snap, typed as an override ("INT",
// "_INT", "INTersection") before a point or running (OSMODE bit 32), through the entities'
// intersectWith; ENDpoint, MIDpoint, CENter, PERpendicular and NEArest typed the same way,
// through the entities' getOsnapPoints; NONe turns running snaps off for one point.
#pragma once
#include <optional>
#include <string>

#include "gepnt3d.h"

class AcDbDatabase;

namespace arx::ed {

struct Answer;

enum class SnapOverride { Intersection, Endpoint, Midpoint, Center, Perpendicular, Nearest, None };

// The override an answer at a point prompt names, if any (any case, with or without "_").
std::optional<SnapOverride> snapOverrideOf(const std::string& answer);

// The intersection of two entities of the current space under the aperture (APERTURE pixels)
// of a point (UCS) that the view shows nearest to it; false when there is none.
bool snapToIntersection(AcDbDatabase* db, const AcGePoint3d& ucsPick, AcGePoint3d& ucsSnapped);

// The snap point of an entity snap (Endpoint to Nearest) on the entities of the current space
// under the aperture of a pick (UCS), the one the view shows nearest to the pick; Perpendicular
// measures from LASTPOINT. False when none of them gives one.
bool snapToEntities(AcDbDatabase* db, SnapOverride snap, const AcGePoint3d& ucsPick, AcGePoint3d& ucsSnapped);

// Running snaps take a point given this way: a point from AutoLISP always; a typed one as
// OSNAPCOORD says (0 always, 2 in a script, 1 never).
bool runningSnapsTake(const Answer& answer);

// While one is alive, point prompts take points as given: they pick objects (acedEntSel,
// TRIM's objects), and object snaps do not apply.
class ObjectPickScope {
public:
    ObjectPickScope() { ++depth(); }
    ~ObjectPickScope() { --depth(); }
    ObjectPickScope(const ObjectPickScope&) = delete;
    ObjectPickScope& operator=(const ObjectPickScope&) = delete;
    static bool active() { return depth() > 0; }

private:
    static int& depth()
    {
        static int value = 0;
        return value;
    }
};

// The point after the running snaps of OSMODE: the intersection snap when bit 32 is on and an
// intersection lies under the aperture; the point itself otherwise.
AcGePoint3d withRunningSnaps(AcDbDatabase* db, const AcGePoint3d& ucsPoint);

}  // namespace arx::ed
