#include "host.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include <win32standin.h>

#include "ap/document_databases.h"
#include "ap/demand_loader.h"
#include "ap/document_manager.h"
#include "ap/lisp_wiring.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "ed/standard_sysvars.h"
#include "host_command_sets.h"
#include "rx/module_loader.h"

namespace arx::host {

bool parseCommandLine(int argc, char** argv, HostOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (arg == "--registry") {
            if (!value(options.registryFolder)) return false;
        } else if (arg == "--load") {
            std::string module;
            if (!value(module)) return false;
            options.modules.push_back(module);
        } else if (arg == "--script") {
            if (!value(options.script)) return false;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (options.drawing.empty()) {
            options.drawing = arg;
        } else {
            error = "only one drawing may be given";
            return false;
        }
    }
    return true;
}

namespace {

void initialiseOnce()
{
    static bool done = false;
    if (done) return;
    done = true;
    ed::defineStandardSysVars();
    ap::wireDocumentDatabases();
    ap::wireAutoLisp();
    ed::CommandProcessor::instance().hooks().demandLoad = [](const std::string& name) {
        return ap::DemandLoader::instance().loadForCommand(name);
    };
    defineHostCommands();
    // The headless viewers of the Win32 layer (HTML help) speak on the command line.
    Win32SetViewerOutput([](const char* text) {
        ed::Console::instance().ensureLineStart();
        ed::Console::instance().write(text);
    });
}

}  // namespace

void startHost(const HostOptions& options)
{
    if (!options.registryFolder.empty()) Win32SetRegistryFolder(options.registryFolder.c_str());
    initialiseOnce();
    ap::ensureHostKeys();
    ap::DemandLoader::instance().loadAtStartup();
    for (const std::string& module : options.modules) {
        std::string error;
        if (!rx::ModuleLoader::instance().load(module, error)) say(error);
    }
    auto& documents = ap::DocumentManager::instance();
    if (!options.drawing.empty()) {
        std::string error;
        if (documents.openDocument(options.drawing, error) == nullptr) {
            say(error);
            documents.newDocument();
        }
    } else {
        documents.newDocument();
    }
}

void runScriptText(const std::string& text)
{
    ed::ScriptInput script(text);
    ed::InputScope scope(&script);
    ed::CommandProcessor::instance().runCommandLoop();
}

void runHost(const HostOptions& options)
{
    if (!options.script.empty()) {
        std::ifstream in(options.script, std::ios::binary);
        if (!in) {
            say("Cannot open the script file " + options.script + ".");
            return;
        }
        std::ostringstream text;
        text << in.rdbuf();
        runScriptText(ed::utf8ToAnsi(text.str()));
        return;
    }
    ed::TypedInput typed(std::cin);
    ed::InputScope scope(&typed);
    ed::CommandProcessor::instance().runCommandLoop();
}

void stopHost()
{
    ap::DocumentManager::instance().closeAll();
    rx::ModuleLoader::instance().unloadAll();
    ed::CommandProcessor::instance().resetQuit();
}

}  // namespace arx::host
