#include "shell/system_variables.h"

#include "acedads.h"
#include "acutads.h"

namespace kestra {

std::optional<int> readIntegerVariable(const char* name)
{
    // A host result buffer, so that a text value (a wrong name) is freed by the host.
    resbuf* value = acutNewRb(RTNONE);
    if (value == nullptr) return std::nullopt;
    std::optional<int> result;
    if (acedGetVar(name, value) == RTNORM) {
        if (value->restype == RTSHORT) result = value->resval.rint;
        else if (value->restype == RTLONG) result = static_cast<int>(value->resval.rlong);
    }
    acutRelRb(value);
    return result;
}

bool writeIntegerVariable(const char* name, int value)
{
    resbuf rb;
    rb.rbnext = nullptr;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return acedSetVar(name, &rb) == RTNORM;
}

std::optional<std::string> readTextVariable(const char* name)
{
    resbuf* value = acutNewRb(RTNONE);
    if (value == nullptr) return std::nullopt;
    std::optional<std::string> result;
    if (acedGetVar(name, value) == RTNORM && value->restype == RTSTR && value->resval.rstring != nullptr)
        result = value->resval.rstring;
    acutRelRb(value);
    return result;
}

SystemVariableSaver::SystemVariableSaver(const char* name) : name_(name)
{
    resbuf* holder = acutNewRb(RTNONE);
    if (holder == nullptr) return;
    if (acedGetVar(name, holder) == RTNORM) saved_ = holder;
    else acutRelRb(holder);
}

SystemVariableSaver::~SystemVariableSaver()
{
    if (saved_ == nullptr) return;
    acedSetVar(name_, saved_);
    acutRelRb(saved_);
}

bool paperSpaceIsCurrent()
{
    const std::optional<int> viewport = readIntegerVariable("CVPORT");
    return viewport && *viewport == kPaperSpaceViewport;
}

}  // namespace kestra
