// AcGeMatrix2d: a 3x3 homogeneous matrix for transformations of the plane.
// Points are columns: the transformed point is M * (x, y, 1).
#pragma once
#include "gegbl.h"
#include "gepnt2d.h"

class GE_DLLEXPIMPORT AcGeMatrix2d {
public:
    constexpr AcGeMatrix2d() : entry{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}} {}

    static const AcGeMatrix2d kIdentity;

    AcGeMatrix2d& setToIdentity();

    AcGeMatrix2d operator*(const AcGeMatrix2d& mat) const;
    AcGeMatrix2d& operator*=(const AcGeMatrix2d& mat);
    AcGeMatrix2d& preMultBy(const AcGeMatrix2d& leftSide);
    AcGeMatrix2d& postMultBy(const AcGeMatrix2d& rightSide);
    AcGeMatrix2d& setToProduct(const AcGeMatrix2d& mat1, const AcGeMatrix2d& mat2);

    // A singular matrix has no inverse: invert() leaves it unchanged and inverse() returns a copy.
    AcGeMatrix2d& invert();
    AcGeMatrix2d inverse() const;
    Adesk::Boolean isSingular(const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeMatrix2d& transposeIt();
    AcGeMatrix2d transpose() const;

    bool operator==(const AcGeMatrix2d& mat) const { return isEqualTo(mat); }
    bool operator!=(const AcGeMatrix2d& mat) const { return !isEqualTo(mat); }
    bool isEqualTo(const AcGeMatrix2d& mat, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    // Length of the longest column of the linear part.
    double scale() const;

    double det() const;

    AcGeMatrix2d& setTranslation(const AcGeVector2d& vec);
    AcGeVector2d translation() const;

    AcGeMatrix2d& setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& e0, const AcGeVector2d& e1);
    void getCoordSystem(AcGePoint2d& origin, AcGeVector2d& e0, AcGeVector2d& e1) const;

    AcGeMatrix2d& setToTranslation(const AcGeVector2d& vec);
    AcGeMatrix2d& setToRotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    AcGeMatrix2d& setToScaling(double scaleAll, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    AcGeMatrix2d& setToMirroring(const AcGePoint2d& pnt);
    AcGeMatrix2d& setToAlignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                     const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin, const AcGeVector2d& toE0,
                                     const AcGeVector2d& toE1);

    static AcGeMatrix2d translation(const AcGeVector2d& vec);
    static AcGeMatrix2d rotation(double angle, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d scaling(double scaleAll, const AcGePoint2d& center = AcGePoint2d::kOrigin);
    static AcGeMatrix2d mirroring(const AcGePoint2d& pnt);
    static AcGeMatrix2d alignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                      const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin, const AcGeVector2d& toE0,
                                      const AcGeVector2d& toE1);

    double operator()(unsigned int row, unsigned int column) const { return entry[row][column]; }
    double& operator()(unsigned int row, unsigned int column) { return entry[row][column]; }

    double entry[3][3];  // [row][column]
};
