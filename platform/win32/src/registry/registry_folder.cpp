#include "registry_folder.h"

#include <pwd.h>
#include <unistd.h>
#include <win32standin.h>

#include <cstdlib>
#include <mutex>

#include "../atomic_file.h"

namespace win32::registry {
namespace {

std::mutex folderMutex;
std::string explicitFolder;  // set by Win32SetRegistryFolder
std::string reportedFolder;  // the text handed out by Win32RegistryFolder
std::string createdFolder;   // the folder last made sure to exist

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return "/tmp";
}

std::string withoutTrailingSlashes(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string chooseFolder()
{
    if (!explicitFolder.empty()) return explicitFolder;
    if (const char* fromEnvironment = std::getenv("ARXHOST_REGISTRY");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return withoutTrailingSlashes(fromEnvironment);
    }
    return homeFolder() + "/.arxhost/registry";
}

}  // namespace

std::string currentRegistryFolder()
{
    std::lock_guard lock(folderMutex);
    std::string folder = chooseFolder();
    // Creating it once per folder keeps the per-call cost to choosing the name; a hive write
    // creates it again should it have been removed meanwhile.
    if (folder != createdFolder && createFolders(folder) == 0) createdFolder = folder;
    return folder;
}

}  // namespace win32::registry

extern "C" void Win32SetRegistryFolder(const char* dir)
{
    std::lock_guard lock(win32::registry::folderMutex);
    win32::registry::explicitFolder = dir == nullptr ? std::string() : win32::registry::withoutTrailingSlashes(dir);
}

extern "C" const char* Win32RegistryFolder(void)
{
    std::string folder = win32::registry::currentRegistryFolder();
    std::lock_guard lock(win32::registry::folderMutex);
    if (folder != win32::registry::reportedFolder) win32::registry::reportedFolder = folder;
    return win32::registry::reportedFolder.c_str();
}
