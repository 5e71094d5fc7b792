// ShellExecuteA: an executable file is started directly; any other file, a folder or a
// "scheme:" address is opened with the command its class registers under HKEY_CLASSES_ROOT
// (".ext" default value -> class, "class\shell\<verb>\command" default value).
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "../ansi_text.h"
#include "command_line.h"
#include "spawn.h"

namespace {

constexpr INT_PTR kShellExecuteStarted = 42;  // any value above 32 means success

HINSTANCE result(INT_PTR code) { return reinterpret_cast<HINSTANCE>(code); }

INT_PTR resultOfSpawnError(int error)
{
    switch (error) {
    case 0: return kShellExecuteStarted;
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES: return SE_ERR_ACCESSDENIED;
    case ENOEXEC: return SE_ERR_BADFORMAT;
    default: return SE_ERR_OOM;
    }
}

bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool isFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string absolute(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// The file as named, or relative to the working folder given; empty when neither exists.
std::string locateFile(const std::string& file, const std::string& folder)
{
    if (file.front() != '/' && !folder.empty() && exists(folder + "/" + file)) {
        return folder + "/" + file;
    }
    return exists(file) ? file : std::string();
}

// "http://..." and the like: a scheme of two or more characters before a colon (one letter
// before a colon is a drive).
std::optional<std::string> schemeOf(const std::string& address)
{
    const size_t colon = address.find(':');
    if (colon == std::string::npos || colon < 2) return std::nullopt;
    for (size_t i = 0; i < colon; ++i) {
        const char c = address[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
            return std::nullopt;
        }
    }
    return address.substr(0, colon);
}

std::optional<std::string> readDefaultValue(const std::string& keyPath, DWORD* type)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    std::optional<std::string> text;
    if (RegQueryValueExA(key, nullptr, nullptr, type, nullptr, &size) == ERROR_SUCCESS &&
        (*type == REG_SZ || *type == REG_EXPAND_SZ)) {
        std::string data(size, '\0');
        if (RegQueryValueExA(key, nullptr, nullptr, type, reinterpret_cast<LPBYTE>(data.data()), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            text = data.substr(0, data.find('\0'));
        }
    }
    RegCloseKey(key);
    return text;
}

// %NAME% replaced by the environment variable NAME where it exists (REG_EXPAND_SZ commands).
std::string expandEnvironment(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
        if (close != std::string::npos && close > i + 1) {
            if (const char* value = std::getenv(text.substr(i + 1, close - i - 1).c_str())) {
                out += value;
                i = close + 1;
                continue;
            }
        }
        out.push_back(text[i++]);
    }
    return out;
}

// Fills the placeholders of an association's command: %1, %L and %0 the file, %* the
// parameters, %2..%9 nothing, %% a percent sign. A command without a file placeholder gets
// the file appended in quotes.
std::string fillCommand(const std::string& command, const std::string& file, const std::string& parameters)
{
    std::string out;
    bool usedFile = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char next = i + 1 < command.size() ? command[i + 1] : '\0';
        if (command[i] != '%' || next == '\0') {
            out.push_back(command[i]);
            continue;
        }
        ++i;
        if (next == '1' || next == 'L' || next == 'l' || next == '0') {
            out += file;
            usedFile = true;
        } else if (next == '*') {
            out += parameters;
        } else if (next == '%') {
            out.push_back('%');
        } else if (!(next >= '2' && next <= '9')) {
            out.push_back('%');
            out.push_back(next);
        }
    }
    if (!usedFile) out += " \"" + file + "\"";
    return out;
}

std::optional<std::string> commandOfClass(const std::string& className, const std::string& verb)
{
    DWORD type = 0;
    std::optional<std::string> command = readDefaultValue(className + "\\shell\\" + verb + "\\command", &type);
    if (command && type == REG_EXPAND_SZ) command = expandEnvironment(*command);
    return command;
}

// The classes that may open a file: "Directory" then "Folder" for a folder, else the class
// named by the extension's key.
std::vector<std::string> classesOf(const std::string& path)
{
    if (isFolder(path)) return {"Directory", "Folder"};
    const std::string name = path.substr(path.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    DWORD type = 0;
    const std::optional<std::string> className = readDefaultValue(name.substr(dot), &type);
    if (!className || className->empty()) return {};
    return {*className};
}

INT_PTR runAssociation(const std::vector<std::string>& classes, const std::string& verb, const std::string& target,
                       const std::string& parameters, const std::string& folder)
{
    for (const std::string& className : classes) {
        const std::optional<std::string> command = commandOfClass(className, verb);
        if (!command) continue;
        const std::vector<std::string> argv = win32::splitCommandLine(fillCommand(*command, target, parameters));
        return resultOfSpawnError(win32::startProgram(argv, folder));
    }
    return SE_ERR_NOASSOC;
}

INT_PTR runExecutable(const std::string& path, const std::string& parameters, const std::string& folder)
{
    std::vector<std::string> argv{path};
    for (std::string& argument : win32::splitArguments(parameters)) argv.push_back(std::move(argument));
    return resultOfSpawnError(win32::startProgram(argv, folder));
}

INT_PTR shellExecute(const std::string& verb, const std::string& file, const std::string& parameters,
                     const std::string& folder)
{
    if (file.empty()) return SE_ERR_FNF;
    std::string path = locateFile(file, folder);
    if (path.empty()) {
        if (const std::optional<std::string> scheme = schemeOf(file)) {
            return runAssociation({*scheme}, verb, file, parameters, folder);
        }
        // A bare program name is looked for in PATH, as Windows looks in its search path.
        if (file.find('/') == std::string::npos) path = win32::findExecutable(file);
        if (path.empty()) return SE_ERR_FNF;
    }
    if (win32::isExecutableFile(path) && win32::equalsIgnoreCase(verb, "open")) {
        return runExecutable(absolute(path), parameters, folder);
    }
    return runAssociation(classesOf(path), verb, absolute(path), parameters, folder);
}

}  // namespace

extern "C" HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                                   INT)
{
    const std::string verb = lpOperation != nullptr && *lpOperation != '\0' ? lpOperation : "open";
    const INT_PTR code =
        shellExecute(verb, lpFile != nullptr ? lpFile : "", lpParameters != nullptr ? lpParameters : "",
                     lpDirectory != nullptr ? lpDirectory : "");
    if (code <= 32) {
        SetLastError(code == SE_ERR_NOASSOC ? ERROR_NO_ASSOCIATION : static_cast<DWORD>(code));
    }
    return result(code);
}
