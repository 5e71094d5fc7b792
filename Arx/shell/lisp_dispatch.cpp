#include <cstddef>

#include "acdbads.h"
#include "acedads.h"
#include "shell/lisp_function_table.h"
#include "shell/lisp_messages.h"
#include "shell/result_buffer.h"

namespace kestra {

int dispatchLispFunction()
{
    int code = acedGetFunCode();
    if (code < 0 || code >= kLispFunctionCount) {
        acdbFail(kNonexistentFunctionCode);
        return RTERROR;
    }
    // The host hands the argument list over; it is released whatever the function does.
    ResultBufferHolder args(acedGetArgs());
    return lispFunctionTable()[static_cast<std::size_t>(code)].function(args.get());
}

}  // namespace kestra
