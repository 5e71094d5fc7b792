#include "ed/object_snap.h"

#include <vector>

#include "adscodes.h"
#include "dbobjptr.h"
#include "ed/views.h"
#include "ed/input.h"
#include "ed/object_selection.h"
#include "ed/sysvars.h"
#include "ed/upper_case.h"
#include "ed/views_trans.h"

namespace arx::ed {
namespace {

constexpr int kIntersectionBit = 32;

// The intersections of each pair of the entities, in the world.
std::vector<AcGePoint3d> pairwiseIntersections(const EntityList& entities)
{
    std::vector<AcGePoint3d> points;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        AcDbObjectPointer<AcDbEntity> first(entities[i], AcDb::kForRead);
        if (first.openStatus() != Acad::eOk) continue;
        for (std::size_t j = i + 1; j < entities.size(); ++j) {
            AcDbObjectPointer<AcDbEntity> second(entities[j], AcDb::kForRead);
            if (second.openStatus() != Acad::eOk) continue;
            AcGePoint3dArray found;
            if (first->intersectWith(second.object(), AcDb::kOnBothOperands, found) != Acad::eOk) continue;
            for (int k = 0; k < found.length(); ++k) points.push_back(found[k]);
        }
    }
    return points;
}

int aperturePixels() { return SysVars::instance().getInt("APERTURE").value_or(10); }

}  // namespace

std::optional<SnapOverride> snapOverrideOf(const std::string& answer)
{
    std::string name = upper(answer);
    if (!name.empty() && name[0] == '_') name.erase(0, 1);
    auto abbreviates = [&](const std::string& word, std::size_t shortest) {
        return name.size() >= shortest && name.size() <= word.size() && word.compare(0, name.size(), name) == 0;
    };
    if (abbreviates("INTERSECTION", 3)) return SnapOverride::Intersection;
    if (abbreviates("ENDPOINT", 3)) return SnapOverride::Endpoint;
    if (abbreviates("MIDPOINT", 3)) return SnapOverride::Midpoint;
    if (abbreviates("CENTER", 3)) return SnapOverride::Center;
    if (abbreviates("PERPENDICULAR", 3)) return SnapOverride::Perpendicular;
    if (abbreviates("NEAREST", 3)) return SnapOverride::Nearest;
    if (abbreviates("NONE", 3)) return SnapOverride::None;
    return std::nullopt;
}

bool snapToIntersection(AcDbDatabase* db, const AcGePoint3d& pick, AcGePoint3d& ucsSnapped)
{
    const AcGePoint3d ucsPick = pick;  // callers may snap a point in place
    if (db == nullptr) return false;
    const int aperture = aperturePixels();
    bool found = false;
    double nearest = 0.0;
    for (const AcGePoint3d& point : pairwiseIntersections(entitiesNear(db, ucsPick, aperture))) {
        const std::optional<double> pixels = pixelsBetween(db, ucsPick, point);
        if (!pixels || *pixels > aperture || (found && *pixels >= nearest)) continue;
        found = true;
        nearest = *pixels;
        ucsSnapped = point;
    }
    if (!found) return false;
    views::transformPoint(db, views::CoordSystem::Kind::Wcs, views::CoordSystem::Kind::Ucs, ucsSnapped);
    return true;
}

namespace {

AcDb::OsnapMode osnapModeOf(SnapOverride snap)
{
    switch (snap) {
    case SnapOverride::Endpoint: return AcDb::kOsModeEnd;
    case SnapOverride::Midpoint: return AcDb::kOsModeMid;
    case SnapOverride::Center: return AcDb::kOsModeCen;
    case SnapOverride::Perpendicular: return AcDb::kOsModePerp;
    default: return AcDb::kOsModeNear;
    }
}

// LASTPOINT in the world: where a perpendicular is measured from.
AcGePoint3d lastPointInWorld(AcDbDatabase* db)
{
    const auto last = SysVars::instance().get("LASTPOINT");
    AcGePoint3d point = last ? AcGePoint3d(last->point[0], last->point[1], last->point[2]) : AcGePoint3d::kOrigin;
    views::transformPoint(db, views::CoordSystem::Kind::Ucs, views::CoordSystem::Kind::Wcs, point);
    return point;
}

}  // namespace

bool snapToEntities(AcDbDatabase* db, SnapOverride snap, const AcGePoint3d& pick, AcGePoint3d& ucsSnapped)
{
    const AcGePoint3d ucsPick = pick;  // callers may snap a point in place
    if (db == nullptr) return false;
    AcGePoint3d worldPick = ucsPick;
    views::transformPoint(db, views::CoordSystem::Kind::Ucs, views::CoordSystem::Kind::Wcs, worldPick);
    const AcGePoint3d worldLast = lastPointInWorld(db);
    AcGeMatrix3d viewXform;
    views::transformMatrix(db, views::CoordSystem::of(views::CoordSystem::Kind::Wcs),
                           views::CoordSystem::of(views::CoordSystem::Kind::Dcs), viewXform);
    bool found = false;
    double nearest = 0.0;
    for (AcDbObjectId id : entitiesNear(db, ucsPick, aperturePixels())) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk) continue;
        AcGePoint3dArray points;
        AcDbIntArray geomIds;
        if (entity->getOsnapPoints(osnapModeOf(snap), 0, worldPick, worldLast, viewXform, points, geomIds) != Acad::eOk)
            continue;
        for (int i = 0; i < points.length(); ++i) {
            const std::optional<double> pixels = pixelsBetween(db, ucsPick, points[i]);
            if (!pixels || (found && *pixels >= nearest)) continue;
            found = true;
            nearest = *pixels;
            ucsSnapped = points[i];
        }
    }
    if (!found) return false;
    views::transformPoint(db, views::CoordSystem::Kind::Wcs, views::CoordSystem::Kind::Ucs, ucsSnapped);
    return true;
}

bool runningSnapsTake(const Answer& answer)
{
    if (answer.kind == Answer::Kind::Value && answer.value.type != RTSTR) return true;
    const int coords = SysVars::instance().getInt("OSNAPCOORD").value_or(2);
    return coords == 0 || (coords == 2 && Input::instance().scriptActive());
}

AcGePoint3d withRunningSnaps(AcDbDatabase* db, const AcGePoint3d& ucsPoint)
{
    AcGePoint3d snapped = ucsPoint;
    if (SysVars::instance().getInt("OSMODE").value_or(0) & kIntersectionBit) snapToIntersection(db, ucsPoint, snapped);
    return snapped;
}

}  // namespace arx::ed
