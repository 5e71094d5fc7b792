// Construction, evaluation and nearest points of circular arcs.
#include "gearc3d.h"

#include <algorithm>
#include <cmath>

#include "geline3d.h"
#include "gemat3d.h"
#include "ge/angles.h"

using arx::ge::kTwoPi;
using arx::ge::normalizeAngle;

namespace {

// Angle tolerance matching the distance tolerance along the circle.
double angleTolerance(double radius, const AcGeTol& tol) { return radius > 0.0 ? tol.equalPoint() / radius : 0.0; }

}  // namespace

AcGeCircArc3d::AcGeCircArc3d()
    : mCenter(AcGePoint3d::kOrigin), mNormal(AcGeVector3d::kZAxis), mRefVec(AcGeVector3d::kXAxis), mRadius(1.0),
      mStartAng(0.0), mEndAng(kTwoPi)
{}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius) : AcGeCircArc3d()
{
    set(cent, nrm, radius);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                             double radius, double startAngle, double endAngle)
    : AcGeCircArc3d()
{
    set(cent, nrm, refVec, radius, startAngle, endAngle);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint)
    : AcGeCircArc3d()
{
    set(startPoint, pnt, endPoint);
}

AcGeCircArc3d& AcGeCircArc3d::setCenter(const AcGePoint3d& cent)
{
    mCenter = cent;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec)
{
    // A zero normal is taken as the world Z axis; a reference vector along the normal by
    // the normal's perpendicular.
    mNormal = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    const AcGeVector3d inPlane = refVec.orthoProject(mNormal);
    mRefVec = inPlane.isZeroLength() ? mNormal.perpVector() : inPlane.normal();
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setRadius(double radius)
{
    mRadius = radius;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAngles(double startAngle, double endAngle)
{
    double sweepAngle = endAngle - startAngle;
    if (sweepAngle < 0.0) sweepAngle = normalizeAngle(sweepAngle);
    mStartAng = startAngle;
    mEndAng = startAngle + std::min(sweepAngle, kTwoPi);
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius)
{
    const AcGeVector3d n = nrm.isZeroLength() ? AcGeVector3d::kZAxis : nrm.normal();
    return set(cent, n, n.perpVector(), radius, 0.0, kTwoPi);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                                  double radius, double startAngle, double endAngle)
{
    setCenter(cent);
    setAxes(nrm, refVec);
    setRadius(radius);
    return setAngles(startAngle, endAngle);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint)
{
    AcGeError error;
    return set(startPoint, pnt, endPoint, error);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint,
                                  AcGeError& error)
{
    if (startPoint.isEqualTo(pnt)) error = AcGe::kEqualArg1Arg2;
    else if (startPoint.isEqualTo(endPoint)) error = AcGe::kEqualArg1Arg3;
    else if (pnt.isEqualTo(endPoint)) error = AcGe::kEqualArg2Arg3;
    else if ((pnt - startPoint).isParallelTo(endPoint - startPoint)) error = AcGe::kLinearlyDependentArg1Arg2Arg3;
    else error = AcGe::kOk;
    if (error != AcGe::kOk) return *this;
    // Circumcentre of the triangle; its normal orients the triangle (and so the arc from the
    // start through pnt to the end) counterclockwise.
    const AcGeVector3d u = pnt - startPoint;
    const AcGeVector3d v = endPoint - startPoint;
    const AcGeVector3d w = u.crossProduct(v);
    const AcGePoint3d center =
        startPoint + (v.crossProduct(w) * u.lengthSqrd() + w.crossProduct(u) * v.lengthSqrd()) / (2.0 * w.lengthSqrd());
    const AcGeVector3d toStart = startPoint - center;
    set(center, w, toStart, toStart.length(), 0.0, 0.0);
    mEndAng = angleOf(endPoint - center);
    return *this;
}

double AcGeCircArc3d::angleOf(const AcGeVector3d& vec) const
{
    return normalizeAngle(std::atan2(vec.dotProduct(perpAxis()), vec.dotProduct(mRefVec)));
}

bool AcGeCircArc3d::onSweep(double angle, const AcGeTol& tol, double& param) const
{
    const double slack = angleTolerance(mRadius, tol);
    const double fromStart = normalizeAngle(angle - mStartAng);
    if (fromStart <= sweep() + slack) {
        param = mStartAng + fromStart;
        return true;
    }
    if (fromStart >= kTwoPi - slack) {
        param = mStartAng + fromStart - kTwoPi;
        return true;
    }
    return false;
}

AcGePoint3d AcGeCircArc3d::evalPoint(double param) const
{
    return mCenter + (mRefVec * std::cos(param) + perpAxis() * std::sin(param)) * mRadius;
}

AcGePoint3d AcGeCircArc3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    const AcGeVector3d inPlane = (pnt - mCenter).orthoProject(mNormal);
    // A point on the axis is equally far from every arc point.
    if (inPlane.length() == 0.0) return startPoint();
    double param = 0.0;
    if (onSweep(angleOf(inPlane), tol, param)) return evalPoint(param);
    // Off the sweep the distance grows with the angle away from pnt's: an end is nearest.
    const AcGePoint3d s = startPoint();
    const AcGePoint3d e = endPoint();
    return s.distanceTo(pnt) <= e.distanceTo(pnt) ? s : e;
}

AcGePoint3d AcGeCircArc3d::projClosestPointTo(const AcGePoint3d& pnt, const AcGeVector3d& projectDirection,
                                              const AcGeTol& tol) const
{
    if (projectDirection.isZeroLength(tol)) return closestPointTo(pnt, tol);
    // Minimise the squared distance from the sight line through pnt, seen along the
    // direction: |g(t)|^2 with g(t) = a + b cos t + c sin t. Its minima inside the sweep are
    // where g . g' turns from negative to positive; a fine scan brackets them (there are at
    // most two in a turn) and bisection pins them down. The ends compete too.
    const AcGeVector3d d = projectDirection.normal();
    const auto across = [&d](const AcGeVector3d& v) { return v - d * v.dotProduct(d); };
    const AcGeVector3d a = across(mCenter - pnt);
    const AcGeVector3d b = across(mRefVec) * mRadius;
    const AcGeVector3d c = across(perpAxis()) * mRadius;
    const auto g = [&](double t) { return a + b * std::cos(t) + c * std::sin(t); };
    const auto slope = [&](double t) { return g(t).dotProduct(c * std::cos(t) - b * std::sin(t)); };
    const auto dist2 = [&](double t) { return g(t).lengthSqrd(); };

    double best = dist2(mStartAng) <= dist2(mEndAng) ? mStartAng : mEndAng;
    constexpr int samples = 96;
    const double step = sweep() / samples;
    for (int i = 0; i < samples; ++i) {
        double lo = mStartAng + i * step;
        double hi = (i + 1 == samples) ? mEndAng : lo + step;
        if (!(slope(lo) < 0.0 && slope(hi) >= 0.0)) continue;
        for (int k = 0; k < 100 && hi - lo > 0.0; ++k) {
            const double mid = 0.5 * (lo + hi);
            if (mid <= lo || mid >= hi) break;
            (slope(mid) < 0.0 ? lo : hi) = mid;
        }
        if (dist2(hi) < dist2(best)) best = hi;
    }
    return evalPoint(best);
}

Adesk::Boolean AcGeCircArc3d::isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol) const
{
    const AcGeVector3d v = pnt - mCenter;
    if (std::fabs(v.dotProduct(mNormal)) > tol.equalPoint()) return false;
    const AcGeVector3d inPlane = v.orthoProject(mNormal);
    if (std::fabs(inPlane.length() - mRadius) > tol.equalPoint()) return false;
    if (inPlane.length() == 0.0) {
        param = mStartAng;  // a zero-radius arc is its centre
        return true;
    }
    return onSweep(angleOf(inPlane), tol, param);
}

Adesk::Boolean AcGeCircArc3d::isOn(double param, const AcGeTol& tol) const
{
    const double slack = angleTolerance(mRadius, tol);
    return param >= mStartAng - slack && param <= mEndAng + slack;
}

double AcGeCircArc3d::paramOf(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    const double angle = angleOf((pnt - mCenter).orthoProject(mNormal));
    double param = 0.0;
    if (onSweep(angle, tol, param)) return param;
    // Off the arc: the representative nearer to the sweep.
    const double fromStart = normalizeAngle(angle - mStartAng);
    return (fromStart - sweep() <= kTwoPi - fromStart) ? mStartAng + fromStart : mStartAng + fromStart - kTwoPi;
}

Adesk::Boolean AcGeCircArc3d::isClosed(const AcGeTol& tol) const
{
    return sweep() >= kTwoPi - angleTolerance(mRadius, tol);
}

double AcGeCircArc3d::length(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * mRadius;
}

Adesk::Boolean AcGeCircArc3d::hasStartPoint(AcGePoint3d& startPnt) const
{
    startPnt = startPoint();
    return true;
}

Adesk::Boolean AcGeCircArc3d::hasEndPoint(AcGePoint3d& endPnt) const
{
    endPnt = endPoint();
    return true;
}

Adesk::Boolean AcGeCircArc3d::tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol) const
{
    AcGeError error;
    return tangent(pnt, line, tol, error);
}

Adesk::Boolean AcGeCircArc3d::tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol,
                                      AcGeError& error) const
{
    if (!isOn(pnt, tol)) {
        error = isInside(pnt, tol) ? AcGe::kArg1InsideThis : AcGe::kArg1TooBig;
        return false;
    }
    error = AcGe::kOk;
    line.set(pnt, mNormal.crossProduct(pnt - mCenter).normal());
    return true;
}

void AcGeCircArc3d::getPlane(AcGePlane& plane) const { plane.set(mCenter, mRefVec, perpAxis()); }

Adesk::Boolean AcGeCircArc3d::isInside(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return (pnt - mCenter).orthoProject(mNormal).length() < mRadius - tol.equalPoint();
}

Adesk::Boolean AcGeCircArc3d::isKindOf(AcGe::EntityId entType) const
{
    return entType == AcGe::kCircArc3d || entType == AcGe::kCurve3d || AcGeCurve3d::isKindOf(entType);
}

Adesk::Boolean AcGeCircArc3d::isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol) const
{
    if (ent.type() != AcGe::kCircArc3d) return false;
    const auto& other = static_cast<const AcGeCircArc3d&>(ent);
    return mCenter.isEqualTo(other.mCenter, tol) && mNormal.isEqualTo(other.mNormal, tol) &&
           mRefVec.isEqualTo(other.mRefVec, tol) && std::fabs(mRadius - other.mRadius) <= tol.equalPoint() &&
           std::fabs(mStartAng - other.mStartAng) <= tol.equalVector() &&
           std::fabs(mEndAng - other.mEndAng) <= tol.equalVector();
}

AcGeEntity3d& AcGeCircArc3d::transformBy(const AcGeMatrix3d& xfm)
{
    // Carry the centre and the two in-plane radii; the angles keep their meaning because the
    // new normal is taken from the carried radii (a mirror flips it with them).
    const AcGePoint3d center = xfm * mCenter;
    const AcGeVector3d u = (xfm * (mCenter + mRefVec * mRadius)) - center;
    const AcGeVector3d w = (xfm * (mCenter + perpAxis() * mRadius)) - center;
    mCenter = center;
    mRadius = u.length();
    const AcGeVector3d n = u.crossProduct(w);
    if (!n.isZeroLength() && !u.isZeroLength()) {
        mNormal = n.normal();
        mRefVec = u.normal();
    }
    return *this;
}
