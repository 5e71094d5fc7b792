// _splitpath as the Windows runtime splits: "X:" drive, folder up to the last "\" or "/",
// name, and extension from the last "." of the name.
#include <win32crt.h>

#include <string_view>

#include "../ansi_text.h"

extern "C" void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    std::string_view rest = path == nullptr ? std::string_view() : std::string_view(path);
    std::string_view drivePart;
    if (rest.size() >= 2 && rest[1] == ':') {
        drivePart = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    const size_t lastSeparator = rest.find_last_of("\\/");
    const std::string_view folder =
        lastSeparator == std::string_view::npos ? std::string_view() : rest.substr(0, lastSeparator + 1);
    const std::string_view name = lastSeparator == std::string_view::npos ? rest : rest.substr(lastSeparator + 1);
    const size_t dot = name.rfind('.');
    const std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    win32::copyTruncated(drivePart, drive, _MAX_DRIVE);
    win32::copyTruncated(folder, dir, _MAX_DIR);
    win32::copyTruncated(base, fname, _MAX_FNAME);
    win32::copyTruncated(extension, ext, _MAX_EXT);
}
