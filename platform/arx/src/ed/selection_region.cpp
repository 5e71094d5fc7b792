#include "ed/selection_region.h"

#include <algorithm>
#include <cmath>

namespace arx::ed {
namespace {

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Which side of the line a-b a point lies: 1 left, -1 right, 0 on it.
template <typename P>
int sideOf(P a, P b, P p)
{
    const double c = cross(b.x - a.x, b.y - a.y, p.x - a.x, p.y - a.y);
    const double scale =
        std::max({std::abs(b.x - a.x), std::abs(b.y - a.y), std::abs(p.x - a.x), std::abs(p.y - a.y), 1.0});
    if (std::abs(c) <= 1e-12 * scale * scale) return 0;
    return c > 0 ? 1 : -1;
}

template <typename P>
bool onSegment(P a, P b, P p)
{
    return sideOf(a, b, p) == 0 && p.x >= std::min(a.x, b.x) - 1e-12 && p.x <= std::max(a.x, b.x) + 1e-12 &&
           p.y >= std::min(a.y, b.y) - 1e-12 && p.y <= std::max(a.y, b.y) + 1e-12;
}

template <typename P>
bool segmentsMeet(P a, P b, P c, P d)
{
    const int s1 = sideOf(a, b, c), s2 = sideOf(a, b, d), s3 = sideOf(c, d, a), s4 = sideOf(c, d, b);
    if (s1 * s2 < 0 && s3 * s4 < 0) return true;
    return onSegment(a, b, c) || onSegment(a, b, d) || onSegment(c, d, a) || onSegment(c, d, b);
}

}  // namespace

SelectionRegion::SelectionRegion(const AcGeMatrix3d& wcsToDcs, const std::vector<AcGePoint3d>& worldCorners)
    : wcsToDcs_(wcsToDcs)
{
    for (const AcGePoint3d& corner : worldCorners) corners_.push_back(flat(corner));
}

SelectionRegion::Flat SelectionRegion::flat(const AcGePoint3d& p) const
{
    const AcGePoint3d q = wcsToDcs_ * p;
    return Flat{q.x, q.y};
}

bool SelectionRegion::holdsFlat(Flat p) const
{
    if (empty()) return false;
    bool inside = false;
    for (std::size_t i = 0, j = corners_.size() - 1; i < corners_.size(); j = i++) {
        const Flat a = corners_[j], b = corners_[i];
        if (onSegment(a, b, p)) return true;
        if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x) inside = !inside;
    }
    return inside;
}

bool SelectionRegion::segmentCrossesEdge(Flat a, Flat b) const
{
    for (std::size_t i = 0, j = corners_.size() - 1; i < corners_.size(); j = i++)
        if (segmentsMeet(a, b, corners_[j], corners_[i])) return true;
    return false;
}

bool SelectionRegion::holds(const AcGePoint3d& worldPoint) const { return holdsFlat(flat(worldPoint)); }

bool SelectionRegion::holdsAll(const std::vector<std::vector<AcGePoint3d>>& paths) const
{
    if (empty() || paths.empty()) return false;
    for (const auto& path : paths)
        for (const AcGePoint3d& p : path)
            if (!holds(p)) return false;
    return true;
}

bool SelectionRegion::meets(const std::vector<std::vector<AcGePoint3d>>& paths) const
{
    if (empty()) return false;
    for (const auto& path : paths) {
        if (path.empty()) continue;
        Flat previous = flat(path.front());
        if (holdsFlat(previous)) return true;
        for (std::size_t i = 1; i < path.size(); ++i) {
            const Flat next = flat(path[i]);
            if (holdsFlat(next) || segmentCrossesEdge(previous, next)) return true;
            previous = next;
        }
    }
    return false;
}

}  // namespace arx::ed
