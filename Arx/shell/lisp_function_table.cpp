#include "shell/lisp_function_table.h"

#include <cstddef>

#include "acedads.h"
#include "settings/settings_lisp_functions.h"
#include "shell/lisp_functions.h"

namespace kestra {

const std::array<LispFunctionEntry, kLispFunctionCount>& lispFunctionTable()
{
    static const std::array<LispFunctionEntry, kLispFunctionCount> table = {{
        {"vadu_mep_setStandardScale", vaduMepSetStandardScale},
        {"aideTopicMsv", aideTopicMsv},
        {"vadu_KestraCount", vaduKestraCount},
        {"vadu_KestraPath", vaduKestraPath},
        {"vadu_KsMake", vaduKsMake},
        {"vadu_KsRefresh", vaduKsRefresh},
        {"vadu_KsScale", vaduKsScale},
        {"vadu_KsPlan", vaduKsPlan},
        {"vadu_KsUcs", vaduKsUcs},
        {"vadu_KsViewUcs", vaduKsViewUcs},
        {"vadu_KsMenu", vaduKsMenu},
        {"vadu_KsList", vaduKsList},
        {"vadu_KsVersion", vaduKsVersion},
        {"vadu_KsHelp", vaduKsHelp},
        {"vadu_KestraSurrounding", vaduKestraSurrounding},
        {"vadu_KestraList", vaduKestraList},
        {"vadu_VPortList", vaduVPortList},
        {"vadu_UnloadMenus", vaduUnloadMenus},
        {"vadu_KsLogo", vaduKsLogo},
        {"vadu_KsNoLogo", vaduKsNoLogo},
        {"vadu_KsWarmNoCreate", vaduKsWarmNoCreate},
        {"vadu_KsGoto", vaduKsGoto},
        {"vadu_kestra_aerial_view_enabled", vaduKestraAerialViewEnabled},
        {"vadu_KestraShellExecute", vaduKestraShellExecute},
        {"vadu_KsOptions", vaduKsOptions},
        {"vadu_KestraSilentMode", vaduKestraSilentMode},
        {"vadu_KestraLoadCtrls", vaduKestraLoadCtrls},
        {"vadu_KSRepair", vaduKsRepair},
    }};
    return table;
}

void defineLispFunctions()
{
    const auto& table = lispFunctionTable();
    for (int code = 0; code < kLispFunctionCount; ++code)
        if (acedDefun(table[static_cast<std::size_t>(code)].name, code) != RTNORM) return;
}

}  // namespace kestra
