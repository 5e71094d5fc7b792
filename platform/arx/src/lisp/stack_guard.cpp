#include "lisp/stack_guard.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lisp/errors.h"

namespace arx::lisp {

namespace {

thread_local int guardDepth = 0;
thread_local std::uintptr_t anchor = 0;

// Half of the thread's stack limit, at most 3 MB: the rest stays for the host code around
// the evaluation and for the frames between two guards.
std::size_t stackBudget()
{
    static const std::size_t budget = [] {
        constexpr std::size_t kMax = 3u << 20;
        rlimit limit{};
        if (getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kMax;
        return std::min(kMax, static_cast<std::size_t>(limit.rlim_cur / 2));
    }();
    return budget;
}

std::uintptr_t currentFrame()
{
    // The real frame address, also under sanitizers that move locals to a fake stack.
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

}  // namespace

StackGuard::StackGuard()
{
    std::uintptr_t here = currentFrame();
    if (guardDepth == 0) anchor = here;
    if (anchor > here && anchor - here > stackBudget()) throw errors::stackLimitReached();
    ++guardDepth;
}

StackGuard::~StackGuard() { --guardDepth; }

}  // namespace arx::lisp
