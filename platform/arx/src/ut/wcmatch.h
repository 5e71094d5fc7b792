// AutoLISP wild-card matching (wcmatch, acutWcMatch). Case-sensitive. In a pattern:
//   #  one digit             @  one letter            .  one character neither letter nor digit
//   *  any sequence, even empty                       ?  any one character
//   ~  first in a pattern: anything but the rest      [...] one of the characters; a-z a range
//   [~...] one character not among them               `  the next character literally
//   ,  separates alternative patterns
#pragma once
#include <string_view>

namespace arx::ut {

bool wildcardMatch(std::string_view text, std::string_view pattern);

}  // namespace arx::ut
