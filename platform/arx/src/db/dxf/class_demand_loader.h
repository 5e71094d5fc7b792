// Demand loading of custom classes met in a drawing: when the CLASSES section of a drawing
// being read lists a class that is not registered, the reader asks the host to load the
// application named in the class entry (group 3) before it reads any object, so that the
// class's objects come in as themselves rather than as proxies. The host installs the loader
// (the demand loader loads applications registered with LOADCTRLS bit 1, "on proxy
// detection"); without one, such objects are kept as proxies.
#pragma once
#include <functional>
#include <string>

namespace arx::db {

// True when the application was loaded. Called at most once per application name and read.
using ClassDemandLoader = std::function<bool(const std::string& appName)>;

// Installs the loader (an empty function removes it); returns the one installed before.
ClassDemandLoader setClassDemandLoader(ClassDemandLoader loader);
const ClassDemandLoader& classDemandLoader();

}  // namespace arx::db
