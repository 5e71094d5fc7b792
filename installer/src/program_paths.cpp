#include "program_paths.h"

#include <sys/stat.h>
#include <win32crt.h>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace regkestra {
namespace {

std::string folderPartOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::optional<std::string> moduleFileName()
{
    std::vector<char> path(4096);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return std::nullopt;
    return std::string(path.data(), length);
}

}  // namespace

std::string programFolder(const char* firstCommandWord)
{
    if (const std::optional<std::string> file = moduleFileName()) return folderPartOf(*file);
    return firstCommandWord != nullptr ? folderPartOf(firstCommandWord) : std::string();
}

std::optional<std::string> iniPathFor(const std::string& name, const std::string& programFolder)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(name.c_str(), drive, dir, fname, ext);
    if (fname[0] == '\0' || ext[0] == '\0') return std::nullopt;
    const bool fromRoot = !name.empty() && name.front() == '/';
    const bool hasDrive = drive[0] != '\0' || fromRoot;
    const bool hasFolder = dir[0] != '\0' || fromRoot;
    if (hasDrive && hasFolder) return name;
    return programFolder + fname + ext;
}

bool isReadableFile(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace regkestra
