#include "shell/lisp_functions.h"

#include "acdbads.h"
#include "acedads.h"
#include "assoc/association_queries.h"
#include "commands/goto_mark_layout.h"
#include "commands/ksmake.h"
#include "shell/aerial_view.h"
#include "shell/command_handlers.h"
#include "shell/demand_load.h"
#include "shell/kestra_module.h"
#include "shell/lisp_arguments.h"
#include "shell/lisp_guard.h"
#include "shell/lisp_messages.h"
#include "shell/shell_execute.h"
#include "settings/options_dialog.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kMissingParameters = "\nErreur -- Param\xE8"
                                           "tres Absents!\n";
constexpr const char* kWrongParameters = "\nErreur -- Param\xE8"
                                         "tres Incorrects!\nConsultez le fichier d'aide.\n";

// A function without arguments: any argument reports too many parameters and skips the work.
bool refuseArguments(const resbuf* args)
{
    if (!hasArguments(args)) return false;
    reportTooManyParameters();
    return true;
}

int nilResult()
{
    acedRetNil();
    return RTNORM;
}

int voidResult()
{
    acedRetVoid();
    return RTNORM;
}

// Codes 5, 10, 11 and 13: run a command inside the flag bracket; the result is void.
int runCommandWithoutArguments(const resbuf* args, void (*command)())
{
    LispFlagBracket bracket;
    if (!refuseArguments(args)) command();
    return voidResult();
}

// Codes 6 to 9 and 21: the arguments are required and handed to the work, which checks them.
int runWithRequiredArguments(const resbuf* args, int (*work)(const resbuf*))
{
    LispFlagBracket bracket;
    if (!hasArguments(args)) {
        reportIncorrectParameters();
        return nilResult();
    }
    int status = work(args);
    if (status == RTNORM) acedRetNil();
    return status;
}

int alignPlan(const resbuf* args) { return alignToMark(AlignMode::Plan, args); }
int alignUcs(const resbuf* args) { return alignToMark(AlignMode::Ucs, args); }
int alignViewUcs(const resbuf* args) { return alignToMark(AlignMode::ViewUcs, args); }

}  // namespace

int vaduMepSetStandardScale(const resbuf* /*args*/) { return nilResult(); }

int aideTopicMsv(const resbuf* args)
{
    std::optional<HelpTopicArgument> help = helpTopicArgument(args);
    if (!help) return RTERROR;
    showHelp(help->topic.c_str(), help->command);
    return nilResult();
}

int vaduKestraCount(const resbuf* args)
{
    if (refuseArguments(args)) return nilResult();
    return associationCountResult();
}

int vaduKestraPath(const resbuf* args)
{
    if (refuseArguments(args)) return nilResult();
    const KestraModule* module = kestraModule();
    std::string folder = module ? module->moduleFolder : std::string();
    std::string file = module ? module->moduleFileName : std::string();
    resbuf fileText{nullptr, RTSTR, {}};
    fileText.resval.rstring = file.data();
    resbuf folderText{&fileText, RTSTR, {}};
    folderText.resval.rstring = folder.data();
    acedRetList(&folderText);
    return RTNORM;
}

int vaduKsMake(const resbuf* args)
{
    LispFlagBracket bracket;
    if (!hasArguments(args)) {
        ksMakeCommand();
        return nilResult();
    }
    if (args->restype != RTPICKS) {
        reportIncorrectParameters();
        return RTERROR;
    }
    if (hasArguments(args->rbnext)) {
        reportTooManyParameters();
        return RTERROR;
    }
    int status = makeMarksFromSelection(args->resval.rlname);
    if (status == RTNORM) acedRetNil();
    return status;
}

int vaduKsRefresh(const resbuf* args) { return runCommandWithoutArguments(args, ksRefreshCommand); }
int vaduKsScale(const resbuf* args) { return runWithRequiredArguments(args, scaleViewport); }
int vaduKsPlan(const resbuf* args) { return runWithRequiredArguments(args, alignPlan); }
int vaduKsUcs(const resbuf* args) { return runWithRequiredArguments(args, alignUcs); }
int vaduKsViewUcs(const resbuf* args) { return runWithRequiredArguments(args, alignViewUcs); }
int vaduKsMenu(const resbuf* args) { return runCommandWithoutArguments(args, ksMenuCommand); }
int vaduKsList(const resbuf* args) { return runCommandWithoutArguments(args, ksListCommand); }

int vaduKsVersion(const resbuf* args)
{
    LispFlagBracket bracket;
    if (!refuseArguments(args)) ksVersionCommand();
    acedRetStr(kVersionText);  // even after too many parameters
    return RTNORM;
}

int vaduKsHelp(const resbuf* args) { return runCommandWithoutArguments(args, ksHelpCommand); }

int vaduKestraSurrounding(const resbuf* args) { return marksAroundPointResult(args); }

int vaduKestraList(const resbuf* args)
{
    if (refuseArguments(args)) return nilResult();
    return associationPairsResult(PairOrder::MarkThenViewport);
}

int vaduVPortList(const resbuf* args)
{
    if (refuseArguments(args)) return nilResult();
    return associationPairsResult(PairOrder::ViewportThenMark);
}

// The menus are never unloaded automatically, so the answer is always nil.
int vaduUnloadMenus(const resbuf* args)
{
    refuseArguments(args);
    return nilResult();
}

int vaduKsGoto(const resbuf* args) { return runWithRequiredArguments(args, gotoMarkLayout); }

int vaduKestraAerialViewEnabled(const resbuf* args)
{
    LispFlagBracket bracket;
    if (refuseArguments(args) || lispGuardRefuses("vadu_kestra_aerial_view_enabled")) return nilResult();
    std::optional<long> enabled = aerialViewEnabled();
    if (!enabled) return nilResult();
    acedRetInt(static_cast<int>(*enabled));
    return RTNORM;
}

int vaduKestraShellExecute(const resbuf* args)
{
    switch (textArgumentProblem(args)) {
    case TextArgumentProblem::Missing:
        acdbFail(kMissingParameters);
        acedRetNil();
        return RTERROR;
    case TextArgumentProblem::NotText:
        acdbFail(kWrongParameters);
        acedRetNil();
        return RTERROR;
    case TextArgumentProblem::None: break;
    }
    shellOpen(args->resval.rstring);
    return nilResult();
}

int vaduKsOptions(const resbuf* args)
{
    if (!refuseArguments(args)) showOptionsDialog();
    return nilResult();
}

int vaduKestraSilentMode(const resbuf* args)
{
    std::optional<bool> on = tOrNilArgument(args);
    if (!on) reportIncorrectParameters();
    else if (KestraModule* module = kestraModule()) module->silentMode = *on;
    return nilResult();
}

int vaduKestraLoadCtrls(const resbuf* args)
{
    std::optional<long> value = integerArgument(args);
    if (!value) reportIncorrectParameters();
    else setDemandLoadFlags(loadControlFlags(*value));
    return nilResult();
}

int vaduKsRepair(const resbuf* args)
{
    if (!refuseArguments(args)) repairAssociations();
    return nilResult();
}

}  // namespace kestra
