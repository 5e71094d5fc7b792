// How a mark draws itself: its outline, a band under its bottom edge with a solid block that
// shows which way is down on the sheet, and while a grip is dragged a one-shot scale label.
#include <algorithm>
#include <optional>
#include <string>

#include "acedads.h"
#include "acgi.h"
#include "acutads.h"
#include "geassign.h"
#include "gemat3d.h"
#include "mark/drag_scales.h"
#include "mark/mark_messages.h"
#include "mark/mark_variables.h"
#include "mark/vadu_kestra.h"

namespace {

enum SelectionMarker : Adesk::Int32 { kOutlineMarker = 1, kBandMarker = 2, kBlockMarker = 3 };
constexpr Adesk::UInt16 kLabelFrameColor = 5;
constexpr Adesk::UInt16 kLabelTextColor = 7;
constexpr const char* kLabelFont = "romans.shx";
constexpr const char* kFontNotFound = "Font not found.\n";
constexpr double kLabelHeightPerViewSize = 0.02857142857142857;  // VIEWSIZE / 35

// A display direction carried into world coordinates.
AcGeVector3d displayToWorld(const AcGeVector3d& direction)
{
    resbuf from;
    from.restype = RTSHORT;
    from.resval.rint = RTDCS;
    resbuf to;
    to.restype = RTSHORT;
    to.resval.rint = RTWCS;
    AcGeVector3d result = direction;
    acedTrans(asDblArray(direction), &from, &to, 1, asDblArray(result));
    return result;
}

// The frame of the label: text direction, second axis and normal of the screen, in the
// world; the label faces the viewer and reads horizontally on screen.
AcGeMatrix3d screenFrame()
{
    AcGeMatrix3d frame;
    frame.setCoordSystem(AcGePoint3d::kOrigin, displayToWorld(AcGeVector3d::kXAxis),
                         displayToWorld(AcGeVector3d::kYAxis), displayToWorld(AcGeVector3d::kZAxis));
    return frame;
}

AcGiTextStyle labelStyle(double textHeight)
{
    AcGiTextStyle style;
    style.setFileName(kLabelFont);
    style.setBigFontFileName("");
    style.setTextSize(textHeight);
    return style;
}

// The text at `position` facing the viewer, in a frame that leaves half the text's height
// around it.
void drawLabel(AcGiWorldDraw* worldDraw, const std::string& text, const AcGiTextStyle& style,
               const AcGePoint3d& position)
{
    const AcGeMatrix3d frame = screenFrame();
    const AcGePoint2d extents =
        style.extents(text.c_str(), Adesk::kFalse, static_cast<int>(text.size()), Adesk::kFalse);
    const double k = extents.y / 2.0;
    const AcGePoint3d corners[5] = {{-k, -k, 0.0},
                                    {extents.x + k, -k, 0.0},
                                    {extents.x + k, extents.y + k, 0.0},
                                    {-k, extents.y + k, 0.0},
                                    {-k, -k, 0.0}};
    AcGePoint3d box[5];
    for (int i = 0; i < 5; ++i) box[i] = position + (frame * corners[i]).asVector();
    worldDraw->subEntityTraits().setColor(kLabelFrameColor);
    worldDraw->geometry().polyline(5, box);
    worldDraw->subEntityTraits().setColor(kLabelTextColor);
    worldDraw->geometry().text(position, frame * AcGeVector3d::kZAxis, frame * AcGeVector3d::kXAxis, text.c_str(),
                               static_cast<Adesk::Int32>(text.size()), Adesk::kFalse, style);
}

// The band size: 2 % of the shorter side.
double bandSize(double width, double height) { return std::min(0.02 * width, 0.02 * height); }

}  // namespace

Adesk::Boolean VaduKestra::worldDraw(AcGiWorldDraw* worldDraw)
{
    assertReadEnabled();
    drawOutline(worldDraw);
    if (mScaleLabel[0] != '\0' && worldDraw->isDragging()) return drawDragLabel(worldDraw);
    return Adesk::kTrue;
}

void VaduKestra::drawOutline(AcGiWorldDraw* worldDraw) const
{
    AcGiSubEntityTraits& traits = worldDraw->subEntityTraits();
    AcGiWorldGeometry& geometry = worldDraw->geometry();
    traits.setSelectionMarker(kOutlineMarker);
    if (setsOutlineFillType()) traits.setFillType(kAcGiFillNever);
    const AcGePoint3d outline[5] = {mCorners[0], mCorners[1], mCorners[2], mCorners[3], mCorners[0]};
    geometry.polyline(5, outline);

    const double d = bandSize(width(), height());
    const AcGeVector3d down = (mCorners[3] - mCorners[0]).normal();
    traits.setSelectionMarker(kBandMarker);
    const AcGePoint3d band[4] = {mCorners[2], mCorners[2] + down * d, mCorners[3] + down * d, mCorners[3]};
    geometry.polyline(4, band);

    if (worldDraw->isDragging()) return;
    const AcGeVector3d right = (mCorners[3] - mCorners[2]).normal();
    const AcGePoint3d block[4] = {mCorners[2], mCorners[2] + down * d, mCorners[2] + right * (5.0 * d),
                                  mCorners[2] + down * d + right * (5.0 * d)};
    const Adesk::Int32 face[5] = {4, 0, 1, 3, 2};
    traits.setSelectionMarker(kBlockMarker);
    traits.setFillType(kAcGiFillAlways);
    geometry.shell(4, block, 5, face);
}

// The label names the standard scale the mark has at its dragged size when there is one; it
// is shown once and then emptied.
bool VaduKestra::drawDragLabel(AcGiWorldDraw* worldDraw)
{
    if (const char* name = kestra::dragScaleNameFor(1.0 / (mPaperHeight / height()))) setScaleLabel(name);
    const std::optional<double> viewSize = kestra::readRealVariable("VIEWSIZE");
    if (!viewSize) {
        kestra::printUnreadableVariable("VIEWSIZE");
        return false;
    }
    const double textHeight = *viewSize * kLabelHeightPerViewSize;
    const AcGiTextStyle style = labelStyle(textHeight);
    const std::string text = (style.loadStyleRec() & 1) == 0 ? kFontNotFound : mScaleLabel;
    const AcGePoint3d position = mCorners[0] + AcGeVector3d(textHeight, -2.0 * textHeight, 0.0);
    drawLabel(worldDraw, text, style, position);
    acutPrintf("\r%s: %s%60s", "Scale", text.c_str(), "");
    clearScaleLabel();
    return true;
}
