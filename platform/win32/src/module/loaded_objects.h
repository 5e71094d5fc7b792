// The shared objects loaded in this process, as the dynamic linker lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

struct LoadedObject {
    // Address of the object's first loaded segment: what an HMODULE is on Windows, stable for as
    // long as the object stays loaded.
    uintptr_t base = 0;
    std::string path;  // absolute path of the file
};

// The main program first, then every loaded shared object.
std::vector<LoadedObject> loadedObjects();

// Absolute path of the main program.
std::string mainProgramPath();

}  // namespace win32
