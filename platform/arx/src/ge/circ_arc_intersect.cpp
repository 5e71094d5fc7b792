// Intersections of circular arcs with lines, planes and other arcs.
#include "gearc3d.h"

#include <cmath>

#include "geline3d.h"
#include "ge/trig_equation.h"

namespace {

// Points (0 to 2, returned) where the unbounded line p + s dir (dir a unit vector) meets the
// full circle (center, unit normal, radius), within the distance tolerance.
int circleMeetsLine(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, const AcGePoint3d& p,
                    const AcGeVector3d& dir, const AcGeTol& tol, AcGePoint3d out[2])
{
    const double eps = tol.equalPoint();
    if (!dir.isPerpendicularTo(normal, tol)) {
        // The line pierces the circle's plane once; that point may lie on the circle.
        const AcGePoint3d hit = p + dir * (-(p - center).dotProduct(normal) / dir.dotProduct(normal));
        if (std::fabs(hit.distanceTo(center) - radius) > eps) return 0;
        out[0] = hit;
        return 1;
    }
    if (std::fabs((p - center).dotProduct(normal)) > eps) return 0;
    // In the plane: the foot of the perpendicular from the centre, then half chords.
    const AcGePoint3d foot = p + dir * (center - p).dotProduct(dir);
    const double offset = foot.distanceTo(center);
    if (offset > radius + eps) return 0;
    if (offset >= radius - eps) {
        out[0] = foot;
        return 1;
    }
    const double half = std::sqrt(radius * radius - offset * offset);
    out[0] = foot - dir * half;
    out[1] = foot + dir * half;
    return 2;
}

// Stores the point in the next free output slot.
void keep(const AcGePoint3d& pnt, int& count, AcGePoint3d& p1, AcGePoint3d& p2)
{
    (count == 0 ? p1 : p2) = pnt;
    ++count;
}

}  // namespace

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    const AcGeVector3d dir = line.direction();
    AcGePoint3d candidates[2];
    int found = 0;
    if (dir.isZeroLength(tol)) {
        candidates[0] = line.pointOnLine();
        found = 1;
    } else {
        found = circleMeetsLine(mCenter, mNormal, mRadius, line.pointOnLine(), dir, tol, candidates);
    }
    for (int i = 0; i < found; ++i)
        if (isOn(candidates[i], tol) && line.isOn(candidates[i], tol)) keep(candidates[i], intn, p1, p2);
    return intn > 0;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    const double eps = tol.equalPoint();
    AcGePoint3d candidates[2];
    int found = 0;
    if (mNormal.isParallelTo(arc.mNormal, tol)) {
        if (std::fabs((arc.mCenter - mCenter).dotProduct(mNormal)) > eps) return false;
        // Coplanar circles.
        const AcGeVector3d between = (arc.mCenter - mCenter).orthoProject(mNormal);
        const double d = between.length();
        if (d <= eps) return false;  // concentric: disjoint or coincident, no isolated points
        const double r1 = mRadius, r2 = arc.mRadius;
        if (d > r1 + r2 + eps || d < std::fabs(r1 - r2) - eps) return false;
        const AcGeVector3d e = between / d;
        const double a = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
        const double h2 = r1 * r1 - a * a;
        const bool touching = std::fabs(d - (r1 + r2)) <= eps || std::fabs(d - std::fabs(r1 - r2)) <= eps;
        if (touching || h2 <= 0.0) {
            candidates[found++] = mCenter + e * a;
        } else {
            const AcGeVector3d across = mNormal.crossProduct(e) * std::sqrt(h2);
            candidates[found++] = mCenter + e * a - across;
            candidates[found++] = mCenter + e * a + across;
        }
    } else {
        // Different planes: only points of the line they share can lie on both circles.
        AcGePlane mine, theirs;
        getPlane(mine);
        arc.getPlane(theirs);
        AcGeLine3d common;
        if (!mine.intersectWith(theirs, common, tol)) return false;
        AcGePoint3d onMine[2];
        const int n = circleMeetsLine(mCenter, mNormal, mRadius, common.pointOnLine(), common.direction(), tol, onMine);
        for (int i = 0; i < n; ++i)
            if (std::fabs(onMine[i].distanceTo(arc.mCenter) - arc.mRadius) <= eps) candidates[found++] = onMine[i];
    }
    for (int i = 0; i < found; ++i)
        if (isOn(candidates[i], tol) && arc.isOn(candidates[i], tol)) keep(candidates[i], intn, p1, p2);
    return intn > 0;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGePlanarEnt& plane, int& numOfIntersect, AcGePoint3d& p1,
                                            AcGePoint3d& p2, const AcGeTol& tol) const
{
    numOfIntersect = 0;
    const AcGeVector3d n = plane.normal();
    if (mNormal.isParallelTo(n, tol)) return false;  // parallel planes: the arc lies in the plane or misses it
    // Height of the arc point at angle t: (c - o).n + r cos t (ref.n) + r sin t (perp.n).
    double t[2];
    const int found = arx::ge::solveCosSin(mRadius * mRefVec.dotProduct(n), mRadius * perpAxis().dotProduct(n),
                                           -(mCenter - plane.pointOnPlane()).dotProduct(n), tol.equalPoint(), t);
    for (int i = 0; i < found; ++i) {
        double param = 0.0;
        if (onSweep(t[i], tol, param)) keep(evalPoint(param), numOfIntersect, p1, p2);
    }
    return numOfIntersect > 0;
}

Adesk::Boolean AcGeCircArc3d::projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir, int& numInt,
                                                AcGePoint3d& pntOnArc1, AcGePoint3d& pntOnArc2, AcGePoint3d& pntOnLine1,
                                                AcGePoint3d& pntOnLine2, const AcGeTol& tol) const
{
    numInt = 0;
    const AcGeVector3d e = line.direction();
    const AcGePoint3d q = line.pointOnLine();
    // Seen along projDir the arc meets the line where it crosses the plane that holds the
    // line and the direction; a line along projDir shows as a point.
    const AcGeVector3d side = projDir.crossProduct(e);
    if (e.isZeroLength(tol) || projDir.isZeroLength(tol) || side.isZeroLength(tol)) return false;
    const AcGeVector3d n = side.normal();
    double t[2];
    const int found = arx::ge::solveCosSin(mRadius * mRefVec.dotProduct(n), mRadius * perpAxis().dotProduct(n),
                                           -(mCenter - q).dotProduct(n), tol.equalPoint(), t);
    const AcGeVector3d ed = e.crossProduct(projDir);
    for (int i = 0; i < found; ++i) {
        double param = 0.0;
        if (!onSweep(t[i], tol, param)) continue;
        const AcGePoint3d onArc = evalPoint(param);
        // The line point that lines up with it: onArc - (q + s e) is along projDir.
        const double s = (onArc - q).crossProduct(projDir).dotProduct(ed) / ed.lengthSqrd();
        const AcGePoint3d onLine = q + e * s;
        if (!line.isOn(onLine, tol)) continue;
        if (numInt == 0) {
            pntOnArc1 = onArc;
            pntOnLine1 = onLine;
        } else {
            pntOnArc2 = onArc;
            pntOnLine2 = onLine;
        }
        ++numInt;
    }
    return numInt > 0;
}
