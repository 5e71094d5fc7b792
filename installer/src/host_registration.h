// Registration with the host: for every product key of a release (each installed product and
// language), the host-side demand-load values of Kestra2000.
#pragma once

#include <string>

#include "install_log.h"

namespace regkestra {

// Load Kestra2000 on proxy detection, at start-up, on command and on request.
constexpr unsigned kLoadControls = 15;

// "\\HKEY_LOCAL_MACHINE\Software\Zentrel\AutoCAD\<release number>\Kestra"
std::string registrationPathFor(const std::string& releaseNumber);

// Writes LOADCTRLS and REGPATH to "SOFTWARE\Autodesk\AutoCAD\<release key>\<product>
// \Applications\Kestra" for every product key, logging each failure and tracing each value
// written. True when every write succeeded; a release without product keys counts as success,
// a release key that cannot be opened as failure.
bool registerWithHost(InstallLog& log, const std::string& releaseKey, const std::string& regPath,
                      unsigned loadControls);

}  // namespace regkestra
