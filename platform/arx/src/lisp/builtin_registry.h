// The values every interpreter starts with: the builtins (the interpreter's own and those
// other areas add) and the constants T, PI and PAUSE. An interpreter's own bindings shadow
// them.
#pragma once
#include <string_view>

#include "lisp/value.h"

namespace arx::lisp {

// The predefined value of a symbol, or nullptr when it has none.
const Value* predefinedValue(const Symbol* symbol);

void definePredefined(std::string_view name, Value value);
void addSpecialForm(std::string_view name, BuiltinFunction function);

// The families of the interpreter's own builtins, registered once, on first use.
void registerSpecialForms();
void registerArithmeticBuiltins();
void registerComparisonBuiltins();
void registerListBuiltins();
void registerStringBuiltins();
void registerOutputBuiltins();
void registerPredicateBuiltins();
void registerEvaluationBuiltins();

}  // namespace arx::lisp
