// AcGePoint2d: a location in the plane.
#pragma once
#include "gevec2d.h"

class AcGeMatrix2d;

class GE_DLLEXPIMPORT AcGePoint2d {
public:
    constexpr AcGePoint2d() : x(0.0), y(0.0) {}
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGePoint2d kOrigin;

    friend GE_DLLEXPIMPORT AcGePoint2d operator*(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
    AcGePoint2d& setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
    AcGePoint2d& transformBy(const AcGeMatrix2d& leftSide);
    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    AcGePoint2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);

    constexpr AcGePoint2d operator*(double scl) const { return AcGePoint2d(x * scl, y * scl); }
    friend constexpr AcGePoint2d operator*(double scl, const AcGePoint2d& pnt) { return pnt * scl; }
    constexpr AcGePoint2d& operator*=(double scl)
    {
        x *= scl;
        y *= scl;
        return *this;
    }
    constexpr AcGePoint2d operator/(double scl) const { return AcGePoint2d(x / scl, y / scl); }
    constexpr AcGePoint2d& operator/=(double scl)
    {
        x /= scl;
        y /= scl;
        return *this;
    }

    constexpr AcGePoint2d operator+(const AcGeVector2d& vec) const { return AcGePoint2d(x + vec.x, y + vec.y); }
    constexpr AcGePoint2d& operator+=(const AcGeVector2d& vec)
    {
        x += vec.x;
        y += vec.y;
        return *this;
    }
    constexpr AcGePoint2d operator-(const AcGeVector2d& vec) const { return AcGePoint2d(x - vec.x, y - vec.y); }
    constexpr AcGePoint2d& operator-=(const AcGeVector2d& vec)
    {
        x -= vec.x;
        y -= vec.y;
        return *this;
    }
    AcGePoint2d& setToSum(const AcGePoint2d& pnt, const AcGeVector2d& vec) { return *this = pnt + vec; }

    constexpr AcGeVector2d operator-(const AcGePoint2d& pnt) const { return AcGeVector2d(x - pnt.x, y - pnt.y); }
    AcGeVector2d asVector() const { return AcGeVector2d(x, y); }

    double distanceTo(const AcGePoint2d& pnt) const { return (*this - pnt).length(); }

    bool operator==(const AcGePoint2d& pnt) const { return isEqualTo(pnt); }
    bool operator!=(const AcGePoint2d& pnt) const { return !isEqualTo(pnt); }
    bool isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? x : y; }
    double& operator[](unsigned int i) { return i == 0 ? x : y; }
    AcGePoint2d& set(double xx, double yy)
    {
        x = xx;
        y = yy;
        return *this;
    }

    double x, y;
};
