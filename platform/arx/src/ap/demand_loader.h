// The host's release and product keys, and demand loading from the registry: each
// application under "<product key>\Applications" names its LOADCTRLS and, through REGPATH,
// its own key with "Loader\MODULE" and "Commands".
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace arx::ap {

struct ProductIdentity {
    static constexpr const char* kRootKey = "SOFTWARE\\Autodesk\\AutoCAD";
    static constexpr const char* kReleaseKey = "R15.0";
    static constexpr const char* kProductKey = "ACAD-1:409";
    // "SOFTWARE\Autodesk\AutoCAD\R15.0\ACAD-1:409"
    static std::string productPath();
};

// Creates the host's own keys in HKEY_LOCAL_MACHINE when they are missing, as the host's
// installation does: CurVer of the root and of the release key, the product key and its
// Applications key.
void ensureHostKeys();

struct DemandLoadEntry {
    std::string logicalName;
    unsigned loadCtrls = 0;
    std::string modulePath;             // "Loader\MODULE" of its own key, empty when absent
    std::vector<std::string> commands;  // the global names under "Commands"
};

class DemandLoader {
public:
    static DemandLoader& instance();

    std::vector<DemandLoadEntry> entries() const;
    // Loads every application registered to load at start-up.
    void loadAtStartup();
    // Loads the application that lists this command; true when a module was loaded.
    bool loadForCommand(const std::string& globalName);
    // Loads an application by its logical name (load request).
    bool loadByName(const std::string& logicalName, bool fromCommand);
    // Loads the application of a custom class found in a drawing (proxy detection).
    bool loadForClassApplication(const std::string& appName);

private:
    bool load(const DemandLoadEntry& entry);
};

}  // namespace arx::ap
