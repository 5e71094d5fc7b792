#include "shell/lisp_messages.h"

#include "acdbads.h"

namespace kestra {

void reportTooManyParameters() { acdbFail(kTooManyParameters); }

void reportIncorrectParameters() { acdbFail(kIncorrectParameters); }

}  // namespace kestra
