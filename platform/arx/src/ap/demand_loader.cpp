#include "ap/demand_loader.h"

#include <strings.h>

#include "db/dxf/class_demand_loader.h"
#include "ed/console.h"
#include "rx/module_loader.h"
#include "rx/registry_key.h"

using arx::rx::ModuleLoader;
using arx::rx::RegistryKey;
using arx::rx::splitRegistryPath;
#include "rxregsvc.h"

namespace arx::ap {
namespace {

constexpr unsigned kOnProxyDetection = 0x01;
constexpr unsigned kOnStartup = 0x02;
constexpr unsigned kOnCommand = 0x04;
constexpr unsigned kOnRequest = 0x08;
constexpr unsigned kDisabled = 0x10;

bool same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::optional<DemandLoadEntry> readEntry(const std::string& logicalName)
{
    RegistryKey app(HKEY_LOCAL_MACHINE, ProductIdentity::productPath() + "\\Applications\\" + logicalName);
    if (!app.isOpen()) return std::nullopt;
    DemandLoadEntry entry;
    entry.logicalName = logicalName;
    entry.loadCtrls = app.getDword("LOADCTRLS").value_or(0);
    HKEY root;
    std::string path;
    if (auto regPath = app.getString("REGPATH"); regPath && splitRegistryPath(*regPath, root, path)) {
        entry.modulePath = RegistryKey(root, path + "\\Loader").getString("MODULE").value_or("");
        for (const auto& [name, local] : RegistryKey(root, path + "\\Commands").stringValues())
            entry.commands.push_back(name);
    }
    return entry;
}

// Makes drawings being read load the applications of the custom classes they list
// (LOADCTRLS bit 1, "on proxy detection").
void wireClassDemandLoading()
{
    db::setClassDemandLoader(
        [](const std::string& appName) { return DemandLoader::instance().loadForClassApplication(appName); });
}

}  // namespace

std::string ProductIdentity::productPath() { return std::string(kRootKey) + "\\" + kReleaseKey + "\\" + kProductKey; }

void ensureHostKeys()
{
    RegistryKey root(HKEY_LOCAL_MACHINE, ProductIdentity::kRootKey);
    if (root.isOpen() && root.getString("CurVer")) return;
    RegistryKey(HKEY_LOCAL_MACHINE, ProductIdentity::kRootKey, true).setString("CurVer", ProductIdentity::kReleaseKey);
    RegistryKey(HKEY_LOCAL_MACHINE, std::string(ProductIdentity::kRootKey) + "\\" + ProductIdentity::kReleaseKey, true)
        .setString("CurVer", ProductIdentity::kProductKey);
    RegistryKey product(HKEY_LOCAL_MACHINE, ProductIdentity::productPath(), true);
    product.setString("Release", "15.0");
    RegistryKey(HKEY_LOCAL_MACHINE, ProductIdentity::productPath() + "\\Applications", true);
}

DemandLoader& DemandLoader::instance()
{
    static DemandLoader loader;
    return loader;
}

std::vector<DemandLoadEntry> DemandLoader::entries() const
{
    std::vector<DemandLoadEntry> out;
    RegistryKey apps(HKEY_LOCAL_MACHINE, ProductIdentity::productPath() + "\\Applications");
    for (const std::string& name : apps.subKeys())
        if (auto entry = readEntry(name)) out.push_back(*entry);
    return out;
}

bool DemandLoader::load(const DemandLoadEntry& entry)
{
    if (entry.modulePath.empty()) return false;
    if (ModuleLoader::instance().findByName(entry.modulePath)) return true;
    std::string error;
    if (ModuleLoader::instance().load(entry.modulePath, error) != nullptr) return true;
    ed::Console::instance().ensureLineStart();
    ed::Console::instance().write(error + "\n");
    return false;
}

// Start-up is also when drawings begin to be read: from then on they ask for the
// applications of the custom classes they list.
void DemandLoader::loadAtStartup()
{
    wireClassDemandLoading();
    for (const DemandLoadEntry& entry : entries())
        if ((entry.loadCtrls & kOnStartup) && !(entry.loadCtrls & kDisabled)) load(entry);
}

bool DemandLoader::loadForCommand(const std::string& globalName)
{
    for (const DemandLoadEntry& entry : entries()) {
        if (!(entry.loadCtrls & kOnCommand) || (entry.loadCtrls & kDisabled)) continue;
        for (const std::string& command : entry.commands)
            if (same(command, globalName)) return load(entry);
    }
    return false;
}

bool DemandLoader::loadByName(const std::string& logicalName, bool)
{
    auto entry = readEntry(logicalName);
    if (!entry || !(entry->loadCtrls & kOnRequest) || (entry->loadCtrls & kDisabled)) return false;
    return load(*entry);
}

bool DemandLoader::loadForClassApplication(const std::string& appName)
{
    for (const DemandLoadEntry& entry : entries())
        if (same(entry.logicalName, appName) && (entry.loadCtrls & kOnProxyDetection) && !(entry.loadCtrls & kDisabled))
            return load(entry);
    return false;
}

}  // namespace arx::ap

using arx::ap::DemandLoader;
using arx::ap::ProductIdentity;
using arx::rx::RegistryKey;

// keyLevel 2: the application's own key lies under regPath in HKEY_LOCAL_MACHINE; any other
// level places it in HKEY_CURRENT_USER.
AcadApp::ErrorStatus acrxRegisterApp(AcadApp::LoadReasons alr, const char* logicalName, const char* regPath,
                                     int keyLevel, Adesk::Boolean)
{
    if (logicalName == nullptr || *logicalName == '\0') return AcadApp::eInvalidKey;
    if (regPath == nullptr) return AcadApp::eInvalidSubKey;
    RegistryKey app(HKEY_LOCAL_MACHINE, ProductIdentity::productPath() + "\\Applications\\" + logicalName, true);
    if (!app.isOpen()) return AcadApp::eRegAccessDenied;
    std::string root = keyLevel == 2 ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    std::string fullPath = "\\\\" + root + "\\" + regPath + "\\" + logicalName;
    if (!app.setDword("LOADCTRLS", static_cast<DWORD>(alr)) || !app.setString("REGPATH", fullPath))
        return AcadApp::eRegAccessDenied;
    return AcadApp::eOk;
}

AcadApp::ErrorStatus acrxUnregisterApp(const char* logicalName, Adesk::Boolean)
{
    if (logicalName == nullptr) return AcadApp::eInvalidKey;
    HKEY apps;
    std::string path = ProductIdentity::productPath() + "\\Applications";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &apps) != ERROR_SUCCESS)
        return AcadApp::eKeyNotFound;
    LONG status = RegDeleteKeyA(apps, logicalName);
    RegCloseKey(apps);
    return status == ERROR_SUCCESS ? AcadApp::eOk : AcadApp::eKeyNotFound;
}

const char* acrxProductKey()
{
    static const std::string key = "Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409";
    return key.c_str();
}

bool acrxLoadApp(const char* logicalName, bool asCmd)
{
    return logicalName && DemandLoader::instance().loadByName(logicalName, asCmd);
}

bool AcRxDynamicLinker::loadModule(const char* fileName, bool printit, bool)
{
    if (fileName == nullptr) return false;
    std::string error;
    bool ok = arx::rx::ModuleLoader::instance().load(fileName, error) != nullptr;
    if (!ok && printit) {
        arx::ed::Console::instance().ensureLineStart();
        arx::ed::Console::instance().write(error + "\n");
    }
    return ok;
}

bool AcRxDynamicLinker::unloadModule(const char* fileName, bool)
{
    auto* module = fileName ? arx::rx::ModuleLoader::instance().findByName(fileName) : nullptr;
    return module != nullptr && arx::rx::ModuleLoader::instance().unload(*module, false);
}

bool AcRxDynamicLinker::isApplicationLoaded(const char* fileName) const
{
    return fileName && arx::rx::ModuleLoader::instance().findByName(fileName) != nullptr;
}

bool AcRxDynamicLinker::loadApp(const char* appName, AcadApp::LoadReasons, bool, bool asCmd)
{
    return acrxLoadApp(appName, asCmd);
}

AcRxDynamicLinker* acrxDynamicLinkerPtr()
{
    static AcRxDynamicLinker linker;
    return &linker;
}
