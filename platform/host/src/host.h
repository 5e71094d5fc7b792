// arxhost: the program that hosts ObjectARX modules. Start-up as the host does it, the
// command loop on typed input or a script, and the host's own commands. Tests drive the
// same host in-process through this interface.
#pragma once
#include <string>
#include <vector>

namespace arx::host {

struct HostOptions {
    std::string registryFolder;        // empty: ARXHOST_REGISTRY or the default folder
    std::vector<std::string> modules;  // --load, in order
    std::string script;                // --script FILE
    std::string drawing;               // DRAWING.dxf
};

// Parses the command line; false with `error` set when it is not of the documented form.
bool parseCommandLine(int argc, char** argv, HostOptions& options, std::string& error);

// Start-up: registry, host keys, start-up demand loading, --load modules, the drawing.
void startHost(const HostOptions& options);
// Runs the script (options.script) or standard input until it ends or QUIT.
void runHost(const HostOptions& options);
// Exit: closes the documents and unloads every module.
void stopHost();

// Runs script text as a script file would run (for tests).
void runScriptText(const std::string& text);

// Defines the host's own commands (QUIT, NEW, OPEN, SAVEAS, CLOSE, ARX, ...).
void defineHostCommands();

}  // namespace arx::host
