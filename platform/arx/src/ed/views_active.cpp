// Which viewport is current: TILEMODE, MSPACE and PSPACE, CVPORT, and the numbers the
// viewports of the current layout carry while it is shown.
#include <algorithm>
#include <set>
#include <unordered_map>

#include "dbents.h"
#include "dbhostext.h"
#include "dblayout.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/structure_generation.h"
#include "db/symbol_lookup.h"
#include "ed/views.h"
#include "ed/views_internal.h"
#include "ed/views_session.h"

namespace arx::views {
namespace {

bool contains(const std::vector<AcDbObjectId>& ids, AcDbObjectId id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The floating viewport the layout shows model space in, or null in paper space.
AcDbObjectId activeFloating(AcDbObjectId layoutId)
{
    const AcDbObjectId last = lastActiveViewport(layoutId);
    if (last.isNull() || last.isErased() || !isFloatingViewport(layoutId, last)) return AcDbObjectId();
    return isViewportOn(last) ? last : AcDbObjectId();
}

// Where MSPACE goes: the floating viewport last entered, the one the layout remembers, or
// the first that is on.
AcDbObjectId modelSpaceCandidate(AcDbDatabase* db, AcDbObjectId layoutId)
{
    const std::vector<AcDbObjectId> floating = floatingViewports(layoutId);
    auto usable = [&](AcDbObjectId id) { return !id.isNull() && contains(floating, id) && isViewportOn(id); };
    auto& remembered = session(db).lastFloating;
    if (auto it = remembered.find(layoutId); it != remembered.end() && usable(it->second)) return it->second;
    if (AcDbObjectId last = lastActiveViewport(layoutId); usable(last)) return last;
    for (AcDbObjectId id : floating)
        if (isViewportOn(id)) return id;
    return AcDbObjectId();
}

void makeFloatingActive(AcDbDatabase* db, AcDbObjectId layoutId, AcDbObjectId viewportId)
{
    setLastActiveViewport(layoutId, viewportId);
    session(db).lastFloating[layoutId] = viewportId;
}

// What the last refresh that could open every viewport found: while the structure of the
// drawings, the current layout and TILEMODE stay as they were, the numbers stay too, and the
// viewport of each number is known without a walk.
struct LastRefresh {
    AcDbDatabase* db = nullptr;
    Adesk::UInt64 generation = 0;
    AcDbObjectId layout;
    bool tiled = false;
    std::unordered_map<int, AcDbObjectId> byNumber;
};

LastRefresh& lastRefresh()
{
    static LastRefresh last;
    return last;
}

// Gives the paper-space viewport id 1 and every floating viewport an id of its own (2 and
// up); only viewports whose id is wrong are opened for write. False when one did not open.
bool repairIds(const std::vector<AcDbObjectId>& viewports)
{
    bool complete = true;
    std::vector<int> ids(viewports.size(), 0);
    int highest = kPaperSpaceNumber;
    for (size_t i = 0; i < viewports.size(); ++i) {
        AcDbObjectPointer<AcDbViewport> vp(viewports[i], AcDb::kForRead);
        if (vp.openStatus() != Acad::eOk) {
            complete = false;
            continue;
        }
        ids[i] = vp->viewportId();
        highest = std::max(highest, ids[i]);
    }
    std::set<int> seen;
    for (size_t i = 0; i < viewports.size(); ++i) {
        int wanted = ids[i];
        if (i == 0) wanted = kPaperSpaceNumber;
        else if (wanted < kTiledNumber || seen.count(wanted)) wanted = ++highest;
        seen.insert(wanted);
        if (wanted == ids[i]) continue;
        AcDbObjectPointer<AcDbViewport> vp(viewports[i], AcDb::kForWrite);
        if (vp.openStatus() == Acad::eOk) vp->setViewportId(static_cast<Adesk::Int16>(wanted));
        else complete = false;
    }
    return complete;
}

// The number a viewport carries: 1 for paper space, its id for a floating viewport that is
// on, -1 when it is off or its layout is not shown. Viewports open for write elsewhere keep
// theirs (false then). The numbers of the shown floating viewports are noted in byNumber.
bool numberViewports(const std::vector<AcDbObjectId>& viewports, bool shown,
                     std::unordered_map<int, AcDbObjectId>& byNumber)
{
    bool complete = true;
    for (size_t i = 0; i < viewports.size(); ++i) {
        AcDbObjectPointer<AcDbViewport> vp(viewports[i], AcDb::kForRead);
        if (vp.openStatus() != Acad::eOk) {
            complete = false;
            continue;
        }
        int number = -1;
        if (shown) number = i == 0 ? kPaperSpaceNumber : (vp->isOn() ? vp->viewportId() : -1);
        if (vp->number() != number) vp->setNumber(number);
        if (i > 0 && number > 0) byNumber.emplace(number, viewports[i]);
    }
    return complete;
}

void syncCurrentSpace(AcDbDatabase* db, AcDbObjectId currentLayout)
{
    const AcDbObjectId model = arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE);
    AcDbObjectId space = model;
    if (!currentLayout.isNull() && activeFloating(currentLayout).isNull()) space = blockOfLayout(currentLayout);
    if (!space.isNull() && db->currentSpaceId() != space) acdbSetCurrentSpace(db, space);
}

}  // namespace

void refresh(AcDbDatabase* db)
{
    if (db == nullptr) return;
    const bool tiled = isTiled(db);
    const AcDbObjectId current = tiled ? AcDbObjectId() : currentLayoutId(db);
    LastRefresh& last = lastRefresh();
    if (last.db != db || last.generation != arx::db::structureGeneration() || last.layout != current ||
        last.tiled != tiled) {
        LastRefresh now{db, 0, current, tiled, {}};
        bool complete = true;
        for (AcDbObjectId layoutId : allLayouts(db)) {
            // Model space holds no viewports worth numbering, and may hold a great many entities.
            if (isModelLayout(layoutId)) continue;
            const std::vector<AcDbObjectId> viewports = layoutViewports(layoutId);
            if (viewports.empty()) continue;
            const bool shown = layoutId == current;
            if (shown && !repairIds(viewports)) complete = false;
            if (!numberViewports(viewports, shown, now.byNumber)) complete = false;
        }
        now.generation = arx::db::structureGeneration();
        last = complete ? std::move(now) : LastRefresh{};
    }
    syncCurrentSpace(db, current);
}

bool isTiled(AcDbDatabase* db) { return db == nullptr || db->tilemode(); }

Acad::ErrorStatus setTiled(AcDbDatabase* db, bool tiled)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (!tiled) {
        const AcDbObjectId layoutId = currentLayoutId(db);
        if (layoutId.isNull() || paperSpaceViewport(db, layoutId, true).isNull()) return Acad::eNotApplicable;
    }
    Acad::ErrorStatus es = Acad::eOk;
    if (db->tilemode() != tiled) es = db->setTilemode(tiled);
    refresh(db);
    return es;
}

bool inFloatingViewport(AcDbDatabase* db) { return !isTiled(db) && !activeFloating(currentLayoutId(db)).isNull(); }

Acad::ErrorStatus enterPaperSpace(AcDbDatabase* db)
{
    if (isTiled(db)) return Acad::eNotApplicable;
    const AcDbObjectId layoutId = currentLayoutId(db);
    const AcDbObjectId paper = paperSpaceViewport(db, layoutId, true);
    if (paper.isNull()) return Acad::eNotApplicable;
    if (AcDbObjectId floating = activeFloating(layoutId); !floating.isNull())
        session(db).lastFloating[layoutId] = floating;
    setLastActiveViewport(layoutId, paper);
    refresh(db);
    return Acad::eOk;
}

Acad::ErrorStatus enterModelSpace(AcDbDatabase* db)
{
    if (isTiled(db)) return Acad::eNotApplicable;
    const AcDbObjectId layoutId = currentLayoutId(db);
    const AcDbObjectId target = modelSpaceCandidate(db, layoutId);
    if (target.isNull()) return Acad::eNotApplicable;
    makeFloatingActive(db, layoutId, target);
    refresh(db);
    return Acad::eOk;
}

int currentViewportNumber(AcDbDatabase* db)
{
    Viewport active;
    return activeViewport(db, active) == Acad::eOk ? active.number : -1;
}

Acad::ErrorStatus setCurrentViewportNumber(AcDbDatabase* db, int number)
{
    if (db == nullptr) return Acad::eNoDatabase;
    refresh(db);
    if (isTiled(db)) return number == kTiledNumber ? Acad::eOk : Acad::eInvalidInput;
    if (number == kPaperSpaceNumber) return enterPaperSpace(db);
    const AcDbObjectId layoutId = currentLayoutId(db);
    auto numbered = [&](AcDbObjectId id) {
        AcDbObjectPointer<AcDbViewport> vp(id, AcDb::kForRead);
        return vp.openStatus() == Acad::eOk && vp->isOn() && vp->number() == number;
    };
    auto activate = [&](AcDbObjectId id) {
        makeFloatingActive(db, layoutId, id);
        refresh(db);
        return Acad::eOk;
    };
    const LastRefresh& last = lastRefresh();
    if (last.db == db && last.layout == layoutId) {
        auto found = last.byNumber.find(number);
        if (found == last.byNumber.end()) return Acad::eInvalidInput;
        const AcDbObjectId id = found->second;
        if (numbered(id)) return activate(id);
    }
    for (AcDbObjectId id : floatingViewports(layoutId))
        if (numbered(id)) return activate(id);
    return Acad::eInvalidInput;
}

Acad::ErrorStatus activeViewport(AcDbDatabase* db, Viewport& out)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (isTiled(db)) {
        refresh(db);
        return readViewport(tiledViewportRecord(db, true), out);
    }
    const AcDbObjectId layoutId = currentLayoutId(db);
    const AcDbObjectId paper = paperSpaceViewport(db, layoutId, true);
    refresh(db);
    AcDbObjectId id = activeFloating(layoutId);
    if (id.isNull()) id = paper;
    Acad::ErrorStatus es = readViewport(id, out);
    if (es == Acad::eOk && out.kind == ViewportKind::PaperSpace) out.number = kPaperSpaceNumber;
    return es;
}

Acad::ErrorStatus currentModelViewport(AcDbDatabase* db, Viewport& out)
{
    if (db == nullptr) return Acad::eNoDatabase;
    refresh(db);
    if (isTiled(db)) return readViewport(tiledViewportRecord(db, true), out);
    const AcDbObjectId layoutId = currentLayoutId(db);
    AcDbObjectId id = activeFloating(layoutId);
    if (id.isNull()) id = modelSpaceCandidate(db, layoutId);
    if (id.isNull()) return Acad::eNotApplicable;
    return readViewport(id, out);
}

}  // namespace arx::views
