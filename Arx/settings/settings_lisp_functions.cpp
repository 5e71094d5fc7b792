#include "settings/settings_lisp_functions.h"

#include "acedads.h"
#include "settings/settings_loading.h"
#include "shell/kestra_module.h"
#include "shell/lisp_arguments.h"
#include "shell/lisp_messages.h"

namespace kestra {

namespace {

// Without arguments, stores the switch; with any, reports too many parameters and changes
// nothing. The result is nil either way.
int storeWithoutArguments(const resbuf* args, Switch which, bool on)
{
    if (hasArguments(args)) reportTooManyParameters();
    else if (KestraModule* module = kestraModule()) storeSwitch(module->settings, which, on);
    acedRetNil();
    return RTNORM;
}

}  // namespace

int vaduKsLogo(const resbuf* args) { return storeWithoutArguments(args, Switch::Splash, true); }

int vaduKsNoLogo(const resbuf* args) { return storeWithoutArguments(args, Switch::Splash, false); }

int vaduKsWarmNoCreate(const resbuf* args)
{
    std::optional<bool> on = tOrNilArgument(args);
    if (!on) reportIncorrectParameters();
    else if (KestraModule* module = kestraModule()) storeSwitch(module->settings, Switch::KsWarmNoCreate, *on);
    acedRetNil();
    return RTNORM;
}

}  // namespace kestra
