// The command stack: groups of commands registered by modules. A command runs in the
// context of the module that registered it.
#pragma once
#include <string>
#include <vector>

#include "accmd.h"

namespace arx::rx {
struct Module;
}

namespace arx::ed {

struct RegisteredCommand {
    std::string group;
    std::string globalName;
    std::string localName;
    Adesk::Int32 flags = 0;
    AcRxFunctionPtr function = nullptr;
    int functionCode = -1;
    arx::rx::Module* owner = nullptr;
};

class CommandStack : public AcEdCommandStack {
public:
    static CommandStack& instance();

    Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName, const char* cmdLocalName,
                                 Adesk::Int32 commandFlags, AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext,
                                 int fcode, void* hResourceHandle, AcEdCommand** cmdPtrRet) override;
    Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName) override;
    Acad::ErrorStatus removeGroup(const char* groupName) override;
    bool hasCommand(const char* cmdGlobalName) const override;

    // Finds a command by its global name (global = true, for "_NAME") or its local one.
    const RegisteredCommand* lookup(const std::string& name, bool global) const;
    // The commands of one group in registration order (empty when there is no such group).
    std::vector<RegisteredCommand> groupCommands(const std::string& group) const;
    std::vector<std::string> groupNames() const;

private:
    struct Group {
        std::string name;
        std::vector<RegisteredCommand> commands;
    };
    Group* findGroup(const std::string& name);
    std::vector<Group> groups_;  // the newest group is searched first
};

}  // namespace arx::ed
