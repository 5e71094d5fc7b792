// AcGeMatrix3d: a 4x4 homogeneous matrix for transformations of space.
// Points are columns: the transformed point is M * (x, y, z, 1); A * B applies B first.
#pragma once
#include "gegbl.h"
#include "gemat2d.h"
#include "gepnt3d.h"

class AcGeLine3d;
class AcGePlane;

class GE_DLLEXPIMPORT AcGeMatrix3d {
public:
    constexpr AcGeMatrix3d()
        : entry{{1.0, 0.0, 0.0, 0.0}, {0.0, 1.0, 0.0, 0.0}, {0.0, 0.0, 1.0, 0.0}, {0.0, 0.0, 0.0, 1.0}}
    {}

    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d& setToIdentity();

    AcGeMatrix3d operator*(const AcGeMatrix3d& mat) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& mat);
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& leftSide);
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& rightSide);
    AcGeMatrix3d& setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2);

    // A singular matrix has no inverse: invert() leaves it unchanged, inverse() returns a
    // copy, and inverse(inv, tol) reports it by returning false. Check isSingular() first.
    AcGeMatrix3d& invert();
    AcGeMatrix3d inverse() const;
    AcGeMatrix3d inverse(const AcGeTol& tol) const;
    Adesk::Boolean inverse(AcGeMatrix3d& inv, double tol) const;
    // Singular when its columns are linearly dependent relative to their lengths, so that
    // a small uniform scale (a 1:10000 view) is not mistaken for a singular matrix.
    Adesk::Boolean isSingular(const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeMatrix3d& transposeIt();
    AcGeMatrix3d transpose() const;

    // Entry-wise comparison: translation entries within equalPoint, the others within equalVector.
    bool operator==(const AcGeMatrix3d& mat) const { return isEqualTo(mat); }
    bool operator!=(const AcGeMatrix3d& mat) const { return !isEqualTo(mat); }
    bool isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol = AcGeContext::gTol) const;

    // Affine, with mutually perpendicular columns of one common length (a rotation or mirror
    // times a uniform scale, plus a translation).
    Adesk::Boolean isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    // Affine, with mutually perpendicular non-zero columns.
    Adesk::Boolean isScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;

    double det() const;

    AcGeMatrix3d& setTranslation(const AcGeVector3d& vec);
    AcGeVector3d translation() const;

    // Columns: the three axes (taken as given, not normalised) and the origin.
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis,
                                 const AcGeVector3d& zAxis);
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis, AcGeVector3d& zAxis) const;

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& vec);
    // Counterclockwise (right-hand rule) about the axis through center; a zero axis gives
    // the identity.
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double scaleAll, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToMirroring(const AcGePlane& pln);
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& pnt);
    AcGeMatrix3d& setToMirroring(const AcGeLine3d& line);
    // Parallel projection along projectDir onto the plane (identity when projectDir lies in
    // the plane's direction, which has no projection).
    AcGeMatrix3d& setToProjection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir);
    // Maps the `from` coordinate system onto the `to` one: to-system * inverse(from-system).
    AcGeMatrix3d& setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                     const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                     const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                     const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);

    // The plane's coordinate system for a normal: origin at the world origin, Z along the
    // normal and X from the arbitrary-axis algorithm of the DXF reference (the object
    // coordinate system of an entity with that extrusion). For a plane: its own origin and
    // canonical axes. A zero normal is taken as the world Z axis (the identity).
    AcGeMatrix3d& setToWorldToPlane(const AcGeVector3d& normal);
    AcGeMatrix3d& setToWorldToPlane(const AcGePlane& plane);
    AcGeMatrix3d& setToPlaneToWorld(const AcGeVector3d& normal);
    AcGeMatrix3d& setToPlaneToWorld(const AcGePlane& plane);

    static AcGeMatrix3d translation(const AcGeVector3d& vec);
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double scaleAll, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d mirroring(const AcGePlane& pln);
    static AcGeMatrix3d mirroring(const AcGePoint3d& pnt);
    static AcGeMatrix3d mirroring(const AcGeLine3d& line);
    static AcGeMatrix3d projection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir);
    static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                      const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                      const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                      const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d worldToPlane(const AcGePlane& plane);
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
    static AcGeMatrix3d planeToWorld(const AcGePlane& plane);

    // Length of the longest column of the linear (3x3) part.
    double scale() const;
    // Largest absolute row sum of the linear part (the infinity norm).
    double norm() const;

    double operator()(unsigned int row, unsigned int column) const { return entry[row][column]; }
    double& operator()(unsigned int row, unsigned int column) { return entry[row][column]; }

    double entry[4][4];  // [row][column]
};
