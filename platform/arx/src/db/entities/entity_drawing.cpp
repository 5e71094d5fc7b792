// worldDraw of the built-in entities: curves as their straight and circular pieces, block
// references as their block's entities carried by the block transform, viewports as their
// frame on the sheet.
#include <type_traits>
#include <vector>

#include "acgi.h"
#include "db/entities/curve_pieces.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"

namespace {

using arx::db::CurvePiece;

Adesk::Boolean drawArcPiece(const CurvePiece& piece, AcGiWorldGeometry& geometry)
{
    const AcGeCircArc3d& arc = piece.arc;
    if (piece.isFullCircle) return geometry.circle(arc.center(), arc.radius(), arc.normal());
    AcGeVector3d start = arc.refVec();
    start.rotateBy(arc.startAng(), arc.normal());
    return geometry.circularArc(arc.center(), arc.radius(), arc.normal(), start, arc.endAng() - arc.startAng());
}

// Runs of straight pieces become one polyline each; arcs stay arcs. True when asked to stop.
Adesk::Boolean drawPieces(const std::vector<CurvePiece>& pieces, AcGiWorldGeometry& geometry)
{
    std::vector<AcGePoint3d> run;
    auto flush = [&]() {
        const Adesk::Boolean stop =
            run.size() >= 2 && geometry.polyline(static_cast<Adesk::UInt32>(run.size()), run.data());
        run.clear();
        return stop;
    };
    for (const CurvePiece& piece : pieces) {
        if (!piece.isArc) {
            if (!run.empty() && !run.back().isEqualTo(piece.start)) {
                if (flush()) return true;
            }
            if (run.empty()) run.push_back(piece.start);
            run.push_back(piece.end);
            continue;
        }
        if (flush() || drawArcPiece(piece, geometry)) return true;
    }
    return flush();
}

Adesk::Boolean drawCurve(const AcDbEntity* entity, AcGiWorldDraw* worldDraw)
{
    if (worldDraw == nullptr) return true;
    std::vector<CurvePiece> pieces;
    if (arx::db::curvePiecesOf(entity, pieces)) drawPieces(pieces, worldDraw->geometry());
    return true;
}

// Each entity of the block, drawn through the geometry's nesting (which starts its traits
// from the entity); true when asked to stop.
Adesk::Boolean drawBlockEntities(AcDbObjectId blockId, AcGiWorldGeometry& geometry)
{
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, blockId, AcDb::kForRead) != Acad::eOk) return false;
    const AcDbObjectIdArray ids = record->entityIds();
    record->close();
    for (int i = 0; i < ids.length(); ++i) {
        if (ids[i].isErased()) continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, ids[i], AcDb::kForRead) != Acad::eOk) continue;
        const Adesk::Boolean stop = geometry.draw(entity);
        entity->close();
        if (stop) return true;
    }
    return false;
}

// The vertices of a heavy polyline, read one by one until there are no more: this sees the
// vertices a polyline was made with as well as those appended to it.
template <class Polyline>
std::vector<AcGePoint3d> heavyVertices(const Polyline* polyline, std::vector<double>* bulges)
{
    std::vector<AcGePoint3d> points;
    for (int i = 0;; ++i) {
        AcGePoint3d p;
        double bulge = 0;
        Acad::ErrorStatus status;
        if constexpr (std::is_same_v<Polyline, AcDb2dPolyline>) status = polyline->vertexPosition(i, p, &bulge);
        else status = polyline->vertexPosition(i, p);
        if (status != Acad::eOk) break;
        points.push_back(p);
        if (bulges != nullptr) bulges->push_back(bulge);
    }
    return points;
}

std::vector<CurvePiece> heavyPieces(const std::vector<AcGePoint3d>& points, const std::vector<double>* bulges,
                                    bool closed, const AcGeVector3d& normal)
{
    std::vector<CurvePiece> pieces;
    const std::size_t count = points.size();
    const std::size_t segments = closed ? count : (count > 0 ? count - 1 : 0);
    for (std::size_t i = 0; i < segments && count >= 2; ++i) {
        const double bulge = bulges != nullptr ? (*bulges)[i] : 0.0;
        pieces.push_back(arx::db::segmentPiece(points[i], points[(i + 1) % count], bulge, normal));
    }
    return pieces;
}

}  // namespace

Adesk::Boolean AcDbLine::worldDraw(AcGiWorldDraw* worldDraw) { return drawCurve(this, worldDraw); }
Adesk::Boolean AcDbCircle::worldDraw(AcGiWorldDraw* worldDraw) { return drawCurve(this, worldDraw); }
Adesk::Boolean AcDbArc::worldDraw(AcGiWorldDraw* worldDraw) { return drawCurve(this, worldDraw); }
Adesk::Boolean AcDbPolyline::worldDraw(AcGiWorldDraw* worldDraw) { return drawCurve(this, worldDraw); }

Adesk::Boolean AcDb2dPolyline::worldDraw(AcGiWorldDraw* worldDraw)
{
    if (worldDraw == nullptr) return true;
    std::vector<double> bulges;
    const std::vector<AcGePoint3d> points = heavyVertices(this, &bulges);
    drawPieces(heavyPieces(points, &bulges, isClosed(), normal()), worldDraw->geometry());
    return true;
}

Adesk::Boolean AcDb3dPolyline::worldDraw(AcGiWorldDraw* worldDraw)
{
    if (worldDraw == nullptr) return true;
    const std::vector<AcGePoint3d> points = heavyVertices(this, nullptr);
    drawPieces(heavyPieces(points, nullptr, isClosed(), AcGeVector3d::kZAxis), worldDraw->geometry());
    return true;
}

// The block's entities in place, then the attributes (already in world coordinates).
Adesk::Boolean AcDbBlockReference::worldDraw(AcGiWorldDraw* worldDraw)
{
    if (worldDraw == nullptr) return true;
    AcGiWorldGeometry& geometry = worldDraw->geometry();
    geometry.pushModelTransform(blockTransform());
    const Adesk::Boolean stop = drawBlockEntities(blockTableRecord(), geometry);
    geometry.popModelTransform();
    if (stop) return true;
    const AcDbObjectIdArray attributes = attributeIds();
    for (int i = 0; i < attributes.length(); ++i) {
        AcDbEntity* attribute = nullptr;
        if (acdbOpenAcDbEntity(attribute, attributes[i], AcDb::kForRead) != Acad::eOk) continue;
        const Adesk::Boolean stopped = geometry.draw(attribute);
        attribute->close();
        if (stopped) break;
    }
    return true;
}

// The frame on the sheet. A viewport clipped by an entity shows that entity's outline
// instead, so it draws no frame of its own.
Adesk::Boolean AcDbViewport::worldDraw(AcGiWorldDraw* worldDraw)
{
    if (worldDraw == nullptr || isNonRectClipOn()) return true;
    const AcGePoint3d c = centerPoint();
    const double hw = width() / 2;
    const double hh = height() / 2;
    const AcGePoint3d frame[5] = {AcGePoint3d(c.x + hw, c.y + hh, c.z), AcGePoint3d(c.x - hw, c.y + hh, c.z),
                                  AcGePoint3d(c.x - hw, c.y - hh, c.z), AcGePoint3d(c.x + hw, c.y - hh, c.z),
                                  AcGePoint3d(c.x + hw, c.y + hh, c.z)};
    worldDraw->geometry().polyline(5, frame);
    return true;
}
