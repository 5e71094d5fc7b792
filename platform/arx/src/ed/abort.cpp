// acrx_abort: the host stops at once with the message; used for broken object discipline.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "aced.h"

void acrx_abort(const char* format, ...)
{
    std::fflush(stdout);
    std::fputs("\nFATAL ERROR: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format ? format : "", args);
    va_end(args);
    std::fputs("\n", stderr);
    std::abort();
}
