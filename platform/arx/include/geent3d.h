// AcGeEntity3d: the base of the geometry library's 3D entities (curves and surfaces).
#pragma once
#include "gegbl.h"
#include "gepnt3d.h"

class AcGeMatrix3d;
class AcGePlane;

class GE_DLLEXPIMPORT AcGeEntity3d {
public:
    virtual ~AcGeEntity3d() = default;

    // Run-time type: isKindOf answers for the entity's own type and every base type.
    virtual Adesk::Boolean isKindOf(AcGe::EntityId entType) const;
    virtual AcGe::EntityId type() const = 0;

    // A new copy of the same type; the caller deletes it.
    virtual AcGeEntity3d* copy() const = 0;

    Adesk::Boolean operator==(const AcGeEntity3d& entity) const { return isEqualTo(entity); }
    Adesk::Boolean operator!=(const AcGeEntity3d& entity) const { return !isEqualTo(entity); }
    // Same type and the same defining data within tol.
    virtual Adesk::Boolean isEqualTo(const AcGeEntity3d& ent, const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) = 0;
    AcGeEntity3d& translateBy(const AcGeVector3d& translateVec);
    AcGeEntity3d& rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    AcGeEntity3d& mirror(const AcGePlane& plane);
    AcGeEntity3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);

    virtual Adesk::Boolean isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    constexpr AcGeEntity3d() = default;
    constexpr AcGeEntity3d(const AcGeEntity3d&) = default;
    AcGeEntity3d& operator=(const AcGeEntity3d&) = default;
};
