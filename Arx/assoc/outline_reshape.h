// A mark and its outline block reference (the model-space copy of an irregular viewport's
// clip boundary) following each other: the outline placed over the mark, the mark reshaped to
// where the outline was moved, turned or scaled, and the outline's block rebuilt from the clip
// boundary after the viewport changed.
#pragma once
#include <array>

#include "dbmain.h"

class AcDbBlockReference;
class AcDbViewport;
class VaduKestra;

namespace kestra {

// Position at the mark's centre, uniform scale 1 / zoomXp, rotation minus the mark's rotation
// and the mark's normal. The outline is open for write.
void placeOutlineOverMark(AcDbBlockReference& outline, const VaduKestra& mark);
// The same for the outline given by id, on its unlocked layer; the upgrade's status.
Acad::ErrorStatus placeOutlineOverMark(AcDbObjectId outlineId, const VaduKestra& mark);

// The mark (open for write, its layer unlocked) takes the corners of the outline: the block's
// half extents in paper units, w * zoomXp / 2 and h * zoomXp * (sx / sy) / 2, carried by the
// block transformation, so that an outline scaled unevenly resizes the mark by its X factor.
// The paper height stays.
Acad::ErrorStatus reshapeMarkFromOutline(VaduKestra& mark, const AcDbBlockReference& outline);
// The same for the mark given by id, opened for write on its unlocked layer. The mark's open
// status when it does not open.
Acad::ErrorStatus reshapeMarkFromOutline(AcDbObjectId markId, const AcDbBlockReference& outline);

// Replaces the content of the outline's block by a fresh copy of the viewport's clip entity,
// carried from the viewport's frame on the sheet (its centre and corners) to the block's
// frame. False when the block or the clip entity cannot be reached or copied.
bool rebuildOutlineBlock(AcDbObjectId outlineId, AcDbObjectId clipId, const AcGePoint3d& sheetCenter,
                         const std::array<AcGePoint3d, 4>& paperCorners);

}  // namespace kestra
