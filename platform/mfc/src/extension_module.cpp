#include <algorithm>
#include <vector>

#include "afxdllx.h"
#include "resource_chain.h"

namespace mfc {

std::vector<CDynLinkLibrary*>& resourceChain()
{
    // Never destroyed: modules leave the chain while the process exits.
    static auto* chain = new std::vector<CDynLinkLibrary*>;
    return *chain;
}

}  // namespace mfc

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*bAll*/)
{
    auto& chain = mfc::resourceChain();
    // Deleting an entry removes it from the chain, so collect first.
    std::vector<CDynLinkLibrary*> owned;
    for (CDynLinkLibrary* entry : chain)
        if (state.hModule != nullptr && entry->m_hModule == state.hModule) owned.push_back(entry);
    for (CDynLinkLibrary* entry : owned) delete entry;
    state = AFX_EXTENSION_MODULE{FALSE, nullptr, nullptr};
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state) : CDynLinkLibrary(state.hModule, state.hResource) {}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource) : m_hModule(hModule), m_hResource(hResource)
{
    mfc::resourceChain().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    auto& chain = mfc::resourceChain();
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}
