#include "mark/viewport_projection.h"

#include "acedads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "geassign.h"
#include "mark/mark_variables.h"
#include "mark/vadu_kestra.h"

namespace kestra {

namespace {

// The viewing direction is along the UCS normal (a plan view of the UCS plane).
bool viewsAlongUcsNormal()
{
    const AcGeVector3d viewDir = readPointVariable("VIEWDIR").value_or(AcGePoint3d::kOrigin).asVector();
    AcGeTol tolerance;
    tolerance.setEqualPoint(1e-12);
    tolerance.setEqualVector(1e-12);
    return viewDir.isParallelTo(ucsNormal(), tolerance);
}

}  // namespace

AcGeVector3d ucsNormal()
{
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase())
        return db->ucsxdir().crossProduct(db->ucsydir()).normal();
    return AcGeVector3d::kZAxis;
}

std::optional<AcGePoint3d> transformPoint(const AcGePoint3d& point, int from, int to)
{
    resbuf fromSystem;
    fromSystem.restype = RTSHORT;
    fromSystem.resval.rint = static_cast<short>(from);
    resbuf toSystem;
    toSystem.restype = RTSHORT;
    toSystem.resval.rint = static_cast<short>(to);
    AcGePoint3d result;
    if (acedTrans(asDblArray(point), &fromSystem, &toSystem, 0, asDblArray(result)) != RTNORM) return std::nullopt;
    return result;
}

Corners paperCorners(const AcDbViewport& viewport)
{
    const AcGePoint3d m = viewport.centerPoint();
    const double w = viewport.width() * 0.5;
    const double h = viewport.height() * 0.5;
    return {AcGePoint3d(m.x + w, m.y + h, m.z), AcGePoint3d(m.x - w, m.y + h, m.z), AcGePoint3d(m.x - w, m.y - h, m.z),
            AcGePoint3d(m.x + w, m.y - h, m.z)};
}

std::optional<AcGePoint3d> paperToModel(const AcGePoint3d& paperPoint)
{
    const bool planView = viewsAlongUcsNormal();
    const double elevation = readRealVariable("ELEVATION").value_or(0.0);
    const std::optional<AcGePoint3d> display = transformPoint(paperPoint, RTPSDCS, RTDCS);
    if (!display) return std::nullopt;
    std::optional<AcGePoint3d> world = transformPoint(*display, RTDCS, RTWCS);
    if (world && planView) world->z = elevation;
    return world;
}

std::optional<Corners> modelCorners(const AcDbViewport& viewport)
{
    Corners corners;
    const Corners paper = paperCorners(viewport);
    for (int i = 0; i < 4; ++i) {
        const std::optional<AcGePoint3d> model = paperToModel(paper[i]);
        if (!model) return std::nullopt;
        corners[i] = *model;
    }
    return corners;
}

Acad::ErrorStatus fillMarkFromViewport(VaduKestra& mark, const AcDbViewport& viewport)
{
    const std::optional<Corners> corners = modelCorners(viewport);
    if (!corners) return Acad::eInvalidInput;
    AcDbHandle handle;
    viewport.getAcDbHandle(handle);
    const Corners& c = *corners;
    Acad::ErrorStatus status =
        mark.setFromViewport(c[0], c[1], c[2], c[3], viewport.height(), handle, viewport.viewDirection());
    if (status != Acad::eOk) return status;
    return mark.setViewCenter(viewport.centerPoint());
}

}  // namespace kestra
