// The host's MENULOAD: loads the menu group of a menu file found on the support search path.
#include <filesystem>
#include <optional>
#include <string>

#include "ap/host_files.h"
#include "ap/menu_file.h"
#include "host_command_sets.h"

namespace arx::host {

namespace {

using ed::CommandOutcome;

// A name without an extension is looked for as .mns, then as .mnu.
std::optional<std::string> findMenuFile(const std::string& name)
{
    if (std::filesystem::path(name).has_extension()) return ap::findSupportFile(name);
    for (const char* extension : {".mns", ".mnu"})
        if (std::optional<std::string> found = ap::findSupportFile(name + extension)) return found;
    return std::nullopt;
}

CommandOutcome menuLoad()
{
    std::string name;
    if (!askText("Enter name of menu file to load: ", name)) return CommandOutcome::Cancelled;
    if (name.empty()) return CommandOutcome::Ended;
    const std::optional<std::string> file = findMenuFile(name);
    if (!file) return failWith(("Unable to find menu file \"" + name + "\".").c_str());
    std::string error;
    if (!ap::loadMenuFile(*file, error)) return failWith(error.c_str());
    return CommandOutcome::Ended;
}

}  // namespace

void defineMenuCommands()
{
    ed::CommandProcessor::instance().defineHostCommand("MENULOAD", menuLoad, ed::kNotUndoable);
}

}  // namespace arx::host
