// The ADS entity calls: acdbEntGet, acdbEntGetX, acdbEntMod, acdbEntMake, acdbEntMakeX,
// acdbEntDel, acdbEntLast, acdbEntNext, acdbEntUpd. Lists go through each class's own DXF
// filing, with the bag filer type.
#include <strings.h>

#include "acdbads_db.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "db/ads_support.h"
#include "db/database_state.h"
#include "db/dxf_item_filer.h"
#include "db/entity_internal.h"
#include "db/entity_list_order.h"
#include "db/object_state.h"
#include "db/proxy_support.h"
#include "db/item_filing.h"
#include "db/resbuf_items.h"
#include "db/symbol_lookup.h"
#include "db/xdata_rules.h"

using arx::db::DxfItem;
using arx::db::DxfItemList;

namespace arx::db {

AcDbDatabase* adsDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

AcDbObjectId idOfName(const ads_name name)
{
    AcDbObjectId id;
    if (name == nullptr || name[0] == 0) return id;
    id.setFromOldId(name[0]);
    AcDbDatabase* db = adsDatabase();
    // A name only counts in the working database.
    if (db == nullptr || id.database() != db) return AcDbObjectId();
    return id;
}

resbuf* objectList(AcDbObject* obj, const resbuf* apps)
{
    DxfItemFiler filer(AcDb::kBagFiler, obj->database());
    if (obj->dxfOut(&filer, false, nullptr) != Acad::eOk) return nullptr;
    DxfItemList items;
    items.push_back(DxfItem::makeId(-1, obj->objectId()));
    DxfItemList written = filer.takeItems();
    items.insert(items.end(), written.begin(), written.end());
    if (apps != nullptr) {
        DxfItemList xdata;
        for (const auto& app : stateOf(obj).xdata) {
            bool wanted = false;
            for (const resbuf* rb = apps; rb && !wanted; rb = rb->rbnext)
                if (rb->restype == RTSTR && rb->resval.rstring &&
                    (std::string(rb->resval.rstring) == "*" ||
                     strcasecmp(rb->resval.rstring, app.appName.c_str()) == 0))
                    wanted = true;
            if (!wanted) continue;
            xdata.push_back(DxfItem::makeText(AcDb::kDxfRegAppName, app.appName));
            xdata.insert(xdata.end(), app.items.begin(), app.items.end());
        }
        if (!xdata.empty()) {
            DxfItem start;
            start.code = -3;
            items.push_back(start);
            items.insert(items.end(), xdata.begin(), xdata.end());
        }
    }
    bool ok = true;
    return chainFromItems(items, ok);
}

}  // namespace arx::db

namespace {

using arx::db::adsDatabase;
using arx::db::idOfName;

// The parts of an entity list: the name (-1), the type (0), the groups, the extended data
// after -3. False for a list that is not one.
struct ParsedList {
    AcDbObjectId id;
    std::string type;
    DxfItemList items;
    const resbuf* xdata = nullptr;
};

bool parseList(const resbuf* list, ParsedList& parsed)
{
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == -3) {
            parsed.xdata = rb->rbnext;
            break;
        }
        if (rb->restype == -1) {
            parsed.id.setFromOldId(rb->resval.rlname[0]);
            continue;
        }
        if (rb->restype == 0 || rb->restype == RTDXF0) {
            if (rb->resval.rstring == nullptr) return false;
            parsed.type = rb->resval.rstring;
            continue;
        }
        DxfItem item;
        if (rb->restype < 0 || !arx::db::itemFromResbuf(*rb, item)) return false;
        parsed.items.push_back(std::move(item));
    }
    return true;
}

// A list without subclass markers, its groups placed among what the object files now.
DxfItemList itemsInClassOrder(const AcDbObject* obj, AcDbDatabase* db, const DxfItemList& given)
{
    if (arx::db::hasSubclassMarkers(given)) return given;
    arx::db::DxfItemFiler current(AcDb::kBagFiler, db);
    if (obj->dxfOutFields(&current) != Acad::eOk) return given;
    return arx::db::placeListGroups(current.items(), given);
}

Acad::ErrorStatus readList(AcDbObject* obj, AcDbDatabase* db, const ParsedList& parsed, bool modifying)
{
    arx::db::DxfItemFiler filer(AcDb::kBagFiler, db, itemsInClassOrder(obj, db, parsed.items));
    filer.setModifyingExistingObject(modifying);
    filer.setOptionalSubclassMarkers(true);
    Acad::ErrorStatus es = obj->dxfInFields(&filer);
    if (es != Acad::eOk) return es;
    if (parsed.xdata == nullptr) return Acad::eOk;
    std::vector<arx::db::XDataApp> apps;
    std::string error;
    if (!arx::db::parseXDataChain(parsed.xdata, db, apps, error)) return Acad::eInvalidInput;
    return obj->setXData(parsed.xdata);
}

// The block a new entity goes to: the current space, or paper space for (67 . 1).
AcDbObjectId spaceFor(AcDbDatabase* db, const AcDbEntity* ent)
{
    AcDbObjectId current = db->currentSpaceId();
    if (!arx::db::entityPaperSpaceFlag(ent)) return current;
    if (arx::db::isPaperSpaceBlock(current)) return current;
    return arx::db::findRecord(db->blockTableId(), ACDB_PAPER_SPACE);
}

AcDbObjectId tableForRecord(AcDbDatabase* db, const AcDbObject* record)
{
    if (AcDbLayerTableRecord::cast(record)) return db->layerTableId();
    if (AcDbLinetypeTableRecord::cast(record)) return db->linetypeTableId();
    if (AcDbTextStyleTableRecord::cast(record)) return db->textStyleTableId();
    if (AcDbViewTableRecord::cast(record)) return db->viewTableId();
    if (AcDbUCSTableRecord::cast(record)) return db->UCSTableId();
    if (AcDbViewportTableRecord::cast(record)) return db->viewportTableId();
    if (AcDbRegAppTableRecord::cast(record)) return db->regAppTableId();
    if (AcDbDimStyleTableRecord::cast(record)) return db->dimStyleTableId();
    return AcDbObjectId();
}

// Puts a new object made from a list into the drawing; it is closed afterwards.
Acad::ErrorStatus placeNew(AcDbDatabase* db, AcDbObject* obj, bool objectsAllowed, AcDbObjectId& id)
{
    if (auto* ent = AcDbEntity::cast(obj)) {
        if (AcDbBlockBegin::cast(obj) || AcDbBlockEnd::cast(obj)) return Acad::eNotApplicable;
        AcDbBlockTableRecord* block = nullptr;
        Acad::ErrorStatus es = acdbOpenObject(block, spaceFor(db, ent), AcDb::kForWrite);
        if (es != Acad::eOk) return es;
        es = block->appendAcDbEntity(id, ent);
        block->close();
        return es;
    }
    if (AcDbSymbolTableRecord::cast(obj) && !AcDbBlockTableRecord::cast(obj)) {
        AcDbSymbolTable* table = nullptr;
        Acad::ErrorStatus es = acdbOpenObject(table, tableForRecord(db, obj), AcDb::kForWrite);
        if (es != Acad::eOk) return es;
        es = table->add(id, AcDbSymbolTableRecord::cast(obj));
        table->close();
        return es;
    }
    if (!objectsAllowed || AcDbSymbolTable::cast(obj) || AcDbBlockTableRecord::cast(obj)) return Acad::eNotApplicable;
    return db->addAcDbObject(id, obj);
}

int entMake(const resbuf* list, ads_name result, bool objectsAllowed)
{
    if (result) result[0] = result[1] = 0;
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr || list == nullptr) return RTERROR;
    ParsedList parsed;
    if (!parseList(list, parsed) || parsed.type.empty()) return RTERROR;
    AcRxClass* cls = acrxFindClassByDxfName(parsed.type.c_str());
    AcDbObject* obj = cls ? AcDbObject::cast(cls->create()) : nullptr;
    if (obj == nullptr) return RTERROR;
    if (auto* ent = AcDbEntity::cast(obj)) ent->setDatabaseDefaults(db);
    AcDbObjectId id;
    Acad::ErrorStatus es = readList(obj, db, parsed, false);
    if (es == Acad::eOk) es = placeNew(db, obj, objectsAllowed, id);
    if (es != Acad::eOk) {
        if (obj->objectId().isNull()) {
            delete obj;
        } else {
            obj->erase();
            obj->close();
        }
        return RTERROR;
    }
    obj->close();
    if (result) acdbGetAdsName(*reinterpret_cast<ads_name*>(result), id);
    return RTNORM;
}

bool isDrawingEntity(const AcDbStub& stub)
{
    if (!stub.isLive() || stub.erased) return false;
    const AcDbEntity* ent = AcDbEntity::cast(stub.object);
    if (ent == nullptr || AcDbBlockBegin::cast(ent) || AcDbBlockEnd::cast(ent)) return false;
    // Main entities of model space and of the layouts' paper spaces.
    AcDbObjectId owner = arx::db::stateOf(ent).owner;
    if (owner.isNull() || owner.stub()->object == nullptr) return false;
    const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(owner.stub()->object);
    return block != nullptr && block->isLayout();
}

}  // namespace

resbuf* acdbEntGet(const ads_name ent) { return acdbEntGetX(ent, nullptr); }

resbuf* acdbEntGetX(const ads_name ent, const resbuf* args)
{
    AcDbObjectId id = idOfName(ent);
    AcDbObject* obj = nullptr;
    if (id.isNull() || acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    resbuf* list = arx::db::objectList(obj, args);
    obj->close();
    return list;
}

int acdbEntMod(const resbuf* ent)
{
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr || ent == nullptr) return RTERROR;
    ParsedList parsed;
    if (!parseList(ent, parsed) || parsed.id.isNull() || parsed.id.database() != db) return RTERROR;
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, parsed.id, AcDb::kForWrite) != Acad::eOk) return RTERROR;
    if (!parsed.type.empty() && strcasecmp(parsed.type.c_str(), arx::db::dxfNameOf(obj).c_str()) != 0) {
        obj->close();
        return RTERROR;
    }
    // A list the class refuses changes nothing.
    obj->assertWriteEnabled();
    if (readList(obj, db, parsed, true) != Acad::eOk) {
        obj->cancel();
        return RTERROR;
    }
    obj->close();
    return RTNORM;
}

int acdbEntMake(const resbuf* ent) { return entMake(ent, nullptr, false); }

int acdbEntMakeX(const resbuf* entm, ads_name result) { return entMake(entm, result, true); }

int acdbEntDel(const ads_name ent)
{
    AcDbObjectId id = idOfName(ent);
    AcDbObject* obj = nullptr;
    if (id.isNull() || acdbOpenAcDbObject(obj, id, AcDb::kForWrite, true) != Acad::eOk) return RTERROR;
    if (AcDbEntity::cast(obj) == nullptr) {
        obj->close();
        return RTERROR;
    }
    Acad::ErrorStatus es = obj->erase(!obj->isErased());
    obj->close();
    return es == Acad::eOk ? RTNORM : RTERROR;
}

int acdbEntLast(ads_name result)
{
    result[0] = result[1] = 0;
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr) return RTERROR;
    auto& stubs = arx::db::stateOf(db).stubs;
    for (auto it = stubs.rbegin(); it != stubs.rend(); ++it) {
        if (!isDrawingEntity(*it)) continue;
        return acdbGetAdsName(*reinterpret_cast<ads_name*>(result), AcDbObjectId(&*it)) == Acad::eOk ? RTNORM : RTERROR;
    }
    return RTERROR;
}

int acdbEntNext(const ads_name ent, ads_name result)
{
    // The name given and the result may be the same array: read it first.
    std::size_t from = 0;
    AcDbObjectId after = idOfName(ent);
    bool given = ent != nullptr && ent[0] != 0;
    result[0] = result[1] = 0;
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr) return RTERROR;
    auto& stubs = arx::db::stateOf(db).stubs;
    if (given) {
        if (after.isNull()) return RTERROR;
        from = after.stub()->order + 1;
    }
    for (std::size_t i = from; i < stubs.size(); ++i) {
        if (!isDrawingEntity(stubs[i])) continue;
        return acdbGetAdsName(*reinterpret_cast<ads_name*>(result), AcDbObjectId(&stubs[i])) == Acad::eOk ? RTNORM
                                                                                                          : RTERROR;
    }
    return RTERROR;
}

int acdbEntUpd(const ads_name ent)
{
    AcDbObjectId id = idOfName(ent);
    return !id.isNull() && id.stub()->isLive() ? RTNORM : RTERROR;
}
