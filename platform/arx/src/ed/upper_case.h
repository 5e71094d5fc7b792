// Names of the host (commands, variables, keywords, entity types) compared without regard to
// case: ASCII letters to upper case.
#pragma once
#include <cctype>
#include <string>

namespace arx::ed {

inline std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace arx::ed
