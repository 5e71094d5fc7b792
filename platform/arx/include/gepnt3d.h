// AcGePoint3d: a location in space.
#pragma once
#include "gevec3d.h"

class AcGeMatrix3d;
class AcGePlane;
class AcGePlanarEnt;
class AcGePoint2d;

class GE_DLLEXPIMPORT AcGePoint3d {
public:
    constexpr AcGePoint3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The point of the plane's parameter space: origin + u * uAxis + v * vAxis.
    AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d);

    static const AcGePoint3d kOrigin;

    // Full homogeneous transformation (a projective matrix divides by the resulting w).
    friend GE_DLLEXPIMPORT AcGePoint3d operator*(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    AcGePoint3d& setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);

    AcGePoint3d& transformBy(const AcGeMatrix3d& leftSide);
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    AcGePoint3d& mirror(const AcGePlane& pln);
    AcGePoint3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    // Parameters (u, v) of the plane point closest to this point.
    AcGePoint2d convert2d(const AcGePlanarEnt& pln) const;

    constexpr AcGePoint3d operator*(double scl) const { return AcGePoint3d(x * scl, y * scl, z * scl); }
    friend constexpr AcGePoint3d operator*(double scl, const AcGePoint3d& pnt) { return pnt * scl; }
    constexpr AcGePoint3d& operator*=(double scl)
    {
        x *= scl;
        y *= scl;
        z *= scl;
        return *this;
    }
    constexpr AcGePoint3d operator/(double scl) const { return AcGePoint3d(x / scl, y / scl, z / scl); }
    constexpr AcGePoint3d& operator/=(double scl)
    {
        x /= scl;
        y /= scl;
        z /= scl;
        return *this;
    }

    constexpr AcGePoint3d operator+(const AcGeVector3d& v) const { return AcGePoint3d(x + v.x, y + v.y, z + v.z); }
    constexpr AcGePoint3d& operator+=(const AcGeVector3d& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    constexpr AcGePoint3d operator-(const AcGeVector3d& v) const { return AcGePoint3d(x - v.x, y - v.y, z - v.z); }
    constexpr AcGePoint3d& operator-=(const AcGeVector3d& v)
    {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    AcGePoint3d& setToSum(const AcGePoint3d& pnt, const AcGeVector3d& vec) { return *this = pnt + vec; }

    constexpr AcGeVector3d operator-(const AcGePoint3d& p) const { return AcGeVector3d(x - p.x, y - p.y, z - p.z); }
    AcGeVector3d asVector() const { return AcGeVector3d(x, y, z); }

    double distanceTo(const AcGePoint3d& pnt) const { return (*this - pnt).length(); }

    // Projection along vec onto the plane (unchanged when vec is parallel to the plane).
    AcGePoint3d project(const AcGePlane& pln, const AcGeVector3d& vec) const;
    AcGePoint3d orthoProject(const AcGePlane& pln) const;

    bool operator==(const AcGePoint3d& pnt) const { return isEqualTo(pnt); }
    bool operator!=(const AcGePoint3d& pnt) const { return !isEqualTo(pnt); }
    bool isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    AcGePoint3d& set(double xx, double yy, double zz)
    {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGePoint3d& set(const AcGePlanarEnt& pln, const AcGePoint2d& pnt);

    double x, y, z;
};
