// KSMENU: loads the plug-in's menu file with the host's MENULOAD, found on the host's search
// path, beside the module, or where the user points the file dialog.
#include <optional>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "commands/file_dialog.h"
#include "shell/kestra_module.h"
#include "shell/starter_menu.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kMenuFileName = "Kestra.mns";
constexpr const char* kMenuAlreadyLoaded = "The Kestra menu is already loaded.";
constexpr const char* kCannotFindMenuFile = "Cannot find the menu file:";
constexpr const char* kMenuDialogTitle = "Get the Kestra menu file";
constexpr const char* kMenuExtensions = "mns;mnu";

std::optional<std::string> findMenuFile(const std::string& folder)
{
    const std::string candidate = folder + kMenuFileName;
    char found[kFilePathSize] = "";
    if (acedFindFile(kMenuFileName, found) == RTNORM) return std::string(found);
    if (acedFindFile(candidate.c_str(), found) == RTNORM) return std::string(found);
    acutPrintf("%s %s !\n", kCannotFindMenuFile, candidate.c_str());
    return askForFile(kMenuDialogTitle, folder.c_str(), kMenuExtensions);
}

}  // namespace

void loadMenu()
{
    if (acedIsMenuGroupLoaded(kMenuGroup) == 1) {
        acutPrintf("%s\n", kMenuAlreadyLoaded);
        return;
    }
    const KestraModule* module = kestraModule();
    const std::optional<std::string> file = findMenuFile(module ? module->moduleFolder : std::string());
    if (!file) return;
    removeStarterMenu();
    acedCommand(RTSTR, "._MENULOAD", RTSTR, file->c_str(), RTNONE);
    if (acedIsMenuGroupLoaded(kMenuGroup) != 1) installStarterMenuWhenNeeded();
}

}  // namespace kestra
