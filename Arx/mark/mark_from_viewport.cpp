// Filling a mark from its viewport: the model corners and the view variables of the active
// viewport.
#include <optional>

#include "mark/mark_messages.h"
#include "mark/mark_variables.h"
#include "mark/outline_geometry.h"
#include "mark/vadu_kestra.h"
#include "shell/system_variables.h"

namespace {

bool readInto(AcGePoint3d& field, const char* name)
{
    const std::optional<AcGePoint3d> value = kestra::readPointVariable(name);
    if (!value) {
        kestra::printUnreadableVariable(name);
        return false;
    }
    field = *value;
    return true;
}

bool readInto(double& field, const char* name)
{
    const std::optional<double> value = kestra::readRealVariable(name);
    if (!value) {
        kestra::printUnreadableVariable(name);
        return false;
    }
    field = *value;
    return true;
}

}  // namespace

bool VaduKestra::readViewVariables()
{
    const std::optional<int> viewMode = kestra::readIntegerVariable("VIEWMODE");
    if (!viewMode) {
        kestra::printUnreadableVariable("VIEWMODE");
        return false;
    }
    mViewMode = static_cast<Adesk::Int16>(*viewMode);
    return readInto(mViewDir, "VIEWDIR") && readInto(mViewTarget, "TARGET") && readInto(mFrontZ, "FRONTZ") &&
           readInto(mBackZ, "BACKZ") && readInto(mLensLength, "LENSLENGTH");
}

Acad::ErrorStatus VaduKestra::setFromViewport(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                                              const AcGePoint3d& p3, double paperHeight,
                                              const AcDbHandle& viewportHandle, const AcGeVector3d& normal)
{
    assertWriteEnabled();
    mCorners[0] = p0;
    mCorners[1] = p1;
    mCorners[2] = p2;
    mCorners[3] = p3;
    mOutlineBlockId.setNull();
    clearScaleLabel();
    mCenter = kestra::outlineCenter(mCorners);
    mNormal = normal;
    if (!readViewVariables()) return Acad::eInvalidInput;
    mPaperHeight = paperHeight;
    mRotation = kestra::outlineRotation(mCorners, mCenter, mNormal);
    mViewportHandle = viewportHandle;
    updateZoomXp();
    return Acad::eOk;
}
