// AcDbProxyEntity and AcDbProxyObject: the objects of classes that are not available, kept
// with all of their groups.
#include "db/dxf_item_filer.h"
#include "db/item_filing.h"
#include "db/entities/entity_filing.h"
#include "db/entities/proxy_record.h"
#include "dbproxy.h"

using arx::db::DxfItem;
using arx::db::DxfItemList;
using arx::db::ProxyRecord;

ACRX_DXF_DEFINE_MEMBERS(AcDbProxyEntity, AcDbEntity, 0, 0, 0, ACAD_PROXY_ENTITY, ObjectDBX Classes)
ACRX_DXF_DEFINE_MEMBERS(AcDbProxyObject, AcDbObject, 0, 0, 0, ACAD_PROXY_OBJECT, ObjectDBX Classes)

namespace {

// Extended data starts with an application name (or -3 in a list); other codes of its range
// may be part of a class's own data.
bool startsXData(int code) { return code == AcDb::kDxfRegAppName || code == -3; }

// The rest of the object's groups, up to its extended data.
Acad::ErrorStatus readRest(AcDbDxfFiler* filer, DxfItemList& items)
{
    items.clear();
    if (auto* itemFiler = dynamic_cast<arx::db::DxfItemFiler*>(filer)) {
        while (const DxfItem* next = itemFiler->peek()) {
            if (startsXData(next->code)) break;
            items.push_back(*itemFiler->next());
        }
        return filer->filerStatus();
    }
    resbuf rb{};
    while (!filer->atEOF() && filer->readItem(&rb) == Acad::eOk) {
        if (startsXData(rb.restype)) {
            filer->pushBackItem();
            break;
        }
        DxfItem item;
        if (arx::db::itemFromResbuf(rb, item)) items.push_back(std::move(item));
    }
    return filer->filerStatus();
}

Acad::ErrorStatus writeAll(AcDbDxfFiler* filer, const DxfItemList& items)
{
    for (const DxfItem& item : items) {
        const Acad::ErrorStatus status = arx::db::writeDxfItem(filer, item);
        if (status != Acad::eOk) return status;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus dwgOutRecord(AcDbDwgFiler* filer, const ProxyRecord& record)
{
    filer->writeString(record.origin.dxfName.c_str());
    filer->writeString(record.origin.className.c_str());
    filer->writeString(record.origin.appName.c_str());
    filer->writeInt32(record.origin.proxyFlags);
    filer->writeBool(record.origin.isEntity);
    filer->writeInt32(record.subentities.length());
    for (int i = 0; i < record.subentities.length(); ++i)
        filer->writeHardOwnershipId(AcDbHardOwnershipId(record.subentities[i]));
    return arx::db::dwgOutItems(filer, record.items);
}

Acad::ErrorStatus dwgInRecord(AcDbDwgFiler* filer, ProxyRecord& record)
{
    auto readText = [filer](std::string& target) {
        char* text = nullptr;
        filer->readString(&text);
        target = text ? text : "";
        delete[] text;
    };
    readText(record.origin.dxfName);
    readText(record.origin.className);
    readText(record.origin.appName);
    Adesk::Int32 flags = 0;
    filer->readInt32(&flags);
    record.origin.proxyFlags = flags;
    filer->readBool(&record.origin.isEntity);
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    if (count < 0) return Acad::eInvalidInput;
    record.subentities.setLogicalLength(0);
    for (Adesk::Int32 i = 0; i < count && filer->filerStatus() == Acad::eOk; ++i) {
        AcDbHardOwnershipId id;
        filer->readHardOwnershipId(&id);
        record.subentities.append(id);
    }
    return arx::db::dwgInItems(filer, record.items);
}

// The groups of an object's dxfOutFields after its object header.
DxfItemList itemsAfterHeader(const AcDbObject* object, Acad::ErrorStatus (*write)(const AcDbObject*, AcDbDxfFiler*))
{
    arx::db::DxfItemFiler filer(AcDb::kFileFiler, object->database());
    write(object, &filer);
    DxfItemList items = filer.takeItems();
    std::size_t first = 0;
    while (first < items.size() && items[first].code != AcDb::kDxfSubclass) ++first;
    items.erase(items.begin(), items.begin() + static_cast<long>(first));
    return items;
}

AcDbObject* makeProxyFromItems(const arx::db::ProxyOrigin& origin, DxfItemList items)
{
    AcDbObject* proxy = nullptr;
    if (origin.isEntity) proxy = new AcDbProxyEntity;
    else proxy = new AcDbProxyObject;
    ProxyRecord& record =
        origin.isEntity ? AcDbProxyEntity::cast(proxy)->proxyRecord() : AcDbProxyObject::cast(proxy)->proxyRecord();
    record.origin = origin;
    if (!items.empty()) {
        arx::db::DxfItemFiler filer(AcDb::kFileFiler, nullptr, std::move(items));
        if (proxy->dxfInFields(&filer) != Acad::eOk) {
            delete proxy;
            return nullptr;
        }
    }
    record.origin = origin;
    return proxy;
}

bool describeProxyItems(const AcDbObject* object, arx::db::ProxyOrigin& origin, const DxfItemList** items)
{
    const ProxyRecord* record = nullptr;
    const auto* entity = AcDbProxyEntity::cast(object);
    if (entity) record = &entity->proxyRecord();
    else if (const auto* plain = AcDbProxyObject::cast(object)) record = &plain->proxyRecord();
    if (record == nullptr) return false;
    origin = record->origin;
    if (items == nullptr) return true;
    if (entity) {
        // The entity's own groups are part of what it stands for.
        record->described = itemsAfterHeader(object, [](const AcDbObject* o, AcDbDxfFiler* f) {
            return static_cast<const AcDbProxyEntity*>(o)->AcDbEntity::dxfOutFields(f);
        });
        record->described.insert(record->described.end(), record->items.begin(), record->items.end());
    } else {
        record->described = record->items;
    }
    *items = &record->described;
    return true;
}

// What proxy objects and proxy entities do alike, on top of their base class (AcDbObject or
// AcDbEntity): references are the ids among the kept groups, erasing needs the original
// class's permission, and filing writes the base's fields and then the record as read.
void appendReferences(const ProxyRecord& record, AcDbObjectIdArray& ids, AcDbIntArray& types)
{
    for (const DxfItem& item : record.items)
        if (item.kind == DxfItem::Kind::Id && !item.id.isNull()) {
            ids.append(item.id);
            types.append(item.code);
        }
}

bool erasingRefused(const ProxyRecord& record, bool erasing)
{
    return erasing && !(record.origin.proxyFlags & AcDbProxyEntity::kEraseAllowed) && !record.origin.className.empty();
}

template <class Base>
Acad::ErrorStatus dwgOutProxy(const Base* self, AcDbDwgFiler* filer, const ProxyRecord& record)
{
    self->assertReadEnabled();
    const Acad::ErrorStatus status = self->Base::dwgOutFields(filer);
    if (status != Acad::eOk) return status;
    return dwgOutRecord(filer, record);
}

template <class Base>
Acad::ErrorStatus dwgInProxy(Base* self, AcDbDwgFiler* filer, ProxyRecord& record)
{
    self->assertWriteEnabled();
    const Acad::ErrorStatus status = self->Base::dwgInFields(filer);
    if (status != Acad::eOk) return status;
    return dwgInRecord(filer, record);
}

template <class Base>
Acad::ErrorStatus dxfOutProxy(const Base* self, AcDbDxfFiler* filer, const ProxyRecord& record)
{
    self->assertReadEnabled();
    const Acad::ErrorStatus status = self->Base::dxfOutFields(filer);
    if (status != Acad::eOk) return status;
    return writeAll(filer, record.items);
}

template <class Base>
Acad::ErrorStatus dxfInProxy(Base* self, AcDbDxfFiler* filer, ProxyRecord& record)
{
    self->assertWriteEnabled();
    const Acad::ErrorStatus status = self->Base::dxfInFields(filer);
    if (status != Acad::eOk) return status;
    return readRest(filer, record.items);
}

}  // namespace

namespace arx::db {
void registerProxyHooks()
{
    ProxyHooks hooks;
    hooks.make = &makeProxyFromItems;
    hooks.describe = &describeProxyItems;
    setProxyHooks(hooks);
}
}  // namespace arx::db

// --- AcDbProxyObject ---------------------------------------------------------------------

AcDbProxyObject::AcDbProxyObject() : mpData(new ProxyRecord) {}
AcDbProxyObject::~AcDbProxyObject() { delete mpData; }

int AcDbProxyObject::proxyFlags() const
{
    assertReadEnabled();
    return mpData->origin.proxyFlags;
}
const char* AcDbProxyObject::originalDxfName() const
{
    assertReadEnabled();
    return mpData->origin.dxfName.c_str();
}
const char* AcDbProxyObject::originalClassName() const
{
    assertReadEnabled();
    return mpData->origin.className.c_str();
}
const char* AcDbProxyObject::applicationDescription() const
{
    assertReadEnabled();
    return mpData->origin.appName.c_str();
}

Acad::ErrorStatus AcDbProxyObject::getReferences(AcDbObjectIdArray& ids, AcDbIntArray& types) const
{
    assertReadEnabled();
    appendReferences(*mpData, ids, types);
    return Acad::eOk;
}

// Erasing is allowed only when the original class allowed it (the host's rule for proxies).
Acad::ErrorStatus AcDbProxyObject::subErase(Adesk::Boolean erasing)
{
    if (erasingRefused(*mpData, erasing)) return Acad::eCannotBeErasedByCaller;
    return AcDbObject::subErase(erasing);
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    return dwgOutProxy<AcDbObject>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyObject::dwgInFields(AcDbDwgFiler* filer)
{
    return dwgInProxy<AcDbObject>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyObject::dxfOutFields(AcDbDxfFiler* filer) const
{
    return dxfOutProxy<AcDbObject>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyObject::dxfInFields(AcDbDxfFiler* filer)
{
    return dxfInProxy<AcDbObject>(this, filer, *mpData);
}

// --- AcDbProxyEntity ---------------------------------------------------------------------

AcDbProxyEntity::AcDbProxyEntity() : mpData(new ProxyRecord) {}
AcDbProxyEntity::~AcDbProxyEntity() { delete mpData; }

int AcDbProxyEntity::proxyFlags() const
{
    assertReadEnabled();
    return mpData->origin.proxyFlags;
}
const char* AcDbProxyEntity::originalDxfName() const
{
    assertReadEnabled();
    return mpData->origin.dxfName.c_str();
}
const char* AcDbProxyEntity::originalClassName() const
{
    assertReadEnabled();
    return mpData->origin.className.c_str();
}
const char* AcDbProxyEntity::applicationDescription() const
{
    assertReadEnabled();
    return mpData->origin.appName.c_str();
}

Acad::ErrorStatus AcDbProxyEntity::getReferences(AcDbObjectIdArray& ids, AcDbIntArray& types) const
{
    assertReadEnabled();
    appendReferences(*mpData, ids, types);
    return Acad::eOk;
}

// Graphics saved with the entity (group 310 after 92 in the entity groups) are not kept
// apart: a proxy here draws nothing.
AcDbProxyEntity::GraphicsMetafileType AcDbProxyEntity::graphicsMetafileType() const { return kNoMetafile; }

AcDbObjectIdArray AcDbProxyEntity::subentityIds() const
{
    assertReadEnabled();
    return mpData->subentities;
}
void AcDbProxyEntity::adoptSubentity(AcDbObjectId id, bool) { mpData->subentities.append(id); }

Acad::ErrorStatus AcDbProxyEntity::getGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }
Acad::ErrorStatus AcDbProxyEntity::transformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbProxyEntity::subErase(Adesk::Boolean erasing)
{
    if (erasingRefused(*mpData, erasing)) return Acad::eCannotBeErasedByCaller;
    const Acad::ErrorStatus status = AcDbEntity::subErase(erasing);
    if (status != Acad::eOk) return status;
    for (int i = 0; i < mpData->subentities.length(); ++i) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, mpData->subentities[i], AcDb::kForWrite, true) != Acad::eOk) continue;
        if (object->isErased() != erasing) object->erase(erasing);
        object->close();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    return dwgOutProxy<AcDbEntity>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* filer)
{
    return dwgInProxy<AcDbEntity>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    return dxfOutProxy<AcDbEntity>(this, filer, *mpData);
}

Acad::ErrorStatus AcDbProxyEntity::dxfInFields(AcDbDxfFiler* filer)
{
    return dxfInProxy<AcDbEntity>(this, filer, *mpData);
}
