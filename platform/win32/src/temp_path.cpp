// GetTempPathA: $TMPDIR, else /tmp/, with a trailing slash.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder = fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp/";
    if (folder.back() != '/') folder.push_back('/');
    // As on Windows: a buffer too small gets nothing, and the size needed with its NUL is returned.
    if (lpBuffer == nullptr || nBufferLength <= folder.size()) {
        return static_cast<DWORD>(folder.size() + 1);
    }
    std::memcpy(lpBuffer, folder.c_str(), folder.size() + 1);
    return static_cast<DWORD>(folder.size());
}
