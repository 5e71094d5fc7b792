// AcDbObject: extended data.
#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "acutads.h"
#include "dbsymtb.h"
#include "db/item_filing.h"
#include "db/object_state.h"
#include "db/resbuf_items.h"
#include "db/symbol_lookup.h"
#include "db/xdata_rules.h"

using arx::db::DxfItem;
using arx::db::XDataApp;

namespace arx::db {

bool isRegisteredApp(const AcDbDatabase* db, const std::string& name)
{
    if (db == nullptr) return true;
    return !findRecord(db->regAppTableId(), name.c_str()).isNull();
}

Acad::ErrorStatus registerApp(AcDbDatabase* db, const std::string& name)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (isRegisteredApp(db, name)) return Acad::eOk;
    AcDbRegAppTable* table = nullptr;
    Acad::ErrorStatus es = db->getRegAppTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    auto* record = new AcDbRegAppTableRecord();
    record->setName(name.c_str());
    es = table->add(record);
    if (es == Acad::eOk) record->close();
    else delete record;
    table->close();
    return es;
}

long xdataSize(const std::vector<XDataApp>& apps)
{
    long size = 0;
    for (const XDataApp& app : apps) {
        size += 2 + 2;  // the 1001 group: code and application index
        for (const DxfItem& item : app.items) {
            size += 2;
            switch (item.kind) {
            case DxfItem::Kind::Text: size += static_cast<long>(item.text.size()) + 2; break;
            case DxfItem::Kind::Point: size += 24; break;
            case DxfItem::Kind::Real: size += 8; break;
            case DxfItem::Kind::Integer: size += integerBitsOfCode(item.code) >= 32 ? 4 : 2; break;
            case DxfItem::Kind::Binary: size += static_cast<long>(item.binary.size()) + 1; break;
            default: break;
            }
        }
    }
    return size;
}

bool parseXDataChain(const resbuf* chain, const AcDbDatabase* db, std::vector<XDataApp>& apps, std::string& error)
{
    apps.clear();
    int depth = 0;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == AcDb::kDxfRegAppName) {
            if (depth != 0) {
                error = "unbalanced braces in the extended data";
                return false;
            }
            if (rb->resval.rstring == nullptr || !isRegisteredApp(db, rb->resval.rstring)) {
                error = "the application is not registered";
                return false;
            }
            apps.push_back({rb->resval.rstring, {}});
            continue;
        }
        if (apps.empty()) {
            error = "extended data must start with a 1001 group";
            return false;
        }
        if (!isXDataCode(rb->restype)) {
            error = "group " + std::to_string(rb->restype) + " is not one of extended data";
            return false;
        }
        DxfItem item;
        if (!itemFromResbuf(*rb, item)) {
            error = "group " + std::to_string(rb->restype) + " has no value";
            return false;
        }
        if (item.code == AcDb::kDxfXdControlString) {
            if (item.text == "{") ++depth;
            else if (item.text == "}") --depth;
            else {
                error = "a 1002 group holds { or }";
                return false;
            }
            if (depth < 0) {
                error = "unbalanced braces in the extended data";
                return false;
            }
        }
        apps.back().items.push_back(std::move(item));
    }
    if (depth != 0) {
        error = "unbalanced braces in the extended data";
        return false;
    }
    return true;
}

}  // namespace arx::db

namespace {

resbuf* appChain(const XDataApp& app)
{
    resbuf* head = acutNewRb(AcDb::kDxfRegAppName);
    if (head == nullptr) return nullptr;
    head->resval.rstring = static_cast<char*>(std::malloc(app.appName.size() + 1));
    if (head->resval.rstring == nullptr) {
        acutRelRb(head);
        return nullptr;
    }
    std::memcpy(head->resval.rstring, app.appName.c_str(), app.appName.size() + 1);
    bool ok = true;
    head->rbnext = arx::db::chainFromItems(app.items, ok);
    if (!ok) {
        acutRelRb(head);
        return nullptr;
    }
    return head;
}

}  // namespace

resbuf* AcDbObject::xData(const char* regappName) const
{
    assertReadEnabled();
    const auto& xdata = objectState()->xdata;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const XDataApp& app : xdata) {
        if (regappName != nullptr && strcasecmp(app.appName.c_str(), regappName) != 0) continue;
        resbuf* chain = appChain(app);
        if (chain == nullptr) {
            acutRelRb(head);
            return nullptr;
        }
        if (tail) tail->rbnext = chain;
        else head = chain;
        tail = chain;
        while (tail->rbnext) tail = tail->rbnext;
    }
    return head;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata)
{
    arx::db::ObjectState& st = *objectState();
    if (st.resident() && !st.writer && !st.undoing) return Acad::eNotOpenForWrite;
    if (xdata == nullptr) return Acad::eInvalidInput;
    std::vector<XDataApp> apps;
    std::string error;
    if (!arx::db::parseXDataChain(xdata, database(), apps, error)) return Acad::eInvalidInput;
    std::vector<XDataApp> result = st.xdata;
    for (XDataApp& app : apps) {
        auto it = std::find_if(result.begin(), result.end(), [&](const XDataApp& a) {
            return strcasecmp(a.appName.c_str(), app.appName.c_str()) == 0;
        });
        if (app.items.empty()) {
            if (it != result.end()) result.erase(it);
        } else if (it != result.end()) {
            it->items = std::move(app.items);
        } else {
            result.push_back(std::move(app));
        }
    }
    if (arx::db::xdataSize(result) > arx::db::kMaxXDataBytes) return Acad::eInvalidInput;
    assertWriteEnabled();
    st.xdata = std::move(result);
    st.modifiedXData = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::xDataTransformBy(const AcGeMatrix3d& xform)
{
    arx::db::ObjectState& st = *objectState();
    if (st.resident() && !st.writer && !st.undoing) return Acad::eNotOpenForWrite;
    if (st.xdata.empty()) return Acad::eOk;
    assertWriteEnabled();
    double scale = (xform * AcGeVector3d(1, 0, 0)).length();
    for (XDataApp& app : st.xdata) {
        for (DxfItem& item : app.items) {
            switch (item.code) {
            case AcDb::kDxfXdWorldXCoord: item.point.transformBy(xform); break;
            case AcDb::kDxfXdWorldXDisp: {
                AcGeVector3d v = xform * item.point.asVector();
                item.point.set(v.x, v.y, v.z);
                break;
            }
            case AcDb::kDxfXdWorldXDir: {
                AcGeVector3d v = xform * item.point.asVector();
                if (!v.isZeroLength()) v.normalize();
                item.point.set(v.x, v.y, v.z);
                break;
            }
            case AcDb::kDxfXdDist:
            case AcDb::kDxfXdScale: item.real *= scale; break;
            default: break;
            }
        }
    }
    st.modifiedXData = true;
    return Acad::eOk;
}
