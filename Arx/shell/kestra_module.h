// The module-wide state: created at the initialise-application message, freed at unload.
// Everything the module keeps between messages, commands and notifications lives here.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "assoc/working_lists.h"
#include "settings/settings_flags.h"

class AcRxObject;

namespace kestra {

class DocumentRegistry;
class DocumentRegistryReactor;
class LayoutReactor;
class MsvEditorReactor;
class KestraProfileReactor;
class SplashWindow;

// Deletes the splash window where its class is known, so that this header stays free of the
// window classes.
struct SplashWindowDeleter {
    void operator()(SplashWindow* window) const;
};

constexpr const char* kVersionText = "15.06.04.05 2004/03/04";
constexpr const char* kCommandGroup = "VADU_KESTRA";
constexpr const char* kMenuGroup = "Kestra";

struct KestraModule {
    KestraModule();
    ~KestraModule();
    KestraModule(const KestraModule&) = delete;
    KestraModule& operator=(const KestraModule&) = delete;

    KestraSettings settings;

    // One record per open document; its reactor follows the host's document manager.
    std::unique_ptr<DocumentRegistry> documents;
    std::unique_ptr<DocumentRegistryReactor> documentReactor;

    // Each reactor is null until created and again once deleted, so a second teardown
    // finds nothing to remove.
    std::unique_ptr<MsvEditorReactor> editorReactor;
    std::unique_ptr<LayoutReactor> layoutReactor;
    std::unique_ptr<KestraProfileReactor> profileReactor;
    std::unique_ptr<SplashWindow, SplashWindowDeleter> splashWindow;
    bool commandsAdded = false;

    bool silentMode = false;

    // Viewports and block references copied during the current command, whatever the
    // document; the editor reactor strips their association when the command ends.
    IdQueue copiedObjects;

    // Found when the module registers itself for demand loading; empty when the module's
    // file could not be found by its name.
    std::string modulePath;
    std::string moduleFolder;  // with its trailing separator
    std::string moduleFileName;

    // The host's current product key, found once by the aerial-view query.
    std::optional<std::string> hostProductKey;
};

// The module state, or null before initialisation and after unload.
KestraModule* kestraModule();
// Creates the module state; an existing one is kept and returned.
KestraModule& createKestraModule();
void destroyKestraModule();

}  // namespace kestra
