#include "rx/module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <strings.h>

namespace arx::rx {

namespace fs = std::filesystem;

ModuleLoader& ModuleLoader::instance()
{
    static ModuleLoader loader;
    return loader;
}

Module* ModuleLoader::swapCurrent(Module* module)
{
    Module* previous = current_;
    current_ = module;
    return previous;
}

ModuleContext::ModuleContext(Module* module) : previous_(ModuleLoader::instance().swapCurrent(module)) {}

ModuleContext::~ModuleContext() { ModuleLoader::instance().swapCurrent(previous_); }

// A name without a folder is looked for in the current folder, then beside the host
// program (where modules are installed), then on ARXHOST_PATH.
std::string ModuleLoader::resolve(const std::string& fileName) const
{
    std::error_code ec;
    fs::path given(fileName);
    if (given.has_parent_path() || fs::exists(given, ec)) return fs::absolute(given, ec).string();
    std::vector<fs::path> folders{fs::current_path(ec)};
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) folders.push_back(fs::path(std::string(self, static_cast<size_t>(n))).parent_path());
    if (const char* path = std::getenv("ARXHOST_PATH")) {
        std::string list = path;
        for (size_t start = 0; start <= list.size();) {
            size_t colon = list.find(':', start);
            if (colon == std::string::npos) colon = list.size();
            if (colon > start) folders.emplace_back(list.substr(start, colon - start));
            start = colon + 1;
        }
    }
    for (const fs::path& folder : folders)
        if (fs::exists(folder / given, ec)) return (folder / given).string();
    return fileName;
}

Module* ModuleLoader::findByName(const std::string& fileName) const
{
    std::string base = fs::path(fileName).filename().string();
    for (const auto& module : modules_)
        if (strcasecmp(module->fileName.c_str(), base.c_str()) == 0) return module.get();
    return nullptr;
}

Module* ModuleLoader::fromAppId(const void* appId) const
{
    for (const auto& module : modules_)
        if (module.get() == appId) return module.get();
    return nullptr;
}

Module* ModuleLoader::load(const std::string& fileName, std::string& error)
{
    if (Module* loaded = findByName(fileName)) {
        error = fs::path(fileName).filename().string() + " is already loaded.";
        (void)loaded;
        return nullptr;
    }
    std::string path = resolve(fileName);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = "Unable to load " + fileName + ": " + (why ? why : "unknown error");
        return nullptr;
    }
    auto entry = reinterpret_cast<AcRxEntryPointFn>(dlsym(handle, "acrxEntryPoint"));
    auto version = reinterpret_cast<AcRxGetApiVersionFn>(dlsym(handle, "acrxGetApiVersion"));
    if (entry == nullptr || version == nullptr) {
        dlclose(handle);
        error = fileName + " is not an ObjectARX application (no acrxEntryPoint).";
        return nullptr;
    }
    auto module = std::make_unique<Module>();
    module->path = path;
    module->fileName = fs::path(path).filename().string();
    module->handle = handle;
    module->entryPoint = entry;
    Module* raw = module.get();
    modules_.push_back(std::move(module));
    if (send(*raw, AcRx::kInitAppMsg) != AcRx::kRetOK) {
        error = raw->fileName + " refused to load.";
        modules_.pop_back();
        dlclose(handle);
        return nullptr;
    }
    raw->initialised = true;
    for (ModuleObserver* observer : std::vector(observers_)) observer->moduleLoaded(*raw);
    return raw;
}

bool ModuleLoader::unload(Module& module, bool atExit)
{
    if (module.locked && !atExit) return false;
    for (ModuleObserver* observer : std::vector(observers_)) observer->moduleUnloading(module);
    send(module, AcRx::kUnloadAppMsg);
    void* handle = module.handle;
    auto it = std::find_if(modules_.begin(), modules_.end(), [&](const auto& m) { return m.get() == &module; });
    if (it != modules_.end()) modules_.erase(it);
        // Under the sanitizers a closed library loses its symbols for the leak report; keep it.
#if !defined(__SANITIZE_ADDRESS__)
    dlclose(handle);
#else
    (void)handle;
#endif
    return true;
}

void ModuleLoader::unloadAll()
{
    while (!modules_.empty()) unload(*modules_.back(), true);
}

AcRx::AppRetCode ModuleLoader::send(Module& module, AcRx::AppMsgCode message)
{
    ModuleContext context(&module);
    return module.entryPoint(message, &module);
}

void ModuleLoader::addObserver(ModuleObserver* observer)
{
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void ModuleLoader::removeObserver(ModuleObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace arx::rx

using arx::rx::ModuleLoader;

bool acrxLockApplication(void* appId)
{
    auto* module = ModuleLoader::instance().fromAppId(appId);
    if (module == nullptr) return false;
    module->locked = true;
    return true;
}

bool acrxUnlockApplication(void* appId)
{
    auto* module = ModuleLoader::instance().fromAppId(appId);
    if (module == nullptr) return false;
    module->locked = false;
    return true;
}

bool acrxApplicationIsLocked(const char* modName)
{
    auto* module = modName ? ModuleLoader::instance().findByName(modName) : nullptr;
    return module != nullptr && module->locked;
}

bool acrxRegisterAppMDIAware(void* appId)
{
    auto* module = ModuleLoader::instance().fromAppId(appId);
    if (module == nullptr) return false;
    module->mdiAware = true;
    return true;
}

bool acrxRegisterAppNotMDIAware(void* appId)
{
    auto* module = ModuleLoader::instance().fromAppId(appId);
    if (module == nullptr) return false;
    module->mdiAware = false;
    return true;
}

bool acrxIsAppMDIAware(const char* moduleName)
{
    auto* module = moduleName ? ModuleLoader::instance().findByName(moduleName) : nullptr;
    return module != nullptr && module->mdiAware;
}
