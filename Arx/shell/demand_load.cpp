#include "shell/demand_load.h"

#include <cstring>

#include "rxregsvc.h"
#include "shell/kestra_module.h"
#include "windows.h"

namespace kestra {

namespace {

constexpr int kRegistrationKeyLevel = 2;
constexpr DWORD kModulePathLimit = 512;

// A key created (or opened) for writing; closed at the latest when the holder goes.
class CreatedKey {
public:
    CreatedKey(HKEY parent, const char* name, long& lastStatus)
    {
        DWORD disposition = 0;
        lastStatus =
            RegCreateKeyExA(parent, name, 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key_, &disposition);
        if (lastStatus != ERROR_SUCCESS) key_ = nullptr;
    }
    ~CreatedKey() { close(); }
    CreatedKey(const CreatedKey&) = delete;
    CreatedKey& operator=(const CreatedKey&) = delete;

    HKEY get() const { return key_; }
    void close()
    {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

long writeText(HKEY key, const char* name, const char* text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

AcadApp::LoadReasons asLoadReasons(int flags) { return static_cast<AcadApp::LoadReasons>(flags); }

void recordModulePath(KestraModule& module)
{
    HMODULE handle = GetModuleHandleA(kModuleFileName);
    if (handle == nullptr) return;
    char path[kModulePathLimit + 1] = "";
    DWORD length = GetModuleFileNameA(handle, path, sizeof path);
    if (length == 0 || length > kModulePathLimit) return;  // missing, or cut short
    module.modulePath.assign(path, length);
    ModulePathParts parts = splitModulePath(module.modulePath);
    module.moduleFolder = parts.folder;
    module.moduleFileName = parts.fileName;
}

long writeDescription(HKEY kestraKey, const std::string& modulePath)
{
    long status = ERROR_SUCCESS;
    {
        CreatedKey groups(kestraKey, "Groups", status);
        if (groups.get()) status = writeText(groups.get(), "Kestra", "Kestra");
    }
    {
        CreatedKey commands(kestraKey, "Commands", status);
        if (commands.get())
            for (const char* name : describedCommandNames()) status = writeText(commands.get(), name, name);
    }
    {
        CreatedKey loader(kestraKey, "Loader", status);
        if (loader.get() && !modulePath.empty()) status = writeText(loader.get(), "MODULE", modulePath.c_str());
    }
    {
        CreatedKey registration(kestraKey, "Registration", status);  // created empty
    }
    return status;
}

}  // namespace

const std::array<const char*, 28>& describedCommandNames()
{
    static const std::array<const char*, 28> names = {
        "KSMAKE",    "KS1",       "KSREFRESH", "KS2",    "KSLIST", "KSSCALE", "KS3",       "KSPLAN", "KS4",    "KSUCS",
        "KS5",       "KSVIEWUCS", "KS6",       "KSMENU", "KS7",    "KSMENU?", "KSLIST",    "KS8",    "KSHELP", "KS?",
        "KSVERSION", "KS9",       "KSABOUT",   "KSLOGO", "KSGOTO", "KS10",    "KSOPTIONS", "KS11",
    };
    return names;
}

ModulePathParts splitModulePath(const std::string& fullPath)
{
    size_t separator = fullPath.find_last_of("/\\");
    if (separator == std::string::npos) return {"", fullPath};
    return {fullPath.substr(0, separator + 1), fullPath.substr(separator + 1)};
}

long registerDemandLoad(KestraModule& module)
{
    acrxRegisterApp(asLoadReasons(kLoadAtEveryOccasion), kApplicationName, kRegistrationPath, kRegistrationKeyLevel,
                    false);
    recordModulePath(module);
    return writeDescriptionKey(module.modulePath);
}

long writeDescriptionKey(const std::string& modulePath)
{
    long status = ERROR_SUCCESS;
    CreatedKey parent(HKEY_LOCAL_MACHINE, kRegistrationPath, status);
    if (parent.get() == nullptr) return status;
    CreatedKey kestra(parent.get(), kApplicationName, status);
    parent.close();
    if (kestra.get() == nullptr) return status;

    status = writeDescription(kestra.get(), modulePath);
    CreatedKey name(kestra.get(), "Name", status);
    kestra.close();
    if (name.get() == nullptr) return status;
    writeText(name.get(), "Kestra", "Kestra Viewport Marks");
    return writeText(name.get(), "Makers", "Zentrel.");
}

bool setDemandLoadFlags(int flags)
{
    return acrxRegisterApp(asLoadReasons(flags), kApplicationName, kRegistrationPath, kRegistrationKeyLevel, false) ==
           AcadApp::eOk;
}

}  // namespace kestra
