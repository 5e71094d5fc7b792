// The mark under the host's transformations (MOVE, ROTATE, SCALE, MIRROR and any other
// matrix) and EXPLODE.
#include <optional>
#include <string>

#include "acutads.h"
#include "dbents.h"
#include "mark/mark_messages.h"
#include "mark/outline_geometry.h"
#include "mark/vadu_kestra.h"
#include "shell/system_variables.h"

namespace {

// The status of an EXPLODE that cannot tell which command runs.
constexpr Acad::ErrorStatus kCommandNamesUnreadable = Acad::eBufferTooSmall;
constexpr const char* kExplodeCommands = "EXPLODE*";
constexpr const char* kExplodeLoss =
    "Execute EXPLODE on Kestra object leads to the loss of the information on the floating viewport.";
constexpr const char* kExplodeUndo = " Execute the UNDO command to restore it.";

}  // namespace

Acad::ErrorStatus VaduKestra::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    transformOutline(xform);
    return Acad::eOk;
}

// The normal is taken from the transformed corners rather than transformed itself, so that a
// mirror turns it over and a shear keeps it square to the outline; its length is kept.
void VaduKestra::transformOutline(const AcGeMatrix3d& xform)
{
    for (AcGePoint3d& corner : mCorners) corner.transformBy(xform);
    mCenter = kestra::outlineCenter(mCorners);
    updateZoomXp();
    mNormal = kestra::outlineNormal(mCorners, mNormal.length(), mNormal);
    mRotation = kestra::outlineRotation(mCorners, mCenter, mNormal);
}

// The mark only breaks up when the user asks for it with EXPLODE; inside other commands
// (a block being exploded, an AutoLISP routine) it stays whole.
Acad::ErrorStatus VaduKestra::explode(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    const std::optional<std::string> commands = kestra::readTextVariable("CMDNAMES");
    if (!commands) {
        kestra::printUnreadableVariable("CMDNAMES");
        return kCommandNamesUnreadable;
    }
    if (acutWcMatch(commands->c_str(), kExplodeCommands) != RTNORM) return Acad::eNotApplicable;

    AcGePoint3dArray vertices;
    for (int i : {2, 3, 0, 1}) vertices.append(mCorners[i]);
    auto* outline = new AcDb3dPolyline(AcDb3dPolyline::k3dSimplePoly, vertices, Adesk::kTrue);
    outline->setColor(color());
    outline->setLayer(layerId());
    outline->setLinetype(linetypeId());
    entitySet.append(outline);
    acutPrintf("%s\n%s\n", kExplodeLoss, kExplodeUndo);
    return Acad::eOk;
}
