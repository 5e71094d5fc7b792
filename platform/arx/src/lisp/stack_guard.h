// Keeps deep recursion (an endless recursive defun, a hugely nested list) from overflowing
// the machine stack: each recursive step of the reader and the evaluator holds a StackGuard,
// which measures the stack used since the outermost guard and throws the host's stack-limit
// error beyond a fixed budget.
#pragma once

namespace arx::lisp {

class StackGuard {
public:
    StackGuard();
    ~StackGuard();
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;
};

}  // namespace arx::lisp
