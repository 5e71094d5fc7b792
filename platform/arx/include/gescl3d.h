// AcGeScale3d: scale factors along X, Y and Z (block reference scales).
// Contract: the factors are never zero.
#pragma once
#include "adesk.h"
#include "gegbl.h"

class AcGeMatrix3d;

class GE_DLLEXPIMPORT AcGeScale3d {
public:
    constexpr AcGeScale3d() : sx(1.0), sy(1.0), sz(1.0) {}
    constexpr explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr AcGeScale3d(double xFact, double yFact, double zFact) : sx(xFact), sy(yFact), sz(zFact) {}

    static const AcGeScale3d kIdentity;

    AcGeScale3d operator*(const AcGeScale3d& s) const { return AcGeScale3d(sx * s.sx, sy * s.sy, sz * s.sz); }
    AcGeScale3d& operator*=(const AcGeScale3d& s) { return *this = *this * s; }
    AcGeScale3d& preMultBy(const AcGeScale3d& leftSide) { return *this = leftSide * *this; }
    AcGeScale3d& postMultBy(const AcGeScale3d& rightSide) { return *this = *this * rightSide; }
    AcGeScale3d& setToProduct(const AcGeScale3d& s1, const AcGeScale3d& s2) { return *this = s1 * s2; }
    AcGeScale3d operator*(double s) const { return AcGeScale3d(sx * s, sy * s, sz * s); }
    AcGeScale3d& operator*=(double s) { return *this = *this * s; }
    AcGeScale3d& setToProduct(const AcGeScale3d& scl, double s) { return *this = scl * s; }
    friend AcGeScale3d operator*(double s, const AcGeScale3d& scl) { return scl * s; }

    AcGeScale3d inverse() const { return AcGeScale3d(1.0 / sx, 1.0 / sy, 1.0 / sz); }
    AcGeScale3d& invert() { return *this = inverse(); }

    // All three factors equal within equalVector.
    Adesk::Boolean isProportional(const AcGeTol& tol = AcGeContext::gTol) const;

    bool operator==(const AcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const AcGeScale3d& s) const { return !isEqualTo(s); }
    bool isEqualTo(const AcGeScale3d& s, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned int i) { return i == 0 ? sx : (i == 1 ? sy : sz); }
    AcGeScale3d& set(double sc0, double sc1, double sc2)
    {
        sx = sc0;
        sy = sc1;
        sz = sc2;
        return *this;
    }

    // The diagonal scaling matrix.
    operator AcGeMatrix3d() const;
    void getMatrix(AcGeMatrix3d& mat) const;
    // The lengths of the matrix's three columns (the last one negative for a mirroring matrix).
    AcGeScale3d& extractScale(const AcGeMatrix3d& mat);
    // As extractScale, then divides the columns of mat by the factors.
    AcGeScale3d& removeScale(AcGeMatrix3d& mat);

    double sx, sy, sz;
};
