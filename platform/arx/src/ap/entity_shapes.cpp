#include "ap/entity_shapes.h"

#include "ed/object_selection.h"
#include "gi/recording_world_draw.h"

namespace arx::ap {
namespace {

// Unbounded lines are cut this far from their base point; far beyond any view.
constexpr double kUnboundedReach = 1e9;

std::vector<AcGePoint3d> textBox(const gi::Primitive& p)
{
    const AcGePoint3d base = p.points.empty() ? AcGePoint3d::kOrigin : p.points.front();
    const AcGeVector3d along = p.text.direction * p.text.width;
    const AcGeVector3d up = p.text.normal.crossProduct(p.text.direction).normal() * p.text.height;
    return {base, base + along, base + along + up, base + up, base};
}

std::vector<AcGePoint3d> pathOf(const gi::Primitive& p)
{
    switch (p.kind) {
    case gi::PrimitiveKind::Text: return textBox(p);
    case gi::PrimitiveKind::Xline:
    case gi::PrimitiveKind::Ray: {
        if (p.points.size() < 2) return p.points;
        const AcGeVector3d dir = (p.points[1] - p.points[0]).normal() * kUnboundedReach;
        const AcGePoint3d start = p.kind == gi::PrimitiveKind::Xline ? p.points[0] - dir : p.points[0];
        return {start, p.points[0] + dir};
    }
    default: {
        std::vector<AcGePoint3d> path = p.points;
        if (p.closed && path.size() > 1) path.push_back(path.front());
        return path;
    }
    }
}

bool shapeOf(AcDbObjectId id, ed::EntityPaths& paths)
{
    gi::RecordingWorldDraw draw;
    if (draw.drawEntity(id) != Acad::eOk) return false;
    for (const gi::Primitive& p : draw.primitives()) paths.push_back(pathOf(p));
    return true;
}

}  // namespace

void wireEntityShapes() { ed::setShapeProvider(shapeOf); }

}  // namespace arx::ap
