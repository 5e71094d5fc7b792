#include "ed/command_stack.h"

#include <algorithm>
#include <strings.h>

#include "rx/module_loader.h"

namespace arx::ed {
namespace {

bool same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

CommandStack& CommandStack::instance()
{
    static CommandStack stack;
    return stack;
}

CommandStack::Group* CommandStack::findGroup(const std::string& name)
{
    for (Group& group : groups_)
        if (same(group.name, name)) return &group;
    return nullptr;
}

Acad::ErrorStatus CommandStack::addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                           const char* cmdLocalName, Adesk::Int32 commandFlags,
                                           AcRxFunctionPtr functionAddr, AcEdUIContext*, int fcode, void*,
                                           AcEdCommand** cmdPtrRet)
{
    if (cmdPtrRet) *cmdPtrRet = nullptr;
    if (!cmdGroupName || !cmdGlobalName || !*cmdGlobalName || !functionAddr) return Acad::eInvalidInput;
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr) {
        groups_.push_back(Group{cmdGroupName, {}});
        group = &groups_.back();
    }
    for (const RegisteredCommand& existing : group->commands)
        if (same(existing.globalName, cmdGlobalName)) return Acad::eDuplicateKey;
    RegisteredCommand command;
    command.group = group->name;
    command.globalName = cmdGlobalName;
    command.localName = cmdLocalName && *cmdLocalName ? cmdLocalName : cmdGlobalName;
    command.flags = commandFlags;
    command.function = functionAddr;
    command.functionCode = fcode;
    command.owner = arx::rx::ModuleLoader::instance().current();
    group->commands.push_back(command);
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeCmd(const char* cmdGroupName, const char* cmdGlobalName)
{
    Group* group = cmdGroupName ? findGroup(cmdGroupName) : nullptr;
    if (group == nullptr || cmdGlobalName == nullptr) return Acad::eKeyNotFound;
    auto& list = group->commands;
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const RegisteredCommand& c) { return same(c.globalName, cmdGlobalName); });
    if (it == list.end()) return Acad::eKeyNotFound;
    list.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeGroup(const char* groupName)
{
    if (groupName == nullptr) return Acad::eKeyNotFound;
    auto it = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return same(g.name, groupName); });
    if (it == groups_.end()) return Acad::eKeyNotFound;
    groups_.erase(it);
    return Acad::eOk;
}

bool CommandStack::hasCommand(const char* cmdGlobalName) const
{
    return cmdGlobalName != nullptr && lookup(cmdGlobalName, true) != nullptr;
}

const RegisteredCommand* CommandStack::lookup(const std::string& name, bool global) const
{
    for (auto group = groups_.rbegin(); group != groups_.rend(); ++group)
        for (const RegisteredCommand& command : group->commands)
            if (same(global ? command.globalName : command.localName, name)) return &command;
    return nullptr;
}

std::vector<RegisteredCommand> CommandStack::groupCommands(const std::string& group) const
{
    for (const Group& g : groups_)
        if (same(g.name, group)) return g.commands;
    return {};
}

std::vector<std::string> CommandStack::groupNames() const
{
    std::vector<std::string> names;
    for (const Group& g : groups_) names.push_back(g.name);
    return names;
}

}  // namespace arx::ed

AcEdCommandStack* acedRegCmdsPtr() { return &arx::ed::CommandStack::instance(); }
