// The help display of KSHELP, KSMENU? and the dialogs' Help buttons: the compiled HTML help
// beside the module (through the HTML help viewer when a topic is asked for), else the older
// help file, else whatever help file the user points the file dialog at.
#include <optional>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "commands/file_dialog.h"
#include "htmlhelp.h"
#include "shell/kestra_module.h"
#include "commands/command_routines.h"
#include "windows.h"

namespace kestra {

namespace {

constexpr const char* kCannotFindHelpFile = "Cannot find the help file:";
constexpr const char* kHelpDialogTitle = "Get the Kestra help file";
constexpr const char* kHelpExtensions = "chm;hlp;htm;html;ahp";
constexpr const char* kHtmlHelpLibrary = "hhctrl.ocx";
constexpr size_t kModuleExtensionLength = 3;  // "arx"

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The viewer's entry, looked up by its ordinal when first needed and kept from then on.
HtmlHelpFunction htmlHelpViewer()
{
    static HtmlHelpFunction viewer = nullptr;
    if (viewer != nullptr) return viewer;
    static HMODULE library = LoadLibraryA(kHtmlHelpLibrary);
    if (library != nullptr)
        viewer = reinterpret_cast<HtmlHelpFunction>(GetProcAddress(library, MAKEINTRESOURCEA(HH_HTMLHELPA_ORDINAL)));
    return viewer;
}

std::optional<std::string> findFile(const std::string& path)
{
    char found[kFilePathSize] = "";
    if (acedFindFile(path.c_str(), found) != RTNORM) return std::nullopt;
    return std::string(found);
}

void showCompiledHelp(const std::string& file, const char* topic, int command)
{
    if (topic == nullptr || *topic == '\0') {
        acedHelp(file.c_str(), "", command);
        return;
    }
    if (HtmlHelpFunction viewer = htmlHelpViewer())
        viewer(GetDesktopWindow(), (file + "::/" + topic).c_str(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace

void showHelp(const char* topic, int command)
{
    const KestraModule* module = kestraModule();
    const std::string modulePath = module ? module->modulePath : std::string();
    // The module's path without "arx": the help files differ from it only by their extension.
    const std::string base = modulePath.size() >= kModuleExtensionLength
                                 ? modulePath.substr(0, modulePath.size() - kModuleExtensionLength)
                                 : std::string();
    if (std::optional<std::string> compiled = findFile(base + "chm")) {
        showCompiledHelp(*compiled, topic, command);
        return;
    }
    if (std::optional<std::string> older = findFile(base + "hlp")) {
        acedHelp(older->c_str(), topic ? topic : "", command);
        return;
    }
    const std::string stem = base.empty() ? base : base.substr(0, base.size() - 1);
    acutPrintf("%s %s.chm \n%s %s.hlp !\n", kCannotFindHelpFile, stem.c_str(), "or:", stem.c_str());
    if (std::optional<std::string> chosen = askForFile(kHelpDialogTitle, stem.c_str(), kHelpExtensions))
        acedHelp(chosen->c_str(), "", command);
}

}  // namespace kestra
