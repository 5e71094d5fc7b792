#include <algorithm>
#include <map>

#include "afxheadless.h"
#include "resource_chain.h"

namespace {

std::map<HINSTANCE, const AfxModuleResources*>& resourceTables()
{
    // Never destroyed: modules may unregister while the process exits.
    static auto* tables = new std::map<HINSTANCE, const AfxModuleResources*>;
    return *tables;
}

struct ResourceHandle {
    bool set = false;
    HINSTANCE handle = nullptr;
};

ResourceHandle& currentResourceHandle()
{
    static ResourceHandle current;
    return current;
}

template <typename Resource>
const Resource* findById(const std::vector<Resource>& resources, UINT id)
{
    auto it = std::find_if(resources.begin(), resources.end(), [id](const Resource& r) { return r.id == id; });
    return it == resources.end() ? nullptr : &*it;
}

bool moduleHas(HINSTANCE module, UINT id, AfxResourceKind kind)
{
    const AfxModuleResources* table = AfxModuleResourcesOf(module);
    return table != nullptr && table->contains(id, kind);
}

}  // namespace

const AfxDialogResource* AfxModuleResources::findDialog(UINT id) const { return findById(dialogs, id); }
const AfxStringResource* AfxModuleResources::findString(UINT id) const { return findById(strings, id); }
const AfxBitmapResource* AfxModuleResources::findBitmap(UINT id) const { return findById(bitmaps, id); }

bool AfxModuleResources::contains(UINT id, AfxResourceKind kind) const
{
    switch (kind) {
    case AfxResourceKind::Dialog: return findDialog(id) != nullptr;
    case AfxResourceKind::String: return findString(id) != nullptr;
    case AfxResourceKind::Bitmap: return findBitmap(id) != nullptr;
    }
    return false;
}

void AfxRegisterModuleResources(HINSTANCE hModule, const AfxModuleResources* resources)
{
    if (hModule == nullptr) return;
    if (resources == nullptr) resourceTables().erase(hModule);
    else resourceTables()[hModule] = resources;
}

void AfxUnregisterModuleResources(HINSTANCE hModule) { resourceTables().erase(hModule); }

const AfxModuleResources* AfxModuleResourcesOf(HINSTANCE hModule)
{
    auto it = resourceTables().find(hModule);
    return it == resourceTables().end() ? nullptr : it->second;
}

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle()
{
    const ResourceHandle& current = currentResourceHandle();
    return current.set ? current.handle : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { currentResourceHandle() = ResourceHandle{true, hInstResource}; }

HINSTANCE AfxFindResourceHandle(UINT id, AfxResourceKind kind)
{
    HINSTANCE current = AfxGetResourceHandle();
    if (moduleHas(current, id, kind)) return current;
    for (CDynLinkLibrary* entry : mfc::resourceChain())
        if (moduleHas(entry->m_hResource, id, kind)) return entry->m_hResource;
    return nullptr;
}

const AfxDialogResource* AfxFindDialogResource(UINT id)
{
    HINSTANCE module = AfxFindResourceHandle(id, AfxResourceKind::Dialog);
    return module ? AfxModuleResourcesOf(module)->findDialog(id) : nullptr;
}

const AfxStringResource* AfxFindStringResource(UINT id)
{
    HINSTANCE module = AfxFindResourceHandle(id, AfxResourceKind::String);
    return module ? AfxModuleResourcesOf(module)->findString(id) : nullptr;
}

const AfxBitmapResource* AfxFindBitmapResource(UINT id)
{
    HINSTANCE module = AfxFindResourceHandle(id, AfxResourceKind::Bitmap);
    return module ? AfxModuleResourcesOf(module)->findBitmap(id) : nullptr;
}
