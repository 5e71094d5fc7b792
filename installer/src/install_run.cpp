#include <win32standin.h>
#include <windows.h>

#include <string>
#include <vector>

#include "arguments.h"
#include "host_registration.h"
#include "ini_copy.h"
#include "install_log.h"
#include "install_run.h"
#include "program_paths.h"

namespace regkestra {
namespace {

const std::vector<std::string> kKnownReleaseNumbers = {"14.0", "15.0", "16.0"};

void registerOnly(InstallLog& log, const Arguments& arguments)
{
    const bool registered =
        registerWithHost(log, arguments.releaseKey, registrationPathFor(arguments.releaseNumber), kLoadControls);
    log.outcome(registered, "Installation Successful (1)\n\n", "Error -- AutoCAD registry (1)\n\n");
}

void installFromIni(InstallLog& log, const Arguments& arguments, const std::string& folder)
{
    const std::optional<std::string> iniPath = iniPathFor(arguments.iniName, folder);
    if (!iniPath || !isReadableFile(*iniPath)) {
        log.message("(INI) file not found\n\n");
        return;
    }
    const std::string version = readIniVersion(*iniPath);
    if (version.empty()) {
        log.message("Release number not found\n\n");
        return;
    }
    if (version.size() <= 4) {
        log.message("Incorrect release number\n\n");
        return;
    }
    const std::string releaseKey = upperCase(version.substr(0, 5));
    const std::string releaseNumber = version.substr(1, 4);
    bool known = false;
    for (const std::string& number : kKnownReleaseNumbers) known = known || number == releaseNumber;
    if (!known) {
        log.message("Unknown release number\n\n");
        return;
    }
    const bool registered = registerWithHost(log, releaseKey, registrationPathFor(releaseNumber), kLoadControls);
    log.outcome(registered, "Installation Successful (2)\n\n", "Error -- AutoCAD registry (2)\n\n");
    const std::vector<std::string> keys = readIniKeyList(*iniPath);
    if (keys.empty()) {
        log.message("Keys not found in (INI) file.\n\n");
        return;
    }
    // A copy that could not write everything says so instead of claiming success.
    const bool copied = copyIniKeys(log, *iniPath, releaseNumber, keys);
    log.outcome(copied, "Registration Successful\n\n", "Error -- Registration failed\n\n");
}

}  // namespace

void runRegKestra(int argc, const char* const* argv)
{
    const std::string folder = programFolder(argc > 0 ? argv[0] : nullptr);
    InstallLog log(folder);
    log.writeHeader();
    const Arguments arguments = parseArguments(argc, argv);
    const bool deferred = Win32BeginRegistryChanges() == ERROR_SUCCESS;
    switch (arguments.request) {
    case Request::WrongArgumentCount: log.message("Error -- Incorrect number of parameters\n\n"); break;
    case Request::TooShort: log.message("Error -- Incorrect parameter\n\n"); break;
    case Request::Unknown: break;
    case Request::Register: registerOnly(log, arguments); break;
    case Request::InstallFromIni: installFromIni(log, arguments, folder); break;
    }
    if (deferred && Win32CommitRegistryChanges() != ERROR_SUCCESS) log.registryNotWritten();
}

}  // namespace regkestra
