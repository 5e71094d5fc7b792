#include "svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "dbents.h"
#include "dblayout.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "ed/view_transform.h"
#include "ed/views.h"
#include "gi/primitive.h"
#include "gi/recording_world_draw.h"
#include "gi/text_codes.h"
#include "svg_document.h"

namespace arx::host {
namespace {

using gi::Primitive;
using gi::PrimitiveKind;
// Where a world point shows on the picture; empty when it does not show (behind the camera).
using PointMap = std::function<std::optional<AcGePoint2d>(const AcGePoint3d&)>;

std::optional<AcGePoint2d> planPoint(const AcGePoint3d& p) { return AcGePoint2d(p.x, p.y); }

// Layers that are off or frozen hide what is drawn on them.
class LayerVisibility {
public:
    bool shows(AcDbObjectId layerId)
    {
        auto found = mShown.find(layerId);
        if (found != mShown.end()) return found->second;
        bool shown = true;
        AcDbLayerTableRecord* layer = nullptr;
        if (!layerId.isNull() && acdbOpenObject(layer, layerId, AcDb::kForRead) == Acad::eOk) {
            shown = !layer->isOff() && !layer->isFrozen();
            layer->close();
        }
        mShown.emplace(layerId, shown);
        return shown;
    }

private:
    std::map<AcDbObjectId, bool> mShown;
};

AcDbObjectId blockOfLayout(AcDbObjectId layoutId)
{
    AcDbLayout* layout = nullptr;
    if (acdbOpenObject(layout, layoutId, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    const AcDbObjectId block = layout->getBlockTableRecordId();
    layout->close();
    return block;
}

std::vector<AcDbObjectId> blockEntities(AcDbObjectId blockId)
{
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, blockId, AcDb::kForRead) != Acad::eOk) return ids;
    const AcDbObjectIdArray& all = record->entityIds();
    for (int i = 0; i < all.length(); ++i)
        if (!all[i].isErased()) ids.push_back(all[i]);
    record->close();
    return ids;
}

// The primitives of entities, on layers that show.
std::vector<Primitive> record(AcDbDatabase* db, const std::vector<AcDbObjectId>& ids)
{
    gi::RecordingWorldDraw draw(db);
    draw.setPlotGeneration(true);
    for (AcDbObjectId id : ids) draw.drawEntity(id);
    std::vector<Primitive> all = draw.takePrimitives();
    LayerVisibility layers;
    std::vector<Primitive> shown;
    for (Primitive& p : all) {
        bool visible = layers.shows(p.layer);
        for (AcDbObjectId enclosing : p.enclosingLayers) visible = visible && layers.shows(enclosing);
        if (visible) shown.push_back(std::move(p));
    }
    return shown;
}

bool isFilled(const Primitive& p)
{
    if (p.traits.fillType != kAcGiFillAlways) return false;
    return p.kind == PrimitiveKind::Polygon || p.kind == PrimitiveKind::Face || p.kind == PrimitiveKind::Circle ||
           (p.kind == PrimitiveKind::Arc && p.closed);
}

std::optional<std::vector<AcGePoint2d>> mapPoints(const std::vector<AcGePoint3d>& points, const PointMap& map)
{
    std::vector<AcGePoint2d> out;
    out.reserve(points.size());
    for (const AcGePoint3d& p : points) {
        const std::optional<AcGePoint2d> q = map(p);
        if (!q) return std::nullopt;
        out.push_back(*q);
    }
    return out;
}

// A text's frame carried by the map: its baseline and up direction give the shown
// direction, height and width factor.
void addText(SvgDocument& svg, const Primitive& p, const PointMap& map)
{
    const gi::RecordedText& t = p.text;
    if (p.points.empty() || !(t.height > 0)) return;
    const AcGePoint3d at = p.points.front();
    const AcGeVector3d up = t.normal.crossProduct(t.direction);
    const auto origin = map(at);
    const auto along = map(at + t.direction * t.height);
    const auto above = map(at + up * t.height);
    if (!origin || !along || !above) return;
    const AcGeVector2d d = *along - *origin;
    const double height = (*above - *origin).length();
    if (d.length() <= 0 || height <= 0) return;
    const AcGePoint2d direction(d.x / d.length(), d.y / d.length());
    svg.addText(*origin, direction, height, t.widthFactor * d.length() / height, gi::toUtf8(t.glyphs),
                aciColor(p.colorIndex));
}

void addPrimitives(SvgDocument& svg, const std::vector<Primitive>& primitives, const PointMap& map)
{
    for (const Primitive& p : primitives) {
        if (p.kind == PrimitiveKind::Text) {
            addText(svg, p, map);
            continue;
        }
        // Unbounded lines have no place on a finite picture.
        if (p.kind == PrimitiveKind::Xline || p.kind == PrimitiveKind::Ray) continue;
        const auto points = mapPoints(p.points, map);
        if (!points || points->empty()) continue;
        const bool closed = p.closed || p.kind == PrimitiveKind::Polygon || p.kind == PrimitiveKind::Face;
        svg.addPath(*points, closed, isFilled(p), aciColor(p.colorIndex));
    }
}

// The lower-left and upper-right corners of what primitives draw (in plan), with a margin of
// `margin` times the larger side; false (and a unit square) when they draw nothing.
bool planBounds(const std::vector<Primitive>& primitives, AcGePoint2d& low, AcGePoint2d& high, double margin)
{
    bool any = false;
    for (const Primitive& p : primitives) {
        for (const AcGePoint3d& q : p.points) {
            if (!any) low = high = AcGePoint2d(q.x, q.y);
            low.set(std::min(low.x, q.x), std::min(low.y, q.y));
            high.set(std::max(high.x, q.x), std::max(high.y, q.y));
            any = true;
        }
        if (p.kind == PrimitiveKind::Text && !p.points.empty()) {
            const AcGePoint3d end = p.points.front() + p.text.direction * p.text.width;
            low.set(std::min(low.x, end.x), std::min(low.y, end.y));
            high.set(std::max(high.x, end.x), std::max(high.y, end.y + p.text.height));
        }
    }
    if (!any) {
        low.set(0, 0);
        high.set(1, 1);
        return false;
    }
    const double gap = std::max({high.x - low.x, high.y - low.y, 1e-6}) * margin;
    low.set(low.x - gap, low.y - gap);
    high.set(high.x + gap, high.y + gap);
    return true;
}

// The clip region of a floating viewport on the sheet: its clip entity's outline with
// non-rectangular clipping, else its frame.
std::vector<std::vector<AcGePoint2d>> clipOutlines(AcDbDatabase* db, const views::Viewport& viewport)
{
    std::vector<std::vector<AcGePoint2d>> outlines;
    AcDbViewport* entity = nullptr;
    AcDbObjectId clipEntity;
    if (acdbOpenObject(entity, viewport.id, AcDb::kForRead) == Acad::eOk) {
        if (entity->isNonRectClipOn()) clipEntity = entity->nonRectClipEntityId();
        entity->close();
    }
    if (!clipEntity.isNull()) {
        for (const Primitive& p : record(db, {clipEntity})) {
            std::vector<AcGePoint2d> outline;
            for (const AcGePoint3d& q : p.points) outline.emplace_back(q.x, q.y);
            if (outline.size() >= 3) outlines.push_back(std::move(outline));
        }
        if (!outlines.empty()) return outlines;
    }
    AcGePoint3d corners[4];
    view::paperCorners(viewport.frame, corners);
    outlines.push_back({});
    for (const AcGePoint3d& c : corners) outlines.back().emplace_back(c.x, c.y);
    return outlines;
}

void addViewport(SvgDocument& svg, AcDbDatabase* db, const views::Viewport& viewport,
                 const std::vector<Primitive>& model)
{
    if (!viewport.on || !view::isValidViewport(viewport.frame)) return;
    const view::FloatingViewport frame = viewport.frame;
    const PointMap throughView = [frame](const AcGePoint3d& p) -> std::optional<AcGePoint2d> {
        AcGePoint3d paper;
        if (view::wcsToPaper(frame, p, paper) != Acad::eOk) return std::nullopt;
        return AcGePoint2d(paper.x, paper.y);
    };
    svg.beginGroup(svg.addClipPath(clipOutlines(db, viewport)));
    addPrimitives(svg, model, throughView);
    svg.endGroup();
}

}  // namespace

std::string modelSpaceSvg(AcDbDatabase* db)
{
    if (db == nullptr) return {};
    const std::vector<Primitive> model = record(db, blockEntities(blockOfLayout(views::modelLayoutId(db))));
    AcGePoint2d low, high;
    planBounds(model, low, high, 0.05);
    SvgDocument svg(low, high);
    addPrimitives(svg, model, planPoint);
    return svg.str();
}

std::string layoutSvg(AcDbDatabase* db, AcDbObjectId layoutId)
{
    if (db == nullptr) return {};
    AcGePoint2d low(0, 0), high(0, 0);
    AcDbLayout* layout = nullptr;
    if (acdbOpenObject(layout, layoutId, AcDb::kForRead) != Acad::eOk) return {};
    layout->getLimits(low, high);
    const AcDbObjectId block = layout->getBlockTableRecordId();
    layout->close();

    const AcDbObjectId paperViewport = views::paperSpaceViewport(db, layoutId, false);
    std::vector<AcDbObjectId> paperIds = blockEntities(block);
    std::erase(paperIds, paperViewport);
    const std::vector<Primitive> paper = record(db, paperIds);
    // The picture shows the sheet and whatever is drawn beyond it.
    AcGePoint2d drawnLow, drawnHigh;
    const bool sheetless = !(high.x > low.x && high.y > low.y);
    const bool drawn = planBounds(paper, drawnLow, drawnHigh, sheetless ? 0.05 : 0.0);
    AcGePoint2d frameLow = low, frameHigh = high;
    if (sheetless) {
        frameLow = drawnLow;
        frameHigh = drawnHigh;
    } else if (drawn) {
        frameLow.set(std::min(low.x, drawnLow.x), std::min(low.y, drawnLow.y));
        frameHigh.set(std::max(high.x, drawnHigh.x), std::max(high.y, drawnHigh.y));
    }

    SvgDocument svg(frameLow, frameHigh);
    if (!sheetless) svg.addSheet(low, high);
    const std::vector<AcDbObjectId> floating = views::floatingViewports(layoutId);
    if (!floating.empty()) {
        const std::vector<Primitive> model = record(db, blockEntities(blockOfLayout(views::modelLayoutId(db))));
        for (AcDbObjectId id : floating) {
            views::Viewport viewport;
            if (views::readViewport(id, viewport) == Acad::eOk) addViewport(svg, db, viewport, model);
        }
    }
    addPrimitives(svg, paper, planPoint);
    return svg.str();
}

std::string plotSvg(AcDbDatabase* db, AcDbObjectId layoutId)
{
    if (views::isModelLayout(layoutId)) return modelSpaceSvg(db);
    return layoutSvg(db, layoutId);
}

bool writeWholeFile(const std::string& path, const std::string& text)
{
    if (path.empty()) return false;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace arx::host
