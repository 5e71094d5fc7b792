// What the association benchmarks share: a scratch folder for the registry and drawings, the
// stand-in host started once in this process with the module's classes and state, and the
// program's end.
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "acdb.h"
#include "aced.h"
#include "acdocman.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/msv_editor_reactor.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "host.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

namespace benchhost {

inline std::filesystem::path scratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("kestra-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Starts the host once; the command line goes to `sink` (it is not what is measured).
inline kestra::KestraModule& startHostOnce(std::function<void(std::string_view)> sink = [](std::string_view) {})
{
    static bool started = false;
    if (!started) {
        started = true;
        arx::ed::Console::instance().setSink(std::move(sink));
        arx::host::HostOptions options;
        options.registryFolder = scratchFolder().string();
        arx::host::startHost(options);
        kestra::registerMarkClass();
        kestra::registerPersistentReactorClass();
        acrxBuildClassHierarchy();
        kestra::KestraModule& module = kestra::createKestraModule();
        module.documents = std::make_unique<kestra::DocumentRegistry>(curDoc());
        module.settings.auditAlert = false;
    }
    return *kestra::kestraModule();
}

inline AcDbObjectId blockNamed(AcDbDatabase* db, const char* name)
{
    kestra::ObjectOpener<AcDbBlockTable> table(db->blockTableId(), AcDb::kForRead);
    AcDbObjectId id;
    table->getAt(name, id);
    return id;
}

inline int runBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // A benchmark may have attached the module's editor reactor: it goes before the host.
    if (kestra::KestraModule* module = kestra::kestraModule(); module && module->editorReactor)
        acedEditor->removeReactor(module->editorReactor.get());
    arx::host::stopHost();
    std::error_code ignored;
    std::filesystem::remove_all(scratchFolder(), ignored);
    return 0;
}

}  // namespace benchhost
