#include "ed/view_transform.h"

#include <cmath>

namespace arx::view {

namespace {

bool finite(const AcGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool finite(const AcGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// DCS -> WCS of a valid view.
AcGeMatrix3d displayToWorld(const ViewRecord& view)
{
    return AcGeMatrix3d::rotation(-view.twist, view.direction, view.target) *
           AcGeMatrix3d::translation(view.target.asVector()) * AcGeMatrix3d::planeToWorld(view.direction);
}

// PSDCS -> DCS of a valid viewport. X and Y: scaled about the centre point and moved onto
// the view centre; Z: scaled only.
AcGeMatrix3d paperToDisplay(const FloatingViewport& viewport)
{
    const double s = psdcsScale(viewport);
    const AcGePoint3d& c = viewport.centerPoint;
    const AcGePoint2d& vc = viewport.view.viewCenter;
    AcGeMatrix3d m = AcGeMatrix3d::scaling(s);
    m.setTranslation(AcGeVector3d(vc.x - s * c.x, vc.y - s * c.y, 0.0));
    return m;
}

}  // namespace

bool isValidView(const ViewRecord& view)
{
    return finite(view.target) && finite(view.direction) && !view.direction.isZeroLength() &&
           std::isfinite(view.twist) && std::isfinite(view.viewCenter.x) && std::isfinite(view.viewCenter.y) &&
           std::isfinite(view.viewHeight) && std::isfinite(view.lensLength) && std::isfinite(view.frontClip) &&
           std::isfinite(view.backClip);
}

bool isValidViewport(const FloatingViewport& viewport)
{
    return isValidView(viewport.view) && finite(viewport.centerPoint) && std::isfinite(viewport.width) &&
           std::isfinite(viewport.height) && viewport.width > 0.0 && viewport.height > 0.0 &&
           viewport.view.viewHeight > 0.0;
}

Acad::ErrorStatus dcsToWcs(const ViewRecord& view, AcGeMatrix3d& xform)
{
    if (!isValidView(view)) return Acad::eInvalidInput;
    xform = displayToWorld(view);
    return Acad::eOk;
}

Acad::ErrorStatus wcsToDcs(const ViewRecord& view, AcGeMatrix3d& xform)
{
    if (!isValidView(view)) return Acad::eInvalidInput;
    // A rigid motion: inverted exactly rather than through elimination.
    xform = AcGeMatrix3d::worldToPlane(view.direction) * AcGeMatrix3d::translation(-view.target.asVector()) *
            AcGeMatrix3d::rotation(view.twist, view.direction, view.target);
    return Acad::eOk;
}

double psdcsScale(const FloatingViewport& viewport) { return viewport.view.viewHeight / viewport.height; }

Acad::ErrorStatus psdcsToDcs(const FloatingViewport& viewport, AcGeMatrix3d& xform)
{
    if (!isValidViewport(viewport)) return Acad::eInvalidInput;
    xform = paperToDisplay(viewport);
    return Acad::eOk;
}

Acad::ErrorStatus dcsToPsdcs(const FloatingViewport& viewport, AcGeMatrix3d& xform)
{
    if (!isValidViewport(viewport)) return Acad::eInvalidInput;
    const double k = 1.0 / psdcsScale(viewport);
    const AcGePoint3d& c = viewport.centerPoint;
    const AcGePoint2d& vc = viewport.view.viewCenter;
    xform = AcGeMatrix3d::scaling(k);
    xform.setTranslation(AcGeVector3d(c.x - k * vc.x, c.y - k * vc.y, 0.0));
    return Acad::eOk;
}

void paperCorners(const FloatingViewport& viewport, AcGePoint3d corners[4])
{
    const AcGePoint3d& m = viewport.centerPoint;
    const double w = viewport.width * 0.5;
    const double h = viewport.height * 0.5;
    corners[0].set(m.x + w, m.y + h, m.z);
    corners[1].set(m.x - w, m.y + h, m.z);
    corners[2].set(m.x - w, m.y - h, m.z);
    corners[3].set(m.x + w, m.y - h, m.z);
}

Acad::ErrorStatus viewportOutline(const FloatingViewport& viewport, ViewportOutline& outline)
{
    if (!isValidViewport(viewport)) return Acad::eInvalidInput;
    const AcGeMatrix3d toDisplay = paperToDisplay(viewport);
    const AcGeMatrix3d toWorld = displayToWorld(viewport.view);
    paperCorners(viewport, outline.paper);
    for (int i = 0; i < 4; ++i) {
        outline.dcs[i] = toDisplay * outline.paper[i];
        outline.wcs[i] = toWorld * outline.dcs[i];
    }
    return Acad::eOk;
}

double lensAngleOfView(double lensLength) { return 2.0 * std::atan(kFrameLongSideMm * 0.5 / lensLength); }

double perspectiveViewHeight(double distance, double lensLength, double aspect)
{
    if (!(distance > 0.0 && lensLength > 0.0 && aspect > 0.0)) return 0.0;
    const double longSide = distance * kFrameLongSideMm / lensLength;
    return aspect > 1.0 ? longSide / aspect : longSide;
}

Acad::ErrorStatus projectPerspective(const ViewRecord& view, const AcGePoint3d& dcsPoint, AcGePoint3d& projected)
{
    const double eye = view.direction.length();
    if (!(eye > 0.0) || !std::isfinite(eye) || !finite(dcsPoint)) return Acad::eInvalidInput;
    const double depth = eye - dcsPoint.z;  // distance in front of the camera
    if (!(depth > 0.0)) return Acad::eInvalidInput;
    const double f = eye / depth;
    projected.set(dcsPoint.x * f, dcsPoint.y * f, 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus wcsToPaper(const FloatingViewport& viewport, const AcGePoint3d& wcsPoint, AcGePoint3d& paperPoint)
{
    AcGeMatrix3d toDisplay, toPaper;
    Acad::ErrorStatus es = wcsToDcs(viewport.view, toDisplay);
    if (es == Acad::eOk) es = dcsToPsdcs(viewport, toPaper);
    if (es != Acad::eOk) return es;
    AcGePoint3d display = toDisplay * wcsPoint;
    if (isPerspective(viewport.view)) {
        es = projectPerspective(viewport.view, display, display);
        if (es != Acad::eOk) return es;
    }
    paperPoint = toPaper * display;
    return Acad::eOk;
}

}  // namespace arx::view
