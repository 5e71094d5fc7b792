// Argument checks for builtins, with the host's error messages: a wrong count throws "too few
// arguments" / "too many arguments", a wrong type "bad argument type: <predicate> <value>".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "lisp/value.h"

namespace arx::lisp {

void requireArgumentCount(const Arguments& arguments, std::size_t minimum, std::size_t maximum);
inline void requireArgumentCount(const Arguments& arguments, std::size_t exactly)
{
    requireArgumentCount(arguments, exactly, exactly);
}
// At least `minimum`, any number more.
void requireAtLeast(const Arguments& arguments, std::size_t minimum);

std::int32_t integerArgument(const Value& value);       // fixnump
double numberArgument(const Value& value);              // numberp
const std::string& stringArgument(const Value& value);  // stringp
const Symbol& symbolArgument(const Value& value);       // symbolp
const long* entityNameArgument(const Value& value);     // lentityp
const long* selectionSetArgument(const Value& value);   // lselsetp
const Value& listArgument(const Value& value);          // listp (nil is a list)
// A list of two or three numbers; z is 0 for a 2D point. "2D/3D point" otherwise.
void pointArgument(const Value& value, double point[3], bool* is3d = nullptr);

// A list's elements; "bad list: <tail>" when it ends in an atom.
std::vector<Value> properListElements(const Value& list);

}  // namespace arx::lisp
