#include "shell/local_command_name.h"

#include <cstdlib>

#include "acedads.h"

namespace kestra {

std::string localCommandName(const char* globalName)
{
    char* local = nullptr;
    if (acedGetCName(globalName, &local) == RTNORM && local != nullptr) {
        std::string name = local;
        std::free(local);
        return name;
    }
    std::free(local);
    return globalName[0] == '_' ? globalName + 1 : globalName;
}

}  // namespace kestra
