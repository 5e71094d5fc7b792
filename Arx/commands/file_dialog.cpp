#include "commands/file_dialog.h"

#include "acdbads.h"
#include "acedads.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

constexpr int kNoTypeItButton = 2;

}  // namespace

std::optional<std::string> askForFile(const char* title, const char* defaultPath, const char* extensions)
{
    ResultBufferHolder result(acutNewRb(RTNONE));
    if (!result) {
        acdbFail(kUnableToAllocateBuffer);
        return std::nullopt;
    }
    if (acedGetFileD(title, defaultPath, extensions, kNoTypeItButton, result.get()) != RTNORM ||
        result->restype != RTSTR || result->resval.rstring == nullptr)
        return std::nullopt;
    return std::string(result->resval.rstring);
}

}  // namespace kestra
