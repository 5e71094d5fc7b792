// The identity and structural equality of AutoLISP values, shared by eq / equal and by the
// list functions that search (member, assoc, subst).
#pragma once
#include "lisp/value.h"

namespace arx::lisp {

// The same object; integers and entity or selection-set names by value.
bool isEq(const Value& a, const Value& b);
// The same structure; numbers within fuzz of each other, strings by text.
bool isEqual(const Value& a, const Value& b, double fuzz = 0.0);

}  // namespace arx::lisp
