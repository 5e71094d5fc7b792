#include "registry_call.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "registry_folder.h"
#include "win32standin.h"

namespace win32::registry {
namespace {

constexpr int kRootCount = 4;

struct RegistryState {
    std::mutex mutex;
    HiveFile hives[kRootCount] = {HiveFile("HKEY_CLASSES_ROOT"), HiveFile("HKEY_CURRENT_USER"),
                                  HiveFile("HKEY_LOCAL_MACHINE"), HiveFile("HKEY_USERS")};
    KeyHandles handles;
    // The registry folder locked for deferred changes, or -1 when every change is written at once.
    int changesLock = -1;
};

// Never destroyed: registry calls made while the process exits still find it.
RegistryState& state()
{
    static RegistryState* registry = new RegistryState;
    return *registry;
}

int predefinedRoot(HKEY handle)
{
    const auto value = reinterpret_cast<uintptr_t>(handle);
    const auto first = reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT);
    return value >= first && value < first + kRootCount ? static_cast<int>(value - first) : -1;
}

int lockFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
    return fd;
}

}  // namespace

RegistryCall::RegistryCall(bool changesHive) : lock_(state().mutex), folder_(currentRegistryFolder())
{
    // Deferred changes hold the folder lock already; a second lock of the same folder would
    // wait for the first.
    if (changesHive && state().changesLock < 0) folderLock_ = lockFolder(folder_);
}

RegistryCall::~RegistryCall()
{
    if (folderLock_ >= 0) close(folderLock_);  // closing releases the lock
}

LONG RegistryCall::resolve(HKEY handle, Target* target)
{
    const int root = predefinedRoot(handle);
    if (root >= 0) {
        target->root = root;
        target->access = KEY_ALL_ACCESS;
        target->predefined = true;
    } else {
        const OpenKey* open = state().handles.find(handle);
        if (open == nullptr) return ERROR_INVALID_HANDLE;
        target->root = open->root;
        target->path = open->path;
        target->access = open->access;
    }
    target->hive = &state().hives[target->root];
    if (const LONG status = target->hive->refresh(folder_); status != ERROR_SUCCESS) return status;
    target->key = findKey(target->hive->root(), target->path);
    return target->key == nullptr ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

HKEY RegistryCall::addHandle(const Target& target, KeyPath path, REGSAM access)
{
    return state().handles.add(OpenKey{target.root, std::move(path), access});
}

bool closeHandle(HKEY handle)
{
    if (predefinedRoot(handle) >= 0) return true;
    std::lock_guard lock(state().mutex);
    return state().handles.remove(handle);
}

LONG parseSubKey(LPCSTR subKey, KeyPath* names)
{
    names->clear();
    if (subKey == nullptr || *subKey == '\0') return ERROR_SUCCESS;
    const std::string_view path(subKey);
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end == start) return ERROR_BAD_PATHNAME;
        names->emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

LONG copyValueData(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size)
{
    if (size == nullptr) return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(data.size());
    if (buffer != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (buffer != nullptr && needed > 0) std::memcpy(buffer, data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

bool storableName(std::string_view name) { return name.find_first_of("\r\n") == name.npos; }

REGSAM grantedAccess(REGSAM desired, const HiveFile& hive)
{
    if ((desired & MAXIMUM_ALLOWED) != 0) return hive.writable() ? KEY_ALL_ACCESS : KEY_READ;
    return desired;
}

bool asksToWrite(REGSAM desired) { return (desired & MAXIMUM_ALLOWED) == 0 && (desired & kWriteRights) != 0; }

}  // namespace win32::registry

using win32::registry::state;

extern "C" LONG Win32BeginRegistryChanges(void)
{
    std::lock_guard lock(state().mutex);
    if (state().changesLock >= 0) return ERROR_INVALID_FUNCTION;
    const int folderLock = win32::registry::lockFolder(win32::registry::currentRegistryFolder());
    if (folderLock < 0) return ERROR_PATH_NOT_FOUND;
    state().changesLock = folderLock;
    for (win32::registry::HiveFile& hive : state().hives) hive.deferWrites();
    return ERROR_SUCCESS;
}

extern "C" LONG Win32CommitRegistryChanges(void)
{
    std::lock_guard lock(state().mutex);
    if (state().changesLock < 0) return ERROR_INVALID_FUNCTION;
    LONG result = ERROR_SUCCESS;
    for (win32::registry::HiveFile& hive : state().hives) {
        const LONG status = hive.commit();
        if (result == ERROR_SUCCESS) result = status;
    }
    close(state().changesLock);  // closing releases the lock
    state().changesLock = -1;
    return result;
}

extern "C" void Win32DiscardRegistryChanges(void)
{
    std::lock_guard lock(state().mutex);
    if (state().changesLock < 0) return;
    for (win32::registry::HiveFile& hive : state().hives) hive.discard();
    close(state().changesLock);
    state().changesLock = -1;
}
