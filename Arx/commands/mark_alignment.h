// The coordinate system and the zoom that line model space up with a mark: origin at corner 2
// (bottom-left on the sheet), X along the bottom edge, Z along the mark's normal; the zoom
// shows the whole outline with a tenth of margin on a screen of the given proportions.
#pragma once
#include "gemat3d.h"
#include "gepnt3d.h"

class VaduKestra;

namespace kestra {

struct MarkAlignment {
    AcGeMatrix3d ucs;        // UCS -> WCS
    AcGePoint3d zoomCenter;  // WCS
    double zoomHeight = 0.0;
};

// screenWidth and screenHeight are SCREENSIZE, in pixels.
MarkAlignment markAlignment(const VaduKestra& mark, double screenWidth, double screenHeight);

// The mark's height scaled up when its outline is relatively wider than the screen, so that
// the outline's width fits: 1 when height / width > screenHeight / screenWidth, else
// (width * screenHeight) / (height * screenWidth).
double fitFactor(double width, double height, double screenWidth, double screenHeight);

}  // namespace kestra
