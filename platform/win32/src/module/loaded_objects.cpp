#include "loaded_objects.h"

#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace win32 {
namespace {

uintptr_t firstSegmentAddress(const dl_phdr_info& info)
{
    uintptr_t lowest = UINTPTR_MAX;
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info.dlpi_phdr[i];
        if (header.p_type == PT_LOAD && header.p_vaddr < lowest) lowest = header.p_vaddr;
    }
    if (lowest == UINTPTR_MAX) lowest = 0;
    const uintptr_t pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    return (info.dlpi_addr + lowest) & ~(pageSize - 1);
}

// The file mapped at an address, from /proc/self/maps (absolute even when the object was
// loaded by a relative name).
std::string fileMappedAt(uintptr_t address)
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        unsigned long start = 0, end = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx", &start, &end) != 2) continue;
        if (address < start || address >= end) continue;
        const size_t slash = line.find('/');
        return slash == std::string::npos ? std::string() : line.substr(slash);
    }
    return {};
}

int collect(dl_phdr_info* info, size_t, void* data)
{
    auto* objects = static_cast<std::vector<LoadedObject>*>(data);
    const bool isMainProgram = objects->empty();
    std::string path = info->dlpi_name == nullptr ? std::string() : info->dlpi_name;
    if (path.empty() && !isMainProgram) return 0;  // nothing a caller could name
    const uintptr_t base = firstSegmentAddress(*info);
    if (isMainProgram) {
        path = mainProgramPath();
    } else if (path.front() != '/') {
        const std::string mapped = fileMappedAt(base);
        if (!mapped.empty()) path = mapped;
    }
    objects->push_back(LoadedObject{base, path});
    return 0;
}

}  // namespace

std::vector<LoadedObject> loadedObjects()
{
    std::vector<LoadedObject> objects;
    dl_iterate_phdr(collect, &objects);
    return objects;
}

std::string mainProgramPath()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    return std::string(path, static_cast<size_t>(length));
}

}  // namespace win32
