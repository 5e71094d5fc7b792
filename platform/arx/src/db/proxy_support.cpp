#include "db/proxy_support.h"

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

std::string dxfNameOf(const AcDbObject* obj)
{
    ProxyOrigin origin;
    if (proxyOriginOf(obj, origin)) return origin.dxfName;
    if (AcDbSymbolTable::cast(obj)) return "TABLE";
    for (AcRxClass* cls = obj->isA(); cls != nullptr; cls = cls->myParent())
        if (*cls->dxfName() != '\0') return cls->dxfName();
    return obj->isA() ? obj->isA()->name() : "";
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
