#include "shell/lisp_arguments.h"

#include "adscodes.h"

namespace kestra {

std::optional<bool> tOrNilArgument(const resbuf* args)
{
    if (args == nullptr) return std::nullopt;
    if (args->restype == RTT) return true;
    if (args->restype == RTNIL) return false;
    return std::nullopt;
}

std::optional<long> integerArgument(const resbuf* args)
{
    if (args == nullptr) return std::nullopt;
    if (args->restype == RTSHORT) return args->resval.rint;
    if (args->restype == RTLONG) return args->resval.rlong;
    return std::nullopt;
}

int loadControlFlags(long value) { return value < 0 || value > 15 ? 0 : static_cast<int>(value); }

std::optional<HelpTopicArgument> helpTopicArgument(const resbuf* args)
{
    if (args == nullptr || args->restype != RTLB) return std::nullopt;
    const resbuf* topic = args->rbnext;
    if (topic == nullptr || topic->restype != RTSTR || topic->resval.rstring == nullptr) return std::nullopt;
    const resbuf* command = topic->rbnext;
    if (command == nullptr || command->restype != RTSHORT) return std::nullopt;
    return HelpTopicArgument{topic->resval.rstring, command->resval.rint};
}

TextArgumentProblem textArgumentProblem(const resbuf* args)
{
    if (args == nullptr) return TextArgumentProblem::Missing;
    if (args->restype != RTSTR || args->resval.rstring == nullptr) return TextArgumentProblem::NotText;
    return TextArgumentProblem::None;
}

}  // namespace kestra
