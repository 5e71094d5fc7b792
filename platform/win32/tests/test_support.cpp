#include "test_support.h"

#include <unistd.h>
#include <win32standin.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace win32test {

TempFolder::TempFolder()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/win32test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

ScopedRegistry::ScopedRegistry() { Win32SetRegistryFolder(folder_.path().c_str()); }

ScopedRegistry::~ScopedRegistry() { Win32SetRegistryFolder(nullptr); }

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

bool waitForFile(const std::string& path)
{
    for (int i = 0; i < 1000; ++i) {
        if (fileExists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string listFolder(const std::string& path)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
        names.insert(entry.path().filename().string());
    }
    std::string list;
    for (const std::string& name : names) list += name + " ";
    return list;
}

std::string binFolder()
{
    const char* folder = std::getenv("KESTRA_BIN_DIR");
    return folder != nullptr ? folder : ".";
}

}  // namespace win32test
