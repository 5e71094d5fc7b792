#include "db/proxy_support.h"

#include <array>

#include "dbsymtb.h"
#include "db/dxf_item_filer.h"
#include "db/fatal.h"

namespace arx::db {

namespace {

ProxyHooks& hooks()
{
    static ProxyHooks registered;
    return registered;
}

}  // namespace

void setProxyHooks(const ProxyHooks& newHooks)
{
    // A hook that names this forwarding function would call itself for ever.
    if (newHooks.make == &makeProxy) fatal("setProxyHooks: the make hook names arx::db::makeProxy itself");
    hooks() = newHooks;
}

AcDbObject* makeProxy(const ProxyOrigin& origin, DxfItemList items)
{
    return hooks().make ? hooks().make(origin, std::move(items)) : nullptr;
}

bool describeProxy(const AcDbObject* obj, ProxyOrigin& origin, const DxfItemList*& items)
{
    items = nullptr;
    return obj != nullptr && hooks().describe != nullptr && hooks().describe(obj, origin, &items);
}

bool proxyOriginOf(const AcDbObject* obj, ProxyOrigin& origin)
{
    return obj != nullptr && hooks().describe != nullptr && hooks().describe(obj, origin, nullptr);
}

namespace {

// The DXF name of the objects of one class, when it is the class's own: a proxy is known by
// its class, as is a symbol table, so a class found to be neither names all its objects
// alike. Kept for the last few classes seen, until a class is removed (its address may then
// be another's).
struct ClassDxfName {
    const AcRxClass* cls = nullptr;
    std::string name;
};

struct ClassDxfNames {
    unsigned generation = 0;
    std::array<ClassDxfName, 8> entries;
    std::size_t next = 0;
};

std::string dxfNameByClass(const AcDbObject* obj)
{
    if (AcDbSymbolTable::cast(obj)) return "TABLE";
    for (AcRxClass* cls = obj->isA(); cls != nullptr; cls = cls->myParent())
        if (*cls->dxfName() != '\0') return cls->dxfName();
    return obj->isA() ? obj->isA()->name() : "";
}

}  // namespace

std::string dxfNameOf(const AcDbObject* obj)
{
    const AcRxClass* cls = obj->isA();
    // One cache for the process: the database is used by one thread at a time.
    static ClassDxfNames known;
    const unsigned generation = acrxClassGeneration();
    if (known.generation != generation) known = ClassDxfNames{generation, {}, 0};
    for (const ClassDxfName& entry : known.entries)
        if (entry.cls == cls && cls != nullptr) return entry.name;
    ProxyOrigin origin;
    if (proxyOriginOf(obj, origin)) return origin.dxfName;
    std::string name = dxfNameByClass(obj);
    // Only once proxies can be told apart, and only a class with a DXF name of its own:
    // another's, found through its parents, could change as classes are registered.
    if (cls != nullptr && hooks().describe != nullptr && *cls->dxfName() != '\0') {
        known.entries[known.next] = ClassDxfName{cls, name};
        known.next = (known.next + 1) % known.entries.size();
    }
    return name;
}

DxfItemList proxyItemsOf(const AcDbObject* obj)
{
    DxfItemFiler filer(AcDb::kFileFiler, obj->database());
    obj->dxfOutFields(&filer);
    DxfItemList items = filer.takeItems();
    // The object header (handle, reactors, extension dictionary, owner) stays the object's
    // own: the proxy keeps what follows it.
    std::size_t first = 0;
    while (first < items.size() && items[first].code != AcDb::kDxfSubclass) ++first;
    items.erase(items.begin(), items.begin() + static_cast<long>(first));
    return items;
}

}  // namespace arx::db
