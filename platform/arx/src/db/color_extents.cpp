// AcCmColor and AcDbExtents.
#include <algorithm>

#include "dbmain.h"

AcCmColor::ColorMethod AcCmColor::colorMethod() const
{
    if (mIndex == kACIbyLayer) return kByLayer;
    if (mIndex == kACIbyBlock) return kByBlock;
    return kByACI;
}

Acad::ErrorStatus AcCmColor::setColorMethod(ColorMethod method)
{
    switch (method) {
    case kByLayer: mIndex = kACIbyLayer; return Acad::eOk;
    case kByBlock: mIndex = kACIbyBlock; return Acad::eOk;
    case kForeground: mIndex = kACIforeground; return Acad::eOk;
    case kByACI:
        if (!isByACI()) mIndex = kACIforeground;
        return Acad::eOk;
    default: return Acad::eNotApplicable;
    }
}

Acad::ErrorStatus AcCmColor::setColorIndex(Adesk::UInt16 index)
{
    if (index > kACIbyLayer) return Acad::eInvalidInput;
    mIndex = index;
    return Acad::eOk;
}

AcDbExtents::AcDbExtents() : mMin(1e20, 1e20, 1e20), mMax(-1e20, -1e20, -1e20) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : AcDbExtents() { set(min, max); }

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max)
{
    if (min.x > max.x || min.y > max.y || min.z > max.z) return Acad::eInvalidExtents;
    mMin = min;
    mMax = max;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& pt)
{
    mMin.set(std::min(mMin.x, pt.x), std::min(mMin.y, pt.y), std::min(mMin.z, pt.z));
    mMax.set(std::max(mMax.x, pt.x), std::max(mMax.y, pt.y), std::max(mMax.z, pt.z));
}

void AcDbExtents::addExt(const AcDbExtents& src)
{
    if (src.isEmpty()) return;
    addPoint(src.mMin);
    addPoint(src.mMax);
}

Acad::ErrorStatus AcDbExtents::expandBy(const AcGeVector3d& vec)
{
    if (isEmpty()) return Acad::eInvalidExtents;
    addPoint(mMin + vec);
    addPoint(mMax + vec);
    return Acad::eOk;
}

void AcDbExtents::transformBy(const AcGeMatrix3d& mat)
{
    if (isEmpty()) return;
    AcGePoint3d lo = mMin;
    AcGePoint3d hi = mMax;
    *this = AcDbExtents();
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d corner((i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z);
        addPoint(mat * corner);
    }
}
