// KSPLAN, KSUCS and KSVIEWUCS: the view turned to the plan of a mark and zoomed to it, the
// mark's coordinate system made the UCS, or both. UCSFOLLOW, UCSICON and CMDECHO are the
// user's again whatever happens.
#include <optional>

#include "acedads.h"
#include "acutads.h"
#include "aced.h"
#include "assoc/association_maintenance.h"
#include "commands/command_echo.h"
#include "commands/mark_alignment.h"
#include "commands/mark_selection.h"
#include "commands/space_state.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "shell/message_routing.h"
#include "shell/object_opener.h"
#include "shell/result_buffer.h"
#include "shell/system_variables.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kCannotChangeViewAngle = "Cannot change the view angle";
constexpr const char* kCannotRestorePreviousView = "Cannot restore previous view.";
constexpr const char* kCommandError = "* ads_command ERROR *\n";

bool changesView(AlignMode mode) { return (static_cast<int>(mode) & 1) != 0; }
bool keepsUcs(AlignMode mode) { return (static_cast<int>(mode) & 2) != 0; }

// UCSFOLLOW and UCSICON as the user had them, put back once the routine has started to change
// them (failures to put them back are ignored).
class UcsDisplayVariables {
public:
    // Reads both; false (reported) when one cannot be read.
    bool read()
    {
        follow_ = readIntegerVariable("UCSFOLLOW");
        if (!follow_) {
            printUnreadableVariable("UCSFOLLOW");
            return false;
        }
        icon_ = readIntegerVariable("UCSICON");
        if (!icon_) {
            printUnreadableVariable("UCSICON");
            return false;
        }
        return true;
    }
    void changing() { changing_ = true; }
    ~UcsDisplayVariables()
    {
        if (!changing_) return;
        writeIntegerVariable("UCSFOLLOW", *follow_);
        writeIntegerVariable("UCSICON", *icon_);
    }

private:
    std::optional<int> follow_;
    std::optional<int> icon_;
    bool changing_ = false;
};

// SCREENSIZE: width and height in pixels.
bool readScreenSize(double& width, double& height)
{
    ResultBufferHolder value(acutNewRb(RTNONE));
    if (!value || acedGetVar("SCREENSIZE", value.get()) != RTNORM ||
        (value->restype != RTPOINT && value->restype != RT3DPOINT)) {
        printUnreadableVariable("SCREENSIZE");
        return false;
    }
    width = value->resval.rpoint[0];
    height = value->resval.rpoint[1];
    return true;
}

// The alignment read from the mark, which is closed again before the view changes.
std::optional<MarkAlignment> readAlignment(AcDbObjectId markId)
{
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) {
        acutPrintf("%s\n", kCannotReadMark);
        return std::nullopt;
    }
    double width = 0.0, height = 0.0;
    if (!readScreenSize(width, height)) return std::nullopt;
    return markAlignment(*mark, width, height);
}

// ZOOM Center on the mark with CMDECHO off, so that the host does not echo it.
void zoomOnMark(const MarkAlignment& alignment)
{
    const ads_point inWorld = {alignment.zoomCenter.x, alignment.zoomCenter.y, alignment.zoomCenter.z};
    ads_point center = {inWorld[0], inWorld[1], inWorld[2]};
    resbuf world, ucs;
    world.restype = ucs.restype = RTSHORT;
    world.resval.rint = 0;
    ucs.resval.rint = 1;
    acedTrans(inWorld, &world, &ucs, 0, center);
    CommandEchoOff echo;
    if (!echo.active()) return;
    if (acedCommand(RTSTR, "._ZOOM", RTSTR, "_C", RTSTR, "_none", RT3DPOINT, center, RTREAL, alignment.zoomHeight,
                    RTNONE) != RTNORM)
        acutPrintf("%s", kCommandError);
    echo.restore();
}

}  // namespace

int alignToMark(AlignMode mode, const resbuf* args)
{
    if (!requireModelSpace(kModelSpaceFunction)) return RTNORM;
    UcsDisplayVariables variables;
    if (!variables.read()) return RTNORM;
    AcDbObjectId markId;
    if (!markOfCommandOrLisp(args, markId)) return RTNORM;
    const std::optional<MarkAlignment> alignment = readAlignment(markId);
    if (!alignment) return RTNORM;

    variables.changing();
    if (changesView(mode) && !writeIntegerVariable("UCSFOLLOW", 1)) {
        printUnchangeableVariable("UCSFOLLOW");
        return RTNORM;
    }
    writeIntegerVariable("UCSICON", 0);
    const bool ucsSet = acedSetCurrentUCS(alignment->ucs) == Acad::eOk;
    if (!ucsSet) acutPrintf("%s.\n", kCannotChangeViewAngle);
    if (!keepsUcs(mode)) {
        writeIntegerVariable("UCSFOLLOW", 0);
        // Only a UCS this routine made current is taken back: going back when none was set
        // would drop the user's own UCS for the one before it.
        if (ucsSet && acedRestorePreviousUCS() != Acad::eOk) acutPrintf("%s\n", kCannotRestorePreviousView);
    }
    if (changesView(mode)) zoomOnMark(*alignment);
    return RTNORM;
}

}  // namespace kestra
