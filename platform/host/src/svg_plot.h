// Drawings as SVG pictures. Model space is drawn in plan (world X to the right, Y up),
// framed by what it draws. A layout is drawn on its sheet (its paper limits): its
// paper-space entities, and each floating viewport that is on showing model space through
// its view, clipped to its frame or, with non-rectangular clipping, to its clip entity.
// Everything is drawn through the entities' worldDraw (custom entities included), on layers
// that are neither off nor frozen.
#pragma once
#include <string>

#include "acadstrc.h"
#include "dbid.h"

class AcDbDatabase;

namespace arx::host {

std::string modelSpaceSvg(AcDbDatabase* db);
std::string layoutSvg(AcDbDatabase* db, AcDbObjectId layoutId);
// The Model layout as model space, any other as its sheet.
std::string plotSvg(AcDbDatabase* db, AcDbObjectId layoutId);

// Writes text to path through a temporary file beside it, so that a failed write leaves
// any earlier file as it was. False (and nothing left behind) when it cannot.
bool writeWholeFile(const std::string& path, const std::string& text);

}  // namespace arx::host
