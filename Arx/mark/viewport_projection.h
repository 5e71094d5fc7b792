// Carrying a floating viewport into model space: its corners on the sheet and the host's
// coordinate transformation of the active viewport.
#pragma once
#include <array>
#include <optional>

#include "acadstrc.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbViewport;
class VaduKestra;

namespace kestra {

using Corners = std::array<AcGePoint3d, 4>;

// Top-right, top-left, bottom-left and bottom-right corners of the viewport on the sheet.
Corners paperCorners(const AcDbViewport& viewport);

// A point carried between the host's coordinate systems (RTWCS, RTUCS, RTDCS, RTPSDCS) by
// acedTrans; nothing when the host cannot transform it.
std::optional<AcGePoint3d> transformPoint(const AcGePoint3d& point, int from, int to);

// The Z axis of the working drawing's current UCS (unit vector of UCS X x UCS Y).
AcGeVector3d ucsNormal();

// A paper-space point carried to world coordinates through the active viewport (PSDCS to DCS
// to WCS). In a view along the UCS normal the result lies at the current ELEVATION. Nothing
// when the host cannot transform the point (no active floating viewport).
std::optional<AcGePoint3d> paperToModel(const AcGePoint3d& paperPoint);

// The four paper corners of the viewport carried into model space; the viewport must be the
// active one with its model space current.
std::optional<Corners> modelCorners(const AcDbViewport& viewport);

// Fills the mark from the viewport, which must be the active one: model corners, paper
// height, handle, view direction, view variables and the viewport's centre on the sheet.
Acad::ErrorStatus fillMarkFromViewport(VaduKestra& mark, const AcDbViewport& viewport);

}  // namespace kestra
