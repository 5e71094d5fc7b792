#include "shell/shell_execute.h"

#include "settings/registry_values.h"
#include "win32crt.h"
#include "windows.h"

namespace kestra {

namespace {

constexpr INT_PTR kShellSuccessAbove = 32;

std::string extensionOf(const char* path)
{
    char extension[_MAX_EXT] = "";
    _splitpath(path, nullptr, nullptr, nullptr, extension);
    return extension;
}

// The "open" command line registered for an extension, or nothing.
std::optional<std::string> registeredOpenCommand(const std::string& extension)
{
    if (extension.empty()) return std::nullopt;
    std::optional<std::string> fileType = readRegistryString(HKEY_CLASSES_ROOT, extension.c_str(), "");
    if (!fileType || fileType->empty()) return std::nullopt;
    std::string commandKey = *fileType + "\\shell\\open\\command";
    return readRegistryString(HKEY_CLASSES_ROOT, commandKey.c_str(), "");
}

}  // namespace

std::string quotedArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double before a quotation mark, which itself is escaped.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    // The closing quotation mark follows: the trailing backslashes count double too.
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

std::string fallbackCommandLine(const std::string& registeredCommand, const char* path)
{
    std::string line = registeredCommand;
    size_t cut = line.find("\"%1\"");
    if (cut == std::string::npos) cut = line.find("%1");
    if (cut != std::string::npos) line.erase(cut);
    return line + " " + quotedArgument(path ? path : "");
}

void shellOpen(const char* path)
{
    if (path == nullptr) return;
    std::string extension = extensionOf(path);
    HINSTANCE result = ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > kShellSuccessAbove) return;
    std::optional<std::string> command = registeredOpenCommand(extension);
    if (!command) return;
    WinExec(fallbackCommandLine(*command, path).c_str(), SW_SHOWNORMAL);
}

}  // namespace kestra
