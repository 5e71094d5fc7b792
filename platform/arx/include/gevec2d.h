// AcGeVector2d: a direction and magnitude (or a displacement) in the plane.
#pragma once
#include "adesk.h"
#include "gegbl.h"
#include "gegblabb.h"

class AcGeMatrix2d;

class GE_DLLEXPIMPORT AcGeVector2d {
public:
    constexpr AcGeVector2d() : x(0.0), y(0.0) {}
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity;  // (0, 0)
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    // The matrix's linear part applied to the vector (translation does not move a vector).
    friend GE_DLLEXPIMPORT AcGeVector2d operator*(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
    AcGeVector2d& setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
    AcGeVector2d& transformBy(const AcGeMatrix2d& leftSide);
    AcGeVector2d& rotateBy(double angle);
    // Mirror image in the line through the origin along `line`.
    AcGeVector2d& mirror(const AcGeVector2d& line);

    constexpr AcGeVector2d operator*(double scl) const { return AcGeVector2d(x * scl, y * scl); }
    friend constexpr AcGeVector2d operator*(double scl, const AcGeVector2d& vec) { return vec * scl; }
    constexpr AcGeVector2d& operator*=(double scl)
    {
        x *= scl;
        y *= scl;
        return *this;
    }
    AcGeVector2d& setToProduct(const AcGeVector2d& vec, double scl) { return *this = vec * scl; }
    constexpr AcGeVector2d operator/(double scl) const { return AcGeVector2d(x / scl, y / scl); }
    constexpr AcGeVector2d& operator/=(double scl)
    {
        x /= scl;
        y /= scl;
        return *this;
    }

    constexpr AcGeVector2d operator+(const AcGeVector2d& vec) const { return AcGeVector2d(x + vec.x, y + vec.y); }
    constexpr AcGeVector2d& operator+=(const AcGeVector2d& vec)
    {
        x += vec.x;
        y += vec.y;
        return *this;
    }
    constexpr AcGeVector2d operator-(const AcGeVector2d& vec) const { return AcGeVector2d(x - vec.x, y - vec.y); }
    constexpr AcGeVector2d& operator-=(const AcGeVector2d& vec)
    {
        x -= vec.x;
        y -= vec.y;
        return *this;
    }
    AcGeVector2d& setToSum(const AcGeVector2d& v1, const AcGeVector2d& v2) { return *this = v1 + v2; }
    constexpr AcGeVector2d operator-() const { return AcGeVector2d(-x, -y); }
    AcGeVector2d& negate()
    {
        x = -x;
        y = -y;
        return *this;
    }

    // The vector turned a quarter turn counterclockwise.
    AcGeVector2d perpVector() const { return AcGeVector2d(-y, x); }

    // Angle from the X axis, counterclockwise, in [0, 2*pi).
    double angle() const;
    // Unsigned angle to `vec`, in [0, pi].
    double angleTo(const AcGeVector2d& vec) const;

    // Unit vector; a zero-length vector (within tol) is returned unchanged.
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector2d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    Adesk::Boolean isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double dotProduct(const AcGeVector2d& vec) const { return x * vec.x + y * vec.y; }

    bool operator==(const AcGeVector2d& vec) const { return isEqualTo(vec); }
    bool operator!=(const AcGeVector2d& vec) const { return !isEqualTo(vec); }
    bool isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGeVector2d& set(double xx, double yy)
    {
        x = xx;
        y = yy;
        return *this;
    }

    // The translation by this vector.
    operator AcGeMatrix2d() const;

    double x, y;
};
