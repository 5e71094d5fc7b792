// AcGe: the geometry library's run-time type ids and enums; AcGeContext: its global settings.
#pragma once
#include "adesk.h"
#include "gedll.h"
#include "getol.h"

class AcGeVector3d;

struct GE_DLLEXPIMPORT AcGe {
    enum { eGood, eBad };

    // Run-time type ids of the geometric entities (values as in the host's library).
    enum EntityId {
        kEntity2d,
        kEntity3d,
        kPointEnt2d,
        kPointEnt3d,
        kPosition2d,
        kPosition3d,
        kPointOnCurve2d,
        kPointOnCurve3d,
        kPointOnSurface,
        kBoundedPlane,
        kCircArc2d,
        kCircArc3d,
        kConic2d,
        kConic3d,
        kCurve2d,
        kCurve3d,
        kEllipArc2d,
        kEllipArc3d,
        kLine2d,
        kLine3d,
        kLinearEnt2d,
        kLinearEnt3d,
        kLineSeg2d,
        kLineSeg3d,
        kPlanarEnt,
        kPlane,
        kRay2d,
        kRay3d,
        kSurface,
    };

    enum PointContainment { kInside, kOutside, kOnBoundary };

    enum ErrorCondition {
        kOk,
        k0This,
        k0Arg1,
        k0Arg2,
        kPerpendicularArg1Arg2,
        kEqualArg1Arg2,
        kEqualArg1Arg3,
        kEqualArg2Arg3,
        kLinearlyDependentArg1Arg2Arg3,
        kArg1TooBig,
        kArg1OnThis,
        kArg1InsideThis,
    };
};

struct GE_DLLEXPIMPORT AcGeContext {
    // The default tolerance of every call that takes one (equal point and equal vector 1e-10).
    static AcGeTol gTol;

    // Computes a vector orthogonal to its first argument; AcGeVector3d::perpVector and the
    // planes built from a normal use it. The default is the arbitrary-axis algorithm of the
    // DXF reference (the X axis it gives for the vector taken as a Z axis).
    static void (*gOrthoVector)(const AcGeVector3d&, AcGeVector3d&);
};
