#include "ed/object_selection.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <unordered_set>

#include "acdbads_db.h"
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "ed/keywords.h"
#include "ed/object_snap.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"
#include "ed/views.h"
#include "ed/views_input.h"
#include "ed/views_mview.h"
#include "ed/views_trans.h"

namespace arx::ed {
namespace {

constexpr const char* kSelectionKeywords =
    "Window Last Crossing BOX ALL Fence WPolygon CPolygon Group Add Remove Multiple Previous Undo AUto SIngle";
constexpr const char* kInvalidSelection =
    "*Invalid selection*\nExpects a point or\n"
    "Window/Last/Crossing/BOX/ALL/Fence/WPolygon/CPolygon/Group/Add/Remove/Multiple/Previous/Undo/AUto/SIngle";

ShapeProvider& shapeProvider()
{
    static ShapeProvider provider;
    return provider;
}

// ---- What the display shows ----------------------------------------------------------------

// The active view: world and UCS points carried into its display system, the size of a pixel
// and the pick box's half size in display units.
struct ActiveView {
    AcGeMatrix3d wcsToDcs;
    AcGeMatrix3d ucsToDcs;
    double pixel = 0.0;
    double aperture = 0.0;

    bool read(AcDbDatabase* db)
    {
        using views::CoordSystem;
        if (views::transformMatrix(db, CoordSystem::of(CoordSystem::Kind::Wcs), CoordSystem::of(CoordSystem::Kind::Dcs),
                                   wcsToDcs) != Acad::eOk ||
            views::transformMatrix(db, CoordSystem::of(CoordSystem::Kind::Ucs), CoordSystem::of(CoordSystem::Kind::Dcs),
                                   ucsToDcs) != Acad::eOk)
            return false;
        const double viewSize = SysVars::instance().getReal("VIEWSIZE").value_or(9.0);
        const auto screen = SysVars::instance().get("SCREENSIZE");
        const double pixelsHigh = screen && screen->point[1] > 0.0 ? screen->point[1] : 600.0;
        pixel = viewSize / pixelsHigh;
        aperture = static_cast<double>(SysVars::instance().getInt("PICKBOX").value_or(3)) * pixel;
        return true;
    }
};

struct Point2 {
    double x, y;
};

Point2 flat(const AcGeMatrix3d& m, const AcGePoint3d& p)
{
    const AcGePoint3d q = m * p;
    return Point2{q.x, q.y};
}

double distanceToSegment(Point2 p, Point2 a, Point2 b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

struct Box {
    double minX, minY, maxX, maxY;
    bool holds(Point2 p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};

// Liang-Barsky: does the segment touch the box?
bool segmentMeetsBox(Point2 a, Point2 b, const Box& box)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

std::vector<std::vector<Point2>> displayedPaths(AcDbObjectId id, const ActiveView& view)
{
    std::vector<std::vector<Point2>> out;
    EntityPaths paths;
    if (!shapeProvider() || !shapeProvider()(id, paths)) return out;
    for (const auto& path : paths) {
        std::vector<Point2> shown;
        shown.reserve(path.size());
        for (const AcGePoint3d& p : path) shown.push_back(flat(view.wcsToDcs, p));
        if (!shown.empty()) out.push_back(std::move(shown));
    }
    return out;
}

bool nearPick(const std::vector<std::vector<Point2>>& paths, Point2 pick, double aperture)
{
    for (const auto& path : paths) {
        if (path.size() == 1 && distanceToSegment(pick, path[0], path[0]) <= aperture) return true;
        for (size_t i = 1; i < path.size(); ++i)
            if (distanceToSegment(pick, path[i - 1], path[i]) <= aperture) return true;
    }
    return false;
}

bool insideBox(const std::vector<std::vector<Point2>>& paths, const Box& box)
{
    if (paths.empty()) return false;
    for (const auto& path : paths)
        for (Point2 p : path)
            if (!box.holds(p)) return false;
    return true;
}

bool crossesBox(const std::vector<std::vector<Point2>>& paths, const Box& box)
{
    for (const auto& path : paths) {
        if (path.size() == 1 && box.holds(path[0])) return true;
        for (size_t i = 1; i < path.size(); ++i)
            if (segmentMeetsBox(path[i - 1], path[i], box)) return true;
    }
    return false;
}

// ---- Layers --------------------------------------------------------------------------------

struct LayerState {
    bool hidden = false;  // off or frozen
    bool frozen = false;
    bool locked = false;
};

class LayerStates {
public:
    const LayerState& of(AcDbObjectId entityId)
    {
        AcDbObjectId layerId;
        {
            AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForRead);
            if (entity.openStatus() == Acad::eOk) layerId = entity->layerId();
        }
        auto it = states_.find(layerId);
        if (it != states_.end()) return it->second;
        LayerState state;
        AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
        if (layer.openStatus() == Acad::eOk) {
            state.frozen = layer->isFrozen();
            state.hidden = state.frozen || layer->isOff();
            state.locked = layer->isLocked();
        }
        return states_[layerId] = state;
    }

private:
    std::map<AcDbObjectId, LayerState> states_;
};

EntityList newestFirst(EntityList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

}  // namespace

void setShapeProvider(ShapeProvider provider) { shapeProvider() = std::move(provider); }

// ---- What the current space offers ---------------------------------------------------------

namespace {

// The layout's own viewport when paper space is current: part of the space, never selected.
AcDbObjectId ownViewportOfSpace(AcDbDatabase* db)
{
    if (views::isTiled(db) || views::inFloatingViewport(db)) return AcDbObjectId();
    return views::paperSpaceViewport(db, views::currentLayoutId(db), false);
}

}  // namespace

EntityList currentSpaceEntities(AcDbDatabase* db)
{
    EntityList out;
    if (db == nullptr) return out;
    views::refresh(db);
    const AcDbObjectId paperViewport = ownViewportOfSpace(db);
    AcDbObjectPointer<AcDbBlockTableRecord> block(db->currentSpaceId(), AcDb::kForRead);
    if (block.openStatus() != Acad::eOk) return out;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) != Acad::eOk) return out;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        if (it->getEntityId(id) == Acad::eOk && id != paperViewport && !id.isErased()) out.push_back(id);
    }
    delete it;
    return out;
}

EntityList allEntities(AcDbDatabase* db)
{
    LayerStates layers;
    EntityList out;
    for (AcDbObjectId id : currentSpaceEntities(db))
        if (!layers.of(id).frozen) out.push_back(id);
    return newestFirst(out);
}

EntityList drawingEntities()
{
    EntityList out;
    ads_name name = {0, 0};
    for (int status = acdbEntNext(nullptr, name); status == RTNORM; status = acdbEntNext(name, name)) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, name) == Acad::eOk) out.push_back(id);
    }
    return newestFirst(out);
}

AcDbObjectId entityAt(AcDbDatabase* db, const AcGePoint3d& ucsPoint)
{
    ActiveView view;
    if (!view.read(db)) return AcDbObjectId();
    const Point2 pick = flat(view.ucsToDcs, ucsPoint);
    LayerStates layers;
    AcDbObjectId found;
    for (AcDbObjectId id : currentSpaceEntities(db))
        if (!layers.of(id).hidden && nearPick(displayedPaths(id, view), pick, view.aperture)) found = id;
    return found;
}

EntityList entitiesNear(AcDbDatabase* db, const AcGePoint3d& ucsPoint, int pixels)
{
    EntityList found;
    ActiveView view;
    if (!view.read(db)) return found;
    const Point2 pick = flat(view.ucsToDcs, ucsPoint);
    LayerStates layers;
    for (AcDbObjectId id : currentSpaceEntities(db))
        if (!layers.of(id).hidden && nearPick(displayedPaths(id, view), pick, pixels * view.pixel)) found.push_back(id);
    return found;
}

std::optional<double> pixelsBetween(AcDbDatabase* db, const AcGePoint3d& ucsPoint, const AcGePoint3d& wcsPoint)
{
    ActiveView view;
    if (!view.read(db) || view.pixel <= 0.0) return std::nullopt;
    const Point2 a = flat(view.ucsToDcs, ucsPoint), b = flat(view.wcsToDcs, wcsPoint);
    return std::hypot(a.x - b.x, a.y - b.y) / view.pixel;
}

EntityList entitiesInWindow(AcDbDatabase* db, const AcGePoint3d& corner1, const AcGePoint3d& corner2, bool crossing)
{
    EntityList out;
    ActiveView view;
    if (!view.read(db)) return out;
    const Point2 a = flat(view.ucsToDcs, corner1), b = flat(view.ucsToDcs, corner2);
    const Box box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    LayerStates layers;
    for (AcDbObjectId id : currentSpaceEntities(db)) {
        if (layers.of(id).hidden) continue;
        const auto paths = displayedPaths(id, view);
        if (insideBox(paths, box) || (crossing && crossesBox(paths, box))) out.push_back(id);
    }
    return newestFirst(out);
}

SelectionRegion windowRegion(AcDbDatabase* db, const AcGePoint3d& corner1, const AcGePoint3d& corner2)
{
    ActiveView view;
    if (!view.read(db)) return SelectionRegion();
    const Point2 a = flat(view.ucsToDcs, corner1), b = flat(view.ucsToDcs, corner2);
    const AcGeMatrix3d dcsToWcs = view.wcsToDcs.inverse();
    std::vector<AcGePoint3d> corners;
    for (const Point2 p : {Point2{a.x, a.y}, Point2{b.x, a.y}, Point2{b.x, b.y}, Point2{a.x, b.y}})
        corners.push_back(dcsToWcs * AcGePoint3d(p.x, p.y, 0.0));
    return SelectionRegion(view.wcsToDcs, corners);
}

SelectionRegion polygonRegion(AcDbDatabase* db, const std::vector<AcGePoint3d>& ucsCorners)
{
    ActiveView view;
    if (!view.read(db)) return SelectionRegion();
    const AcGeMatrix3d ucsToWcs = view.wcsToDcs.inverse() * view.ucsToDcs;
    std::vector<AcGePoint3d> corners;
    for (const AcGePoint3d& corner : ucsCorners) corners.push_back(ucsToWcs * corner);
    return SelectionRegion(view.wcsToDcs, corners);
}

EntityList entitiesInRegion(AcDbDatabase* db, const SelectionRegion& region, bool crossing)
{
    EntityList out;
    LayerStates layers;
    for (AcDbObjectId id : currentSpaceEntities(db)) {
        if (layers.of(id).hidden) continue;
        EntityPaths paths;
        if (!shapeProvider() || !shapeProvider()(id, paths)) continue;
        if (region.holdsAll(paths) || (crossing && region.meets(paths))) out.push_back(id);
    }
    return newestFirst(out);
}

bool regionHoldsEntity(const SelectionRegion& region, AcDbObjectId id)
{
    EntityPaths paths;
    return shapeProvider() && shapeProvider()(id, paths) && region.holdsAll(paths);
}

EntityList filtered(const EntityList& list, const SelectionFilter* filter)
{
    if (filter == nullptr || filter->empty()) return list;
    EntityList out;
    for (AcDbObjectId id : list) {
        ads_name name;
        if (acdbGetAdsName(name, id) == Acad::eOk && filter->matches(name)) out.push_back(id);
    }
    return out;
}

EntityList inCurrentSpace(AcDbDatabase* db, const EntityList& list)
{
    EntityList out;
    if (db == nullptr) return out;
    views::refresh(db);
    const AcDbObjectId space = db->currentSpaceId(), paperViewport = ownViewportOfSpace(db);
    for (AcDbObjectId id : list) {
        if (id == paperViewport || !id.isValid() || id.isErased() || id.database() != db) continue;
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() == Acad::eOk && entity->ownerId() == space) out.push_back(id);
    }
    return out;
}

// ---- "Select objects: " --------------------------------------------------------------------

namespace {

std::string countText(size_t n) { return std::to_string(n); }

void say(const std::string& line)
{
    Console::instance().ensureLineStart();
    Console::instance().write(line + "\n");
}

class SelectionCycle {
public:
    SelectionCycle(const SelectionRules& rules, EntityList& chosen)
        : rules_(rules), chosen_(chosen), db_(views::workingDatabase())
    {}

    int run();

private:
    enum class Step { Continue, Done, Cancelled };
    Step answer(const Answer& a);
    Step keyword(const std::string& global);
    Step pick(const AcGePoint3d& ucsPoint);
    Step window(bool crossing, bool boxMode, const AcGePoint3d* firstCorner);
    Step polygon(bool crossing);  // WPolygon and CPolygon
    Step symbol(const std::string& name);
    Step fromName(const ads_name name, short type);
    // Reports an operation's finds and adds (or removes) them.
    void take(const EntityList& found);

    const SelectionRules& rules_;
    EntityList& chosen_;
    AcDbDatabase* db_;
    bool removing_ = false;
    bool single_ = false;  // SIngle: the first operation that finds something ends it
    bool operated_ = false;
    bool quiet_ = false;                 // the current answer came from arguments with CMDECHO off
    std::vector<EntityList> undoSteps_;  // the selection before each operation (Undo)
};

int SelectionCycle::run()
{
    Prompts& prompts = Prompts::instance();
    for (;;) {
        prompts.take();
        prompts.showPrompt(removing_ ? "Remove objects: " : "Select objects: ");
        const Answer a = prompts.read(AnswerRequest{});
        if (a.kind == Answer::Kind::Cancel) return RTCAN;
        if (a.isEnter()) return RTNORM;
        // What an answer from command arguments found shows only while CMDECHO is on, as the
        // prompt did.
        quiet_ = a.fromArguments && SysVars::instance().getInt("CMDECHO").value_or(1) == 0;
        const Step step = answer(a);
        if (step == Step::Cancelled) return RTCAN;
        if (step == Step::Done || ((rules_.single || single_) && operated_ && !chosen_.empty())) return RTNORM;
    }
}

SelectionCycle::Step SelectionCycle::answer(const Answer& a)
{
    if (a.kind == Answer::Kind::Value && a.value.type != RTSTR) {
        const AnswerValue& v = a.value;
        if (v.type == RTENAME || v.type == RTPICKS) return fromName(v.name.data(), v.type);
        if (v.type == RTPOINT || v.type == RT3DPOINT) return pick(AcGePoint3d(v.point[0], v.point[1], v.point[2]));
        say(kInvalidSelection);
        return Step::Continue;
    }
    const std::string text = answerText(a);
    if (text.size() > 1 && text[0] == '!') return symbol(text.substr(1));
    if (auto global = KeywordList(kSelectionKeywords).match(text)) return keyword(*global);
    views::ViewAnswer point;
    if (views::parseViewAnswer(text, "", point) && point.kind == views::ViewAnswer::Kind::Point)
        return pick(point.point);
    say(kInvalidSelection);
    return Step::Continue;
}

SelectionCycle::Step SelectionCycle::keyword(const std::string& global)
{
    if (global == "Window" || global == "Crossing" || global == "BOX")
        return window(global == "Crossing", global == "BOX", nullptr);
    if (global == "Last") {
        const AcDbObjectId last = views::lastEntityOfSpace(db_);
        take(last.isNull() || last.isErased() ? EntityList{} : EntityList{last});
        return Step::Continue;
    }
    if (global == "ALL") {
        take(allEntities(db_));
        return Step::Continue;
    }
    if (global == "Previous") {
        take(inCurrentSpace(db_, liveMembers(SelectionSets::instance().previous())));
        return Step::Continue;
    }
    if (global == "Add" || global == "Remove") {
        removing_ = global == "Remove";
        return Step::Continue;
    }
    if (global == "Undo") {
        if (!undoSteps_.empty()) {
            chosen_ = std::move(undoSteps_.back());
            undoSteps_.pop_back();
        }
        return Step::Continue;
    }
    if (global == "SIngle") {
        single_ = true;
        return Step::Continue;
    }
    if (global == "AUto") return Step::Continue;
    if (global == "WPolygon" || global == "CPolygon") return polygon(global == "CPolygon");
    say(kInvalidSelection);  // Fence, Group and Multiple are not offered here
    return Step::Continue;
}

SelectionCycle::Step SelectionCycle::pick(const AcGePoint3d& ucsPoint)
{
    const AcDbObjectId id = entityAt(db_, ucsPoint);
    if (!id.isNull()) {
        take(EntityList{id});
        return Step::Continue;
    }
    if (SysVars::instance().getInt("PICKAUTO").value_or(1) == 0) {
        take(EntityList{});
        return Step::Continue;
    }
    // Nothing there: the point starts an implied window, crossing when drawn to the left.
    return window(false, true, &ucsPoint);
}

SelectionCycle::Step SelectionCycle::window(bool crossing, bool boxMode, const AcGePoint3d* firstCorner)
{
    const ObjectPickScope picking;  // window corners select, they are not snapped
    ads_point first, second;
    if (firstCorner != nullptr) {
        first[0] = firstCorner->x, first[1] = firstCorner->y, first[2] = firstCorner->z;
    } else {
        acedInitGet(RSG_NONULL, nullptr);
        const int status = acedGetPoint(nullptr, boxMode ? "Specify first corner: " : "First corner: ", first);
        if (status == RTCAN) return Step::Cancelled;
        if (status != RTNORM) return Step::Continue;
    }
    acedInitGet(RSG_NONULL, nullptr);
    const int status = acedGetPoint(first, "Specify opposite corner: ", second);
    if (status == RTCAN) return Step::Cancelled;
    if (status != RTNORM) return Step::Continue;
    const AcGePoint3d c1(first[0], first[1], first[2]), c2(second[0], second[1], second[2]);
    if (boxMode) {
        // A box drawn to the left crosses; to the right it is a window (as the display sees it).
        AcGeMatrix3d ucsToDcs;
        using views::CoordSystem;
        if (views::transformMatrix(db_, CoordSystem::of(CoordSystem::Kind::Ucs),
                                   CoordSystem::of(CoordSystem::Kind::Dcs), ucsToDcs) == Acad::eOk)
            crossing = (ucsToDcs * c2).x < (ucsToDcs * c1).x;
    }
    if (rules_.lastRegion != nullptr) *rules_.lastRegion = windowRegion(db_, c1, c2);
    take(entitiesInWindow(db_, c1, c2, crossing));
    return Step::Continue;
}

SelectionCycle::Step SelectionCycle::polygon(bool crossing)
{
    const ObjectPickScope picking;  // polygon corners select, they are not snapped
    std::vector<AcGePoint3d> corners;
    ads_point point;
    acedInitGet(RSG_NONULL, nullptr);
    int status = acedGetPoint(nullptr, "First polygon point: ", point);
    if (status == RTCAN) return Step::Cancelled;
    if (status != RTNORM) return Step::Continue;
    corners.emplace_back(point[0], point[1], point[2]);
    for (;;) {
        acedInitGet(0, "Undo");
        status = acedGetPoint(point, "Specify endpoint of line or [Undo]: ", point);
        if (status == RTCAN) return Step::Cancelled;
        if (status == RTNONE) break;
        if (status == RTKWORD) {
            if (corners.size() > 1) corners.pop_back();
            continue;
        }
        if (status == RTNORM) corners.emplace_back(point[0], point[1], point[2]);
    }
    if (corners.size() < 3) {
        take(EntityList{});
        return Step::Continue;
    }
    const SelectionRegion region = polygonRegion(db_, corners);
    if (rules_.lastRegion != nullptr) *rules_.lastRegion = region;
    take(entitiesInRegion(db_, region, crossing));
    return Step::Continue;
}

SelectionCycle::Step SelectionCycle::symbol(const std::string& name)
{
    resbuf* value = nullptr;
    if (acedGetSym(name.c_str(), &value) != RTNORM || value == nullptr) {
        acutRelRb(value);
        say(kInvalidSelection);
        return Step::Continue;
    }
    Step step = Step::Continue;
    if (value->restype == RTENAME || value->restype == RTPICKS) step = fromName(value->resval.rlname, value->restype);
    else if ((value->restype == RTPOINT || value->restype == RT3DPOINT) && value->rbnext == nullptr)
        step = pick(AcGePoint3d(value->resval.rpoint[0], value->resval.rpoint[1],
                                value->restype == RT3DPOINT ? value->resval.rpoint[2] : 0.0));
    else say(kInvalidSelection);
    acutRelRb(value);
    return step;
}

SelectionCycle::Step SelectionCycle::fromName(const ads_name name, short type)
{
    EntityList found;
    if (type == RTPICKS) {
        if (const EntityList* set = SelectionSets::instance().find(name)) found = liveMembers(*set);
    } else {
        AcDbObjectId id;
        if (acdbGetObjectId(id, name) == Acad::eOk && id.isValid() && !id.isErased()) found.push_back(id);
    }
    take(inCurrentSpace(db_, found));
    return Step::Continue;
}

void SelectionCycle::take(const EntityList& found)
{
    operated_ = true;
    undoSteps_.push_back(chosen_);
    const size_t before = chosen_.size();
    EntityList kept = filtered(found, rules_.filter);
    const size_t filteredOut = found.size() - kept.size();
    size_t locked = 0;
    if (rules_.skipLockedLayers) {
        LayerStates layers;
        EntityList open;
        for (AcDbObjectId id : kept) {
            if (layers.of(id).locked) ++locked;
            else open.push_back(id);
        }
        kept = std::move(open);
    }
    // Membership by hash: an operation stays linear in what it finds and what is chosen.
    std::unordered_set<long> members;
    for (AcDbObjectId id : chosen_) members.insert(id.asOldId());
    size_t duplicates = 0, removed = 0;
    std::unordered_set<long> removing;
    for (AcDbObjectId id : kept) {
        const bool member = members.count(id.asOldId()) != 0;
        if (removing_) {
            if (member && removing.insert(id.asOldId()).second) ++removed;
        } else if (member) {
            ++duplicates;
        } else {
            chosen_.push_back(id);
            members.insert(id.asOldId());
        }
    }
    if (!removing.empty()) std::erase_if(chosen_, [&](AcDbObjectId id) { return removing.count(id.asOldId()) != 0; });
    std::string line = countText(found.size()) + " found";
    if (removing_) {
        if (!found.empty()) line += ", " + countText(removed) + " removed, " + countText(chosen_.size()) + " total";
    } else if (!found.empty() && (before > 0 || duplicates > 0)) {
        if (duplicates > 0) line += " (" + countText(duplicates) + " duplicate)";
        line += ", " + countText(chosen_.size()) + " total";
    }
    if (!quiet_) say(line);
    if (locked > 0) say(countText(locked) + (locked == 1 ? " was" : " were") + " on a locked layer.");
    if (filteredOut > 0) say(countText(filteredOut) + (filteredOut == 1 ? " was" : " were") + " filtered out.");
}

}  // namespace

int selectObjects(const SelectionRules& rules, EntityList& chosen)
{
    const int status = SelectionCycle(rules, chosen).run();
    if (status == RTNORM && !chosen.empty()) SelectionSets::instance().setPrevious(chosen);
    return status;
}

}  // namespace arx::ed
