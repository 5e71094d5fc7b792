// The library's own entry. Windows' loader calls DllMain with the module's instance; on
// Linux the loader runs the constructor and destructor below instead, which find the
// instance the way the platform's module functions know it and call DllMain alike.
#include <dlfcn.h>

#include <string>

#include "afxdllx.h"
#include "afxheadless.h"
#include "properties/com_object_table.h"
#include "shell/module_resources.h"

#ifndef DLL_PROCESS_DETACH
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#endif

namespace {

AFX_EXTENSION_MODULE extensionModule = {FALSE, nullptr, nullptr};

// Makes the module's dialogs, strings and bitmaps resolve from its own resources.
BOOL DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        kestra::setModuleInstance(hInstance);
        AfxRegisterModuleResources(hInstance, &kestra::moduleResources());
        if (!AfxInitExtensionModule(extensionModule, hInstance)) return FALSE;
        new CDynLinkLibrary(extensionModule);  // the chain owns it until AfxTermExtensionModule
        kestra::initComObjectTable();
    } else if (dwReason == DLL_PROCESS_DETACH) {
        kestra::termComObjectTable();
        AfxTermExtensionModule(extensionModule);
        AfxUnregisterModuleResources(kestra::moduleInstance());
        kestra::setModuleInstance(nullptr);
    }
    return TRUE;
}

// The instance of the file this code was loaded from, whatever its name.
HINSTANCE ownInstance()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownInstance), &info) == 0 || info.dli_fname == nullptr) return nullptr;
    std::string name = info.dli_fname;
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.find('.') == std::string::npos) name += '.';  // no extension: do not assume ".dll"
    return GetModuleHandleA(name.c_str());
}

__attribute__((constructor)) void processAttach() { DllMain(ownInstance(), DLL_PROCESS_ATTACH, nullptr); }

__attribute__((destructor)) void processDetach() { DllMain(kestra::moduleInstance(), DLL_PROCESS_DETACH, nullptr); }

}  // namespace
