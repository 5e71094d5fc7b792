// vadu_KestraSurrounding: the marks of the index around a point of a plan view.
#include "acdbads.h"
#include "acdbads_db.h"
#include "acdocman.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/association_queries.h"
#include "assoc/handle_text.h"
#include "mark/mark_messages.h"
#include "mark/mark_variables.h"
#include "mark/vadu_kestra.h"
#include "shell/lisp_messages.h"

namespace kestra {

namespace {

// The reference point in the user coordinate system: the argument, or asked for.
// Nothing (reported) when there is none.
std::optional<AcGePoint3d> referencePoint(const resbuf* args)
{
    if (args == nullptr || args->restype == RTNONE) {
        ads_point picked;
        if (acedGetPoint(nullptr, "\nReference point: ", picked) != RTNORM) {
            acutPrintf("%s\n", "Input is incorrect.");
            return std::nullopt;
        }
        return AcGePoint3d(picked[0], picked[1], picked[2]);
    }
    if (args->restype != RTPOINT && args->restype != RT3DPOINT) {
        reportIncorrectParameters();
        return std::nullopt;
    }
    if (args->rbnext != nullptr && args->rbnext->restype != RTNONE) {
        reportTooManyParameters();
        return std::nullopt;
    }
    const double z = args->restype == RT3DPOINT ? args->resval.rpoint[2] : 0.0;
    return AcGePoint3d(args->resval.rpoint[0], args->resval.rpoint[1], z);
}

AcGePoint3d transformed(const AcGePoint3d& point, short from, short to, int displacement)
{
    resbuf source{nullptr, RTSHORT, {}};
    source.resval.rint = from;
    resbuf target{nullptr, RTSHORT, {}};
    target.resval.rint = to;
    const ads_point in = {point.x, point.y, point.z};
    ads_point out = {point.x, point.y, point.z};
    acedTrans(in, &source, &target, displacement, out);
    return AcGePoint3d(out[0], out[1], out[2]);
}

// True when the mark lies in the plane of the display and holds the world point.
bool surrounds(const VaduKestra& mark, const AcGePoint3d& world)
{
    const AcGeVector3d normal = transformed(AcGePoint3d::kOrigin + mark.normal(), 0, 2, 1).asVector();
    AcGeTol tolerance;
    tolerance.setEqualPoint(1e-5);
    tolerance.setEqualVector(1e-5);
    if (!normal.isParallelTo(AcGeVector3d::kZAxis, tolerance)) return false;
    return mark.isOnOutline(world) || mark.contains(world);
}

}  // namespace

int marksAroundPointResult(const resbuf* args)
{
    if (verifyAssociations(true, false, curDoc()) == 0) {
        acedRetNil();
        return RTNORM;
    }
    const std::optional<AcGePoint3d> viewDirection = readPointVariable("VIEWDIR");
    if (!viewDirection) {
        printUnreadableVariable("VIEWDIR");
        return RTERROR;
    }
    if (!viewDirection->isEqualTo(AcGePoint3d(0.0, 0.0, 1.0))) {
        acutPrintf("%s", "The view direction must be perpendicular to the screen.\n");
        return RTERROR;
    }
    const std::optional<AcGePoint3d> point = referencePoint(args);
    if (!point) return RTERROR;
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk || pairs.empty()) {
        acedRetNil();
        return RTERROR;
    }
    ads_name set;
    if (acedSSAdd(nullptr, nullptr, set) != RTNORM) return RTERROR;
    const AcGePoint3d world = transformed(*point, 1, 0, 0);
    for (const IndexPair& pair : pairs) {
        ObjectOpener<VaduKestra> mark(objectIdOfHandle(pair.mark.c_str()), AcDb::kForRead);
        if (!mark) {
            acutPrintf("(vadu_KestraSurrounding) %s\n", kCannotReadMark);
            break;
        }
        ads_name name;
        if (surrounds(*mark, world) && acdbGetAdsName(name, mark->objectId()) == Acad::eOk) acedSSAdd(name, set, set);
    }
    acedRetName(set, RTPICKS);
    return RTNORM;
}

}  // namespace kestra
