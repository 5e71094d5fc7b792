#include "mark/mark_variables.h"

#include "acedads.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

// A host result buffer, so that a text value (a wrong name) is freed by the host.
ResultBufferHolder readVariable(const char* name)
{
    ResultBufferHolder value(acutNewRb(RTNONE));
    if (value && acedGetVar(name, value.get()) != RTNORM) value.reset();
    return value;
}

}  // namespace

std::optional<double> readRealVariable(const char* name)
{
    ResultBufferHolder value = readVariable(name);
    if (!value) return std::nullopt;
    switch (value->restype) {
    case RTREAL:
    case RTANG:
    case RTORINT: return value->resval.rreal;
    case RTSHORT: return value->resval.rint;
    case RTLONG: return static_cast<double>(value->resval.rlong);
    default: return std::nullopt;
    }
}

std::optional<AcGePoint3d> readPointVariable(const char* name)
{
    ResultBufferHolder value = readVariable(name);
    if (!value) return std::nullopt;
    if (value->restype == RT3DPOINT || value->restype == RTPOINT) {
        const double* p = value->resval.rpoint;
        return AcGePoint3d(p[0], p[1], value->restype == RT3DPOINT ? p[2] : 0.0);
    }
    return std::nullopt;
}

}  // namespace kestra
