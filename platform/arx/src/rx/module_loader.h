// The dynamic linker: loads modules with dlopen, sends them the application messages and
// keeps their lock and MDI-aware flags. The application identifier a module receives is its
// Module record.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rxdefs.h"
#include "rxregsvc.h"

namespace arx::rx {

struct Module {
    std::string path;      // as loaded (absolute)
    std::string fileName;  // its base name, e.g. "Kestra2000.arx"
    void* handle = nullptr;
    AcRxEntryPointFn entryPoint = nullptr;
    bool locked = false;
    bool mdiAware = false;
    bool initialised = false;
};

class ModuleObserver {
public:
    virtual ~ModuleObserver() = default;
    virtual void moduleLoaded(Module&) {}
    virtual void moduleUnloading(Module&) {}
};

class ModuleLoader {
public:
    static ModuleLoader& instance();

    // Loads and initialises a module; on failure returns null and says why in `error`.
    Module* load(const std::string& fileName, std::string& error);
    // Unloads a module; a locked one stays unless `atExit`.
    bool unload(Module& module, bool atExit);
    // Unloads every module, newest first (the host's exit).
    void unloadAll();

    AcRx::AppRetCode send(Module& module, AcRx::AppMsgCode message);
    // The module whose entry point runs now, or null.
    Module* current() const { return current_; }
    Module* swapCurrent(Module* module);
    Module* fromAppId(const void* appId) const;
    Module* findByName(const std::string& fileName) const;
    const std::vector<std::unique_ptr<Module>>& modules() const { return modules_; }

    void addObserver(ModuleObserver* observer);
    void removeObserver(ModuleObserver* observer);

private:
    std::string resolve(const std::string& fileName) const;
    std::vector<std::unique_ptr<Module>> modules_;
    std::vector<ModuleObserver*> observers_;
    Module* current_ = nullptr;
};

// While alive, makes `module` the current one (calls into a module run in its context).
class ModuleContext {
public:
    explicit ModuleContext(Module* module);
    ~ModuleContext();
    ModuleContext(const ModuleContext&) = delete;
    ModuleContext& operator=(const ModuleContext&) = delete;

private:
    Module* previous_;
};

}  // namespace arx::rx
