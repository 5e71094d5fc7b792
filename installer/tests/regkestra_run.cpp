#include "regkestra_run.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <win32standin.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace regkestra_test {
namespace fs = std::filesystem;

namespace {

std::string builtFile(const std::string& name)
{
    const char* folder = std::getenv("KESTRA_BIN_DIR");
    return std::string(folder != nullptr ? folder : ".") + "/" + name;
}

std::vector<std::string> environmentFor(const RegKestraWorld& world)
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        if (text.rfind("ARXHOST_REGISTRY=", 0) == 0 || text.rfind("TMPDIR=", 0) == 0) continue;
        variables.push_back(text);
    }
    variables.push_back("ARXHOST_REGISTRY=" + world.registryFolder());
    variables.push_back("TMPDIR=" + world.temporaryFolder());
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

RegKestraWorld::RegKestraWorld()
{
    std::string pattern = fs::temp_directory_path().string() + "/regkestra-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    chmod(root_.c_str(), 0755);  // an unprivileged run must reach the folders below
    for (const std::string& folder : {programFolder(), registryFolder(), temporaryFolder(), workingFolder()}) {
        fs::create_directory(folder);
    }
    for (const char* file : {"RegKestra", "libwin32.so"}) {
        fs::copy_file(builtFile(file), programFolder() + "/" + file);
    }
}

RegKestraWorld::~RegKestraWorld()
{
    std::error_code ignored;
    fs::permissions(programFolder(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
}

int RegKestraWorld::run(const std::vector<std::string>& arguments, const RunOptions& options)
{
    std::vector<std::string> argv;
    if (options.unprivileged) {
        argv = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    argv.push_back(programFolder() + "/RegKestra");
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = environmentFor(*this);
    std::vector<char*> argvPointers = pointersTo(argv);
    std::vector<char*> environmentPointers = pointersTo(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder().c_str());
    pid_t child = 0;
    const int error =
        posix_spawnp(&child, argvPointers.front(), &actions, nullptr, argvPointers.data(), environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

std::string RegKestraWorld::log() const { return readFile(programFolder() + "/RegKestra.log"); }

std::string RegKestraWorld::logAfterHeader() const
{
    const std::string text = log();
    const size_t end = text.find(" \n\n");
    return end == std::string::npos ? "<no header>" : text.substr(end + 3);
}

std::string RegKestraWorld::trace() const { return readFile(programFolder() + "/TEMPTXT.log"); }

std::string machineWithProducts(const std::string& releaseKey, const std::vector<std::string>& products)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD]\r\n\"CurVer\"=\"" + releaseKey + "\"\r\n\r\n";
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\" + releaseKey + "]\r\n";
    if (!products.empty()) text += "\"CurVer\"=\"" + products.front() + "\"\r\n";
    for (const std::string& product : products) {
        text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\" + releaseKey + "\\" + product + "]\r\n";
        text += "\"ProductName\"=\"Host " + product + "\"\r\n";
    }
    return text;
}

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

bool fileExists(const std::string& path) { return fs::exists(path); }

namespace {

bool queryMachine(const std::string& folder, const std::string& key, const std::string& name, DWORD* type,
                  std::string* data)
{
    Win32SetRegistryFolder(folder.c_str());
    HKEY handle = nullptr;
    bool found = false;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
        DWORD size = 0;
        if (RegQueryValueExA(handle, name.c_str(), nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
            data->resize(size);
            found = RegQueryValueExA(handle, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data->data()),
                                     &size) == ERROR_SUCCESS;
        }
        RegCloseKey(handle);
    }
    Win32SetRegistryFolder(nullptr);
    return found;
}

}  // namespace

std::string machineString(const std::string& folder, const std::string& key, const std::string& name)
{
    DWORD type = 0;
    std::string data;
    if (!queryMachine(folder, key, name, &type, &data)) return "<missing>";
    if (type != REG_SZ || data.empty() || data.back() != '\0') return "<not a REG_SZ with its NUL>";
    data.pop_back();
    return data;
}

long long machineDword(const std::string& folder, const std::string& key, const std::string& name)
{
    DWORD type = 0;
    std::string data;
    if (!queryMachine(folder, key, name, &type, &data) || type != REG_DWORD || data.size() != 4) return -1;
    DWORD value = 0;
    data.copy(reinterpret_cast<char*>(&value), 4);
    return value;
}

}  // namespace regkestra_test
