// Layouts: which one is current, making one current, new layouts, and the viewports each
// layout's block holds.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "dbdict.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db/paper_viewport.h"
#include "db/symbol_lookup.h"
#include "ed/views.h"
#include "ed/views_internal.h"

namespace arx::views {
namespace {

constexpr const char* kSwapName = "*Paper_Space_Swap";

Acad::ErrorStatus renameBlock(AcDbObjectId blockId, const char* name)
{
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
    if (block.openStatus() != Acad::eOk) return block.openStatus();
    return block->setName(name);
}

std::string blockName(AcDbObjectId blockId) { return arx::db::recordName(blockId); }

// Gives `target` the name *Paper_Space (the current layout's block) and the current one the
// target's old name. Nothing changes when a step fails.
Acad::ErrorStatus swapPaperSpace(AcDbDatabase* db, AcDbObjectId target)
{
    const AcDbObjectId current = arx::db::findRecord(db->blockTableId(), ACDB_PAPER_SPACE);
    if (current == target) return Acad::eOk;
    const std::string targetName = blockName(target);
    if (current.isNull()) return renameBlock(target, ACDB_PAPER_SPACE);
    Acad::ErrorStatus es = renameBlock(current, kSwapName);
    if (es != Acad::eOk) return es;
    if ((es = renameBlock(target, ACDB_PAPER_SPACE)) != Acad::eOk) {
        renameBlock(current, ACDB_PAPER_SPACE);
        return es;
    }
    if ((es = renameBlock(current, targetName.c_str())) != Acad::eOk) {
        renameBlock(target, targetName.c_str());
        renameBlock(current, ACDB_PAPER_SPACE);
    }
    return es;
}

bool isValidLayoutName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || name.front() == ' ' || name.back() == ' ') return false;
    return name.find_first_of("<>/\\\":;?*|,=`") == std::string::npos;
}

// "*Paper_SpaceN" with the smallest N the block table does not hold.
std::string freePaperBlockName(AcDbDatabase* db)
{
    for (int n = 0;; ++n) {
        std::string name = std::string(ACDB_PAPER_SPACE) + std::to_string(n);
        if (arx::db::findRecord(db->blockTableId(), name.c_str()).isNull()) return name;
    }
}

Acad::ErrorStatus addPaperBlock(AcDbDatabase* db, AcDbObjectId& blockId)
{
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    auto* block = new AcDbBlockTableRecord();
    block->setName(freePaperBlockName(db).c_str());
    es = table->add(blockId, block);
    if (es == Acad::eOk) block->close();
    else delete block;
    table->close();
    return es;
}

int lastTabOrder(AcDbDatabase* db)
{
    int last = 0;
    for (AcDbObjectId id : allLayouts(db)) {
        AcDbObjectPointer<AcDbLayout> layout(id, AcDb::kForRead);
        if (layout.openStatus() == Acad::eOk) last = std::max(last, layout->getTabOrder());
    }
    return last;
}

int tabOrder(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    return layout.openStatus() == Acad::eOk ? layout->getTabOrder() : 0;
}

}  // namespace

AcDbObjectId currentLayoutId(AcDbDatabase* db)
{
    if (db == nullptr) return AcDbObjectId();
    return layoutOfBlock(arx::db::findRecord(db->blockTableId(), ACDB_PAPER_SPACE));
}

AcDbObjectId modelLayoutId(AcDbDatabase* db)
{
    if (db == nullptr) return AcDbObjectId();
    return layoutOfBlock(arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE));
}

std::string layoutName(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    if (layout.openStatus() != Acad::eOk) return "";
    const char* name = "";
    layout->getLayoutName(name);
    return name;
}

AcDbObjectId findLayout(AcDbDatabase* db, const std::string& name)
{
    for (AcDbObjectId id : allLayouts(db))
        if (strcasecmp(layoutName(id).c_str(), name.c_str()) == 0) return id;
    return AcDbObjectId();
}

std::vector<std::string> layoutNames(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> ids = allLayouts(db);
    std::stable_sort(ids.begin(), ids.end(), [](AcDbObjectId a, AcDbObjectId b) {
        if (isModelLayout(a) != isModelLayout(b)) return isModelLayout(a);
        return tabOrder(a) < tabOrder(b);
    });
    std::vector<std::string> names;
    for (AcDbObjectId id : ids) names.push_back(layoutName(id));
    return names;
}

bool isModelLayout(AcDbObjectId layoutId)
{
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    if (layout.openStatus() != Acad::eOk) return false;
    return strcasecmp(blockName(layout->getBlockTableRecordId()).c_str(), ACDB_MODEL_SPACE) == 0;
}

Acad::ErrorStatus setCurrentLayout(AcDbDatabase* db, AcDbObjectId layoutId)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (layoutId.isNull() || layoutId.database() != db || layoutId.isErased()) return Acad::eInvalidInput;
    if (isModelLayout(layoutId)) return setTiled(db, true);
    const AcDbObjectId block = blockOfLayout(layoutId);
    if (block.isNull()) return Acad::eInvalidInput;
    Acad::ErrorStatus es = swapPaperSpace(db, block);
    if (es != Acad::eOk) return es;
    return setTiled(db, false);
}

std::string nextLayoutName(AcDbDatabase* db)
{
    for (int n = 1;; ++n) {
        std::string name = "Layout" + std::to_string(n);
        if (findLayout(db, name).isNull()) return name;
    }
}

Acad::ErrorStatus createLayout(AcDbDatabase* db, const std::string& name, AcDbObjectId& layoutId)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (!isValidLayoutName(name)) return Acad::eInvalidInput;
    if (!findLayout(db, name).isNull()) return Acad::eDuplicateKey;
    AcDbObjectId blockId;
    Acad::ErrorStatus es = addPaperBlock(db, blockId);
    if (es != Acad::eOk) return es;
    auto* layout = new AcDbLayout();
    layout->setLayoutName(name.c_str());
    layout->setTabOrder(lastTabOrder(db) + 1);
    es = layout->addToLayoutDict(db, blockId);
    if (es != Acad::eOk) {
        delete layout;
        AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
        if (block.openStatus() == Acad::eOk) block->erase();
        return es;
    }
    layoutId = layout->objectId();
    layout->close();
    return Acad::eOk;
}

AcDbObjectId neighbourLayout(AcDbDatabase* db, AcDbObjectId layoutId)
{
    std::vector<AcDbObjectId> paper;
    for (AcDbObjectId id : allLayouts(db))
        if (!isModelLayout(id)) paper.push_back(id);
    std::stable_sort(paper.begin(), paper.end(),
                     [](AcDbObjectId a, AcDbObjectId b) { return tabOrder(a) < tabOrder(b); });
    const auto at = std::find(paper.begin(), paper.end(), layoutId);
    if (at == paper.end() || paper.size() < 2) return AcDbObjectId();
    return at + 1 != paper.end() ? *(at + 1) : *(at - 1);
}

Acad::ErrorStatus deleteLayout(AcDbDatabase* db, AcDbObjectId layoutId, AcDbObjectId successor)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (layoutId.isNull() || layoutId.isErased() || isModelLayout(layoutId)) return Acad::eNotApplicable;
    const AcDbObjectId block = blockOfLayout(layoutId);
    if (block.isNull()) return Acad::eNotApplicable;
    if (block == arx::db::findRecord(db->blockTableId(), ACDB_PAPER_SPACE)) {
        if (successor.isNull() || successor == layoutId || isModelLayout(successor)) return Acad::eNotApplicable;
        const bool tiled = isTiled(db);
        Acad::ErrorStatus es = swapPaperSpace(db, blockOfLayout(successor));
        if (es != Acad::eOk) return es;
        if (!tiled && (es = setTiled(db, false)) != Acad::eOk) return es;
    }
    AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForWrite);
    if (record.openStatus() != Acad::eOk) return record.openStatus();
    Acad::ErrorStatus es = record->erase();
    record.close();
    if (es != Acad::eOk) return es;
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForWrite);
    if (layout.openStatus() != Acad::eOk) return layout.openStatus();
    es = layout->erase();
    layout.close();
    refresh(db);
    return es;
}

Acad::ErrorStatus renameLayout(AcDbDatabase* db, AcDbObjectId layoutId, const std::string& newName)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (layoutId.isNull() || layoutId.isErased() || isModelLayout(layoutId)) return Acad::eNotApplicable;
    if (!isValidLayoutName(newName)) return Acad::eInvalidInput;
    const AcDbObjectId other = findLayout(db, newName);
    if (!other.isNull() && other != layoutId) return Acad::eDuplicateKey;
    const std::string oldName = layoutName(layoutId);
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForWrite);
    if (layout.openStatus() != Acad::eOk) return layout.openStatus();
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = db->getLayoutDictionary(dict, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    es = dict->setName(oldName.c_str(), newName.c_str());
    dict->close();
    // The dictionary key and the layout's own name change together or not at all.
    return es == Acad::eOk ? layout->setLayoutName(newName.c_str()) : es;
}

AcDbObjectId paperSpaceViewport(AcDbDatabase* db, AcDbObjectId layoutId, bool create)
{
    const std::vector<AcDbObjectId>& all = layoutViewports(layoutId);
    if (!all.empty() || !create || db == nullptr) return all.empty() ? AcDbObjectId() : all.front();
    AcDbObjectId id;
    arx::db::addPaperSpaceViewport(db, layoutId, id);
    return id;
}

std::vector<AcDbObjectId> floatingViewports(AcDbObjectId layoutId)
{
    std::vector<AcDbObjectId> all = layoutViewports(layoutId);  // a copy the caller may keep
    if (!all.empty()) all.erase(all.begin());
    return all;
}

Acad::ErrorStatus addFloatingViewport(AcDbDatabase* db, const AcGePoint3d& center, double width, double height,
                                      AcDbObjectId& viewportId)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (!(width > 0.0) || !(height > 0.0)) return Acad::eInvalidInput;
    const AcDbObjectId layoutId = currentLayoutId(db);
    if (paperSpaceViewport(db, layoutId, true).isNull()) return Acad::eNotApplicable;
    int id = kTiledNumber;
    for (AcDbObjectId other : floatingViewports(layoutId)) {
        AcDbObjectPointer<AcDbViewport> vp(other, AcDb::kForRead);
        if (vp.openStatus() == Acad::eOk) id = std::max(id, vp->viewportId() + 1);
    }
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockOfLayout(layoutId), AcDb::kForWrite);
    if (block.openStatus() != Acad::eOk) return block.openStatus();
    auto* vp = new AcDbViewport();
    vp->setCenterPoint(center);
    vp->setWidth(width);
    vp->setHeight(height);
    vp->setViewCenter(AcGePoint2d(center.x, center.y));
    vp->setViewHeight(height);
    vp->setViewportId(static_cast<Adesk::Int16>(id));
    Acad::ErrorStatus es = block->appendAcDbEntity(viewportId, vp);
    if (es != Acad::eOk) {
        delete vp;
        return es;
    }
    vp->setOn();
    vp->writeLegacyViewRecord();
    vp->close();
    block.close();
    refresh(db);
    return Acad::eOk;
}

}  // namespace arx::views
