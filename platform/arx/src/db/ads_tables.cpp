// The ADS calls on handles, registered applications, symbol tables and dictionaries.
#include <strings.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "acdbads_db.h"
#include "acutads.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "db/ads_support.h"
#include "db/database_access.h"
#include "db/database_state.h"
#include "db/dxf_item_filer.h"
#include "db/object_state.h"
#include "db/item_filing.h"
#include "db/resbuf_items.h"
#include "db/symbol_lookup.h"
#include "db/symbol_table_internal.h"
#include "db/xdata_rules.h"

using arx::db::adsDatabase;
using arx::db::DxfItem;
using arx::db::DxfItemList;
using arx::db::idOfName;

namespace {

AcDbObjectId tableNamed(AcDbDatabase* db, const char* name)
{
    if (name == nullptr) return AcDbObjectId();
    struct Entry {
        const char* name;
        AcDbObjectId (AcDbDatabase::*table)() const;
    };
    static const Entry kTables[] = {
        {"LAYER", &AcDbDatabase::layerTableId},       {"LTYPE", &AcDbDatabase::linetypeTableId},
        {"BLOCK", &AcDbDatabase::blockTableId},       {"STYLE", &AcDbDatabase::textStyleTableId},
        {"VIEW", &AcDbDatabase::viewTableId},         {"UCS", &AcDbDatabase::UCSTableId},
        {"VPORT", &AcDbDatabase::viewportTableId},    {"APPID", &AcDbDatabase::regAppTableId},
        {"DIMSTYLE", &AcDbDatabase::dimStyleTableId},
    };
    for (const Entry& e : kTables)
        if (strcasecmp(e.name, name) == 0) return (db->*e.table)();
    return AcDbObjectId();
}

// A record as tblsearch gives it: its type, then its own groups without the object header
// and the subclass markers; a block also gives its origin and first entity (-2).
resbuf* recordList(AcDbObjectId recordId, const char* tableName)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, recordId, AcDb::kForRead) != Acad::eOk) return nullptr;
    DxfItemList items;
    if (auto* block = AcDbBlockTableRecord::cast(obj)) {
        items.push_back(DxfItem::makeText(0, "BLOCK"));
        items.push_back(DxfItem::makeText(2, arx::db::recordName(recordId)));
        items.push_back(DxfItem::makeInteger(70, block->flags()));
        items.push_back(DxfItem::makePoint(10, block->origin()));
        for (AcDbObjectId id : block->entityIds()) {
            if (!id.stub()->isLive() || id.isErased()) continue;
            items.push_back(DxfItem::makeId(-2, id));
            break;
        }
    } else {
        arx::db::DxfItemFiler filer(AcDb::kBagFiler, obj->database());
        obj->dxfOutFields(&filer);
        items.push_back(DxfItem::makeText(0, tableName));
        bool inHeader = true;
        for (const DxfItem& item : filer.items()) {
            if (item.code == AcDb::kDxfSubclass) {
                inHeader = false;
                continue;
            }
            if (!inHeader) items.push_back(item);
        }
    }
    obj->close();
    bool ok = true;
    return arx::db::chainFromItems(items, ok);
}

// The cursor tblnext and dictnext continue from, per table or dictionary.
struct Cursors {
    std::map<std::string, std::size_t> positions;
};

std::size_t& cursor(AcDbDatabase* db, const std::string& key)
{
    std::shared_ptr<void>& slot = arx::db::attachment(db, "ads.cursors");
    if (!slot) slot = std::make_shared<Cursors>();
    return static_cast<Cursors*>(slot.get())->positions[key];
}

std::string upper(const char* text)
{
    std::string out = text ? text : "";
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Cursor keys: "T" and the table name, "D" and the dictionary's handle.
std::string tableKey(const char* tableName)
{
    std::string key(1, 'T');
    key.append(upper(tableName));
    return key;
}

std::string dictionaryKey(AcDbObjectId dictId)
{
    std::string key(1, 'D');
    key.append(std::to_string(dictId.handle().value()));
    return key;
}

const std::vector<AcDbObjectId>* recordsOf(AcDbObjectId tableId)
{
    if (tableId.isNull() || tableId.stub()->object == nullptr) return nullptr;
    const AcDbSymbolTable* table = AcDbSymbolTable::cast(tableId.stub()->object);
    return table ? &table->entries().records : nullptr;
}

bool usable(AcDbObjectId id) { return !id.isNull() && id.stub()->isLive() && !id.isErased(); }

}  // namespace

int acdbHandEnt(const char* handle, ads_name entres)
{
    entres[0] = entres[1] = 0;
    AcDbDatabase* db = adsDatabase();
    AcDbHandle value;
    if (db == nullptr || !AcDbHandle::fromText(handle, value) || value.isNull()) return RTERROR;
    AcDbObjectId id;
    if (db->getAcDbObjectId(id, false, value) != Acad::eOk || !id.stub()->isLive()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), id) == Acad::eOk ? RTNORM : RTERROR;
}

int acdbSNValid(const char* tbstr, int pipetest)
{
    if (!arx::db::isValidRecordName(tbstr)) return RTERROR;
    if (!pipetest && std::strchr(tbstr, '|') != nullptr) return RTERROR;
    return RTNORM;
}

int acdbRegApp(const char* appname)
{
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr || appname == nullptr || acdbSNValid(appname, 0) != RTNORM || appname[0] == '*') return RTERROR;
    if (arx::db::isRegisteredApp(db, appname)) return RTERROR;
    return arx::db::registerApp(db, appname) == Acad::eOk ? RTNORM : RTERROR;
}

resbuf* acdbTblSearch(const char* tblname, const char* sym, int setnext)
{
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr || sym == nullptr) return nullptr;
    AcDbObjectId tableId = tableNamed(db, tblname);
    const auto* records = recordsOf(tableId);
    if (records == nullptr) return nullptr;
    AcDbObjectId found = arx::db::findRecord(tableId, sym);
    if (found.isNull()) return nullptr;
    if (setnext) {
        for (std::size_t i = 0; i < records->size(); ++i)
            if ((*records)[i] == found) cursor(db, tableKey(tblname)) = i + 1;
    }
    return recordList(found, upper(tblname).c_str());
}

resbuf* acdbTblNext(const char* tblname, int rewind)
{
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr) return nullptr;
    AcDbObjectId tableId = tableNamed(db, tblname);
    const auto* records = recordsOf(tableId);
    if (records == nullptr) return nullptr;
    std::size_t& at = cursor(db, tableKey(tblname));
    if (rewind) at = 0;
    while (at < records->size()) {
        AcDbObjectId id = (*records)[at++];
        if (usable(id)) return recordList(id, upper(tblname).c_str());
    }
    return nullptr;
}

int acdbTblObjName(const char* tblname, const char* sym, ads_name result)
{
    result[0] = result[1] = 0;
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr) return RTERROR;
    AcDbObjectId found = arx::db::findRecord(tableNamed(db, tblname), sym);
    if (found.isNull()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(result), found) == Acad::eOk ? RTNORM : RTERROR;
}

int acdbNamedObjDict(ads_name result)
{
    result[0] = result[1] = 0;
    AcDbDatabase* db = adsDatabase();
    if (db == nullptr || db->namedObjectsDictionaryId().isNull()) return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(result), db->namedObjectsDictionaryId()) == Acad::eOk ? RTNORM
                                                                                                             : RTERROR;
}

namespace {

// The entries of a dictionary in the order dictnext gives them (sorted by key).
std::vector<AcDbObjectId> dictionaryEntries(AcDbObjectId dictId, std::vector<std::string>* keys = nullptr)
{
    std::vector<AcDbObjectId> ids;
    AcDbDictionary* dict = nullptr;
    if (acdbOpenObject(dict, dictId, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbDictionaryIterator* it = dict->newIterator(AcRx::kDictSorted);
    for (; !it->done(); it->next()) {
        ids.push_back(it->objectId());
        if (keys) keys->push_back(it->name());
    }
    delete it;
    dict->close();
    return ids;
}

resbuf* entryList(AcDbObjectId id)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    resbuf* list = arx::db::objectList(obj, nullptr);
    obj->close();
    return list;
}

}  // namespace

resbuf* acdbDictSearch(const ads_name dict, const char* sym, int setnext)
{
    AcDbObjectId dictId = idOfName(dict);
    if (dictId.isNull() || sym == nullptr) return nullptr;
    std::vector<std::string> keys;
    std::vector<AcDbObjectId> ids = dictionaryEntries(dictId, &keys);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (strcasecmp(keys[i].c_str(), sym) != 0) continue;
        if (setnext) cursor(dictId.database(), dictionaryKey(dictId)) = i + 1;
        return entryList(ids[i]);
    }
    return nullptr;
}

resbuf* acdbDictNext(const ads_name dict, int rewind)
{
    AcDbObjectId dictId = idOfName(dict);
    if (dictId.isNull()) return nullptr;
    std::vector<AcDbObjectId> ids = dictionaryEntries(dictId);
    std::size_t& at = cursor(dictId.database(), dictionaryKey(dictId));
    if (rewind) at = 0;
    if (at >= ids.size()) return nullptr;
    return entryList(ids[at++]);
}

int acdbXdSize(const resbuf* rb, long* result)
{
    if (result == nullptr) return RTERROR;
    std::vector<arx::db::XDataApp> apps;
    std::string error;
    if (!arx::db::parseXDataChain(rb, nullptr, apps, error)) return RTERROR;
    *result = arx::db::xdataSize(apps);
    return RTNORM;
}

int acdbXdRoom(const ads_name ent, long* result)
{
    if (result == nullptr) return RTERROR;
    AcDbObjectId id = idOfName(ent);
    if (id.isNull() || !id.stub()->isLive()) return RTERROR;
    *result = arx::db::kMaxXDataBytes - arx::db::xdataSize(arx::db::stateOf(id.stub()->object).xdata);
    return RTNORM;
}
