// AcGeVector3d: a direction and magnitude (or a displacement) in space.
#pragma once
#include "adesk.h"
#include "gegbl.h"
#include "gegblabb.h"

class AcGeMatrix3d;
class AcGeVector2d;
class AcGePlane;
class AcGePlanarEnt;

class GE_DLLEXPIMPORT AcGeVector3d {
public:
    constexpr AcGeVector3d() : x(0.0), y(0.0), z(0.0) {}
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The vector of the plane's parameter space: vec.x * uAxis + vec.y * vAxis.
    AcGeVector3d(const AcGePlanarEnt& pln, const AcGeVector2d& vec);

    static const AcGeVector3d kIdentity;  // (0, 0, 0)
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    // The matrix's linear part applied to the vector (translation does not move a vector).
    friend GE_DLLEXPIMPORT AcGeVector3d operator*(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    AcGeVector3d& setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec);

    AcGeVector3d& transformBy(const AcGeMatrix3d& leftSide);
    // Turns the vector counterclockwise (right-hand rule) about `axis`; a zero axis leaves it.
    AcGeVector3d& rotateBy(double ang, const AcGeVector3d& axis);
    // Mirror image in the plane through the origin with the given normal.
    AcGeVector3d& mirror(const AcGeVector3d& normalToPlane);
    // Coordinates in the plane's parameter space (u and v along its uAxis and vAxis).
    AcGeVector2d convert2d(const AcGePlanarEnt& pln) const;

    constexpr AcGeVector3d operator*(double scl) const { return AcGeVector3d(x * scl, y * scl, z * scl); }
    friend constexpr AcGeVector3d operator*(double scl, const AcGeVector3d& vec) { return vec * scl; }
    constexpr AcGeVector3d& operator*=(double scl)
    {
        x *= scl;
        y *= scl;
        z *= scl;
        return *this;
    }
    AcGeVector3d& setToProduct(const AcGeVector3d& vec, double scl) { return *this = vec * scl; }
    constexpr AcGeVector3d operator/(double scl) const { return AcGeVector3d(x / scl, y / scl, z / scl); }
    constexpr AcGeVector3d& operator/=(double scl)
    {
        x /= scl;
        y /= scl;
        z /= scl;
        return *this;
    }

    constexpr AcGeVector3d operator+(const AcGeVector3d& v) const { return AcGeVector3d(x + v.x, y + v.y, z + v.z); }
    constexpr AcGeVector3d& operator+=(const AcGeVector3d& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    constexpr AcGeVector3d operator-(const AcGeVector3d& v) const { return AcGeVector3d(x - v.x, y - v.y, z - v.z); }
    constexpr AcGeVector3d& operator-=(const AcGeVector3d& v)
    {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    AcGeVector3d& setToSum(const AcGeVector3d& v1, const AcGeVector3d& v2) { return *this = v1 + v2; }
    constexpr AcGeVector3d operator-() const { return AcGeVector3d(-x, -y, -z); }
    AcGeVector3d& negate()
    {
        x = -x;
        y = -y;
        z = -z;
        return *this;
    }

    // A unit vector orthogonal to this one, from AcGeContext::gOrthoVector (by default the
    // X axis of the arbitrary-axis algorithm: perpendicular, and in the XY plane where it can be).
    AcGeVector3d perpVector() const;

    // Unsigned angle to `vec`, in [0, pi].
    double angleTo(const AcGeVector3d& vec) const;
    // Angle to `vec` in [0, 2*pi): the unsigned angle when refVec . (this x vec) >= 0,
    // else 2*pi minus it (counterclockwise seen from the tip of refVec).
    double angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const;
    // Angle, in [0, 2*pi), from the plane's first canonical axis to this vector projected
    // orthogonally onto the plane, counterclockwise about the plane's normal.
    double angleOnPlane(const AcGePlanarEnt& pln) const;

    // Unit vector; a zero-length vector (within tol) is returned unchanged.
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector3d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    Adesk::Boolean isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    // Direction tests; a zero-length vector is never parallel, codirectional or perpendicular.
    Adesk::Boolean isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;

    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const
    {
        return AcGeVector3d(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
    }

    // The rotation about `axis` that turns this vector's direction into vec's. With the
    // default (zero) axis the rotation is about this x vec (or any perpendicular when the
    // two are opposite).
    AcGeMatrix3d rotateTo(const AcGeVector3d& vec, const AcGeVector3d& axis = AcGeVector3d::kIdentity) const;

    // Projection along projectDirection onto the plane through the origin with the given
    // normal; unchanged when the direction lies in the plane.
    AcGeVector3d project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection) const;
    AcGeVector3d project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection, const AcGeTol& tol,
                         AcGeError& flag) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol, AcGeError& flag) const;

    bool operator==(const AcGeVector3d& vec) const { return isEqualTo(vec); }
    bool operator!=(const AcGeVector3d& vec) const { return !isEqualTo(vec); }
    bool isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }
    // Index (0, 1 or 2) of the component of largest magnitude.
    unsigned int largestElement() const;
    AcGeVector3d& set(double xx, double yy, double zz)
    {
        x = xx;
        y = yy;
        z = zz;
        return *this;
    }
    AcGeVector3d& set(const AcGePlanarEnt& pln, const AcGeVector2d& vec);

    // The translation by this vector.
    operator AcGeMatrix3d() const;

    double x, y, z;
};
