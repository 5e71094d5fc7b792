// Proxies: what the database keeps for an object whose class is not registered. The proxy
// classes (AcDbProxyEntity, AcDbProxyObject, in db/entities/) register two hooks here; the
// database uses them when a class leaves (its live objects become proxies holding their DXF
// groups) and when a class arrives (proxies of its DXF name become objects again), and the
// DXF reader uses them for records of unknown classes.
#pragma once
#include <string>

#include "db/dxf_item.h"

class AcDbObject;

namespace arx::db {

// The class a proxy stands for, as the CLASSES section describes it.
struct ProxyOrigin {
    std::string dxfName;
    std::string className;
    std::string appName;
    int proxyFlags = 0;
    bool isEntity = false;
};

struct ProxyHooks {
    // A new proxy (in no database) of that origin holding items: the object's groups after
    // its object header, from its first subclass marker (100) on, extended data excluded.
    // The proxy writes them back unchanged after its own object header.
    AcDbObject* (*make)(const ProxyOrigin& origin, DxfItemList items) = nullptr;
    // For a proxy: its origin, and its items when items is not null (the proxy must then be
    // readable); false for an object that is not a proxy.
    bool (*describe)(const AcDbObject* obj, ProxyOrigin& origin, const DxfItemList** items) = nullptr;
};
void setProxyHooks(const ProxyHooks& hooks);

// A new proxy, or null when no proxy class registered its hooks.
AcDbObject* makeProxy(const ProxyOrigin& origin, DxfItemList items);
// True (with origin and items) when the object is a proxy; it must be readable.
bool describeProxy(const AcDbObject* obj, ProxyOrigin& origin, const DxfItemList*& items);
// True (with origin) when the object is a proxy; needs no open object.
bool proxyOriginOf(const AcDbObject* obj, ProxyOrigin& origin);

// The DXF name an object is written under: its class's, the original one for a proxy,
// "TABLE" for a symbol table.
std::string dxfNameOf(const AcDbObject* obj);

// The groups an object's dxfOutFields writes after its object header (what a proxy of it
// keeps). The object must be readable.
DxfItemList proxyItemsOf(const AcDbObject* obj);

}  // namespace arx::db
