// Reading and writing the view of a viewport, and the lookups the other views files share.
#include "ed/views.h"

#include <strings.h>

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "dbapserv.h"
#include "dbdict.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/database_access.h"
#include "db/structure_generation.h"
#include "ed/views_internal.h"
#include "ed/views_session.h"

namespace arx::views {
namespace {

void readFrom(const AcDbViewport& vp, Viewport& out)
{
    out.frame.centerPoint = vp.centerPoint();
    out.frame.width = vp.width();
    out.frame.height = vp.height();
    out.on = vp.isOn();
    out.locked = vp.isLocked();
    out.number = vp.number();
    view::ViewRecord& v = out.view();
    v.target = vp.viewTarget();
    v.direction = vp.viewDirection();
    v.twist = vp.twistAngle();
    v.viewCenter = vp.viewCenter();
    v.viewHeight = vp.viewHeight();
    v.lensLength = vp.lensLength();
    v.frontClip = vp.frontClipDistance();
    v.backClip = vp.backClipDistance();
    v.viewMode = vp.viewMode();
}

void readFrom(const AcDbViewportTableRecord& rec, Viewport& out)
{
    out.kind = ViewportKind::Tiled;
    out.number = kTiledNumber;
    out.frame.centerPoint = AcGePoint3d::kOrigin;
    out.frame.height = rec.height();
    out.frame.width = rec.width() > 0.0 ? rec.width() : rec.height();
    view::ViewRecord& v = out.view();
    v.target = rec.target();
    v.direction = rec.viewDirection();
    v.twist = rec.viewTwist();
    v.viewCenter = rec.centerPoint();
    v.viewHeight = rec.height();
    v.lensLength = rec.lensLength();
    v.frontClip = rec.frontClipDistance();
    v.backClip = rec.backClipDistance();
    v.viewMode = rec.viewMode();
}

void setFlag(AcDbViewport& vp, bool on, Acad::ErrorStatus (AcDbViewport::*setOn)(),
             Acad::ErrorStatus (AcDbViewport::*setOff)())
{
    (vp.*(on ? setOn : setOff))();
}

Acad::ErrorStatus writeTo(AcDbViewport& vp, const view::ViewRecord& v)
{
    Acad::ErrorStatus es = vp.setViewDirection(v.direction);
    if (es == Acad::eOk) es = vp.setViewHeight(v.viewHeight);
    if (es == Acad::eOk) es = vp.setLensLength(v.lensLength);
    if (es != Acad::eOk) return es;
    vp.setViewTarget(v.target);
    vp.setTwistAngle(v.twist);
    vp.setViewCenter(v.viewCenter);
    vp.setFrontClipDistance(v.frontClip);
    vp.setBackClipDistance(v.backClip);
    setFlag(vp, v.viewMode & view::kPerspective, &AcDbViewport::setPerspectiveOn, &AcDbViewport::setPerspectiveOff);
    setFlag(vp, v.viewMode & view::kFrontClip, &AcDbViewport::setFrontClipOn, &AcDbViewport::setFrontClipOff);
    setFlag(vp, v.viewMode & view::kBackClip, &AcDbViewport::setBackClipOn, &AcDbViewport::setBackClipOff);
    setFlag(vp, v.viewMode & view::kUcsFollow, &AcDbViewport::setUcsFollowModeOn, &AcDbViewport::setUcsFollowModeOff);
    // The file's flag says the front clip is not at the eye.
    setFlag(vp, v.viewMode & view::kFrontClipNotAtEye, &AcDbViewport::setFrontClipAtEyeOff,
            &AcDbViewport::setFrontClipAtEyeOn);
    return vp.writeLegacyViewRecord();
}

void writeTo(AcDbViewportTableRecord& rec, const view::ViewRecord& v, double aspect)
{
    rec.setViewDirection(v.direction);
    rec.setTarget(v.target);
    rec.setViewTwist(v.twist);
    rec.setCenterPoint(v.viewCenter);
    rec.setHeight(v.viewHeight);
    rec.setWidth(v.viewHeight * aspect);
    rec.setLensLength(v.lensLength);
    rec.setFrontClipDistance(v.frontClip);
    rec.setBackClipDistance(v.backClip);
    rec.setViewMode(static_cast<Adesk::Int16>(v.viewMode));
}

ViewportKind kindOf(const AcDbViewport& vp)
{
    const std::vector<AcDbObjectId>& all = layoutViewports(layoutOfBlock(vp.ownerId()));
    return !all.empty() && all.front() == vp.objectId() ? ViewportKind::PaperSpace : ViewportKind::Floating;
}

}  // namespace

Acad::ErrorStatus readViewport(AcDbObjectId id, Viewport& out)
{
    AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForRead);
    if (obj.openStatus() != Acad::eOk) return obj.openStatus();
    out = Viewport{};
    out.id = id;
    if (const auto* vp = AcDbViewport::cast(obj.object())) {
        readFrom(*vp, out);
        out.kind = kindOf(*vp);
        return Acad::eOk;
    }
    if (const auto* rec = AcDbViewportTableRecord::cast(obj.object())) {
        readFrom(*rec, out);
        return Acad::eOk;
    }
    return Acad::eWrongObjectType;
}

Acad::ErrorStatus writeView(const Viewport& viewport)
{
    if (!view::isValidView(viewport.view()) || !(viewport.view().viewHeight > 0.0)) return Acad::eInvalidInput;
    AcDbObjectPointer<AcDbObject> obj(viewport.id, AcDb::kForWrite);
    if (obj.openStatus() != Acad::eOk) return obj.openStatus();
    if (auto* vp = AcDbViewport::cast(obj.object())) return writeTo(*vp, viewport.view());
    if (auto* rec = AcDbViewportTableRecord::cast(obj.object())) {
        writeTo(*rec, viewport.view(), viewport.aspect());
        return Acad::eOk;
    }
    return Acad::eWrongObjectType;
}

AcDbDatabase* workingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

ViewSession& session(AcDbDatabase* db)
{
    std::shared_ptr<void>& slot = arx::db::attachment(db, "arx.views.session");
    if (!slot) slot = std::make_shared<ViewSession>();
    return *static_cast<ViewSession*>(slot.get());
}

// ---- lookups ---------------------------------------------------------------------------

AcDbObjectId blockOfLayout(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    return layout.openStatus() == Acad::eOk ? layout->getBlockTableRecordId() : AcDbObjectId();
}

AcDbObjectId layoutOfBlock(AcDbObjectId blockId)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    return block.openStatus() == Acad::eOk ? block->getLayoutId() : AcDbObjectId();
}

namespace {

struct LayoutViewports {
    Adesk::UInt64 generation = 0;
    std::vector<AcDbObjectId> ids;
    std::unordered_set<AcDbStub*> floating;
};

LayoutViewports& cachedViewports(AcDbObjectId layoutId)
{
    static std::unordered_map<AcDbStub*, LayoutViewports> cache;
    const Adesk::UInt64 now = arx::db::structureGeneration();
    LayoutViewports& entry = cache[layoutId.stub()];
    if (entry.generation == now) return entry;
    entry = LayoutViewports{};
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    if (layout.openStatus() != Acad::eOk) return entry;  // not kept: asked again next time
    const AcDbObjectIdArray ids = layout->getViewportArray();
    for (int i = 0; i < ids.length(); ++i) {
        entry.ids.push_back(ids[i]);
        if (i > 0) entry.floating.insert(ids[i].stub());
    }
    entry.generation = now;
    return entry;
}

}  // namespace

const std::vector<AcDbObjectId>& layoutViewports(AcDbObjectId layoutId) { return cachedViewports(layoutId).ids; }

bool isFloatingViewport(AcDbObjectId layoutId, AcDbObjectId viewportId)
{
    return cachedViewports(layoutId).floating.count(viewportId.stub()) != 0;
}

std::vector<AcDbObjectId> allLayouts(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> out;
    AcDbDictionary* dict = nullptr;
    if (db == nullptr || db->getLayoutDictionary(dict, AcDb::kForRead) != Acad::eOk) return out;
    std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator(AcRx::kDictCollated));
    for (; it && !it->done(); it->next())
        if (!it->objectId().isErased()) out.push_back(it->objectId());
    dict->close();
    return out;
}

AcDbObjectId tiledViewportRecord(AcDbDatabase* db, bool create)
{
    AcDbViewportTable* table = nullptr;
    if (db == nullptr || db->getViewportTable(table, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId found;
    AcDbViewportTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (; !it->done() && found.isNull(); it->step()) {
            AcDbViewportTableRecord* rec = nullptr;
            if (it->getRecord(rec, AcDb::kForRead) != Acad::eOk) continue;
            const char* name = "";
            rec->getName(name);
            if (strcasecmp(name, "*Active") == 0) found = rec->objectId();
            rec->close();
        }
        delete it;
    }
    if (found.isNull() && create && table->upgradeOpen() == Acad::eOk) {
        auto* rec = new AcDbViewportTableRecord();
        rec->setName("*Active");
        rec->setCenterPoint(AcGePoint2d(6.0, 4.5));
        rec->setHeight(9.0);
        rec->setWidth(12.0);
        if (table->add(found, rec) == Acad::eOk) rec->close();
        else delete rec;
    }
    table->close();
    return found;
}

AcDbObjectId lastActiveViewport(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    return layout.openStatus() == Acad::eOk ? layout->lastActiveViewportId() : AcDbObjectId();
}

void setLastActiveViewport(AcDbObjectId layoutId, AcDbObjectId viewportId)
{
    if (lastActiveViewport(layoutId) == viewportId) return;
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForWrite);
    if (layout.openStatus() == Acad::eOk) layout->setLastActiveViewportId(viewportId);
}

bool isViewportOn(AcDbObjectId viewportId)
{
    AcDbObjectPointer<AcDbViewport> vp(viewportId, AcDb::kForRead);
    return vp.openStatus() == Acad::eOk && vp->isOn();
}

}  // namespace arx::views
