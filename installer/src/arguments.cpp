#include "arguments.h"

#include <cstring>

namespace regkestra {

std::string upperCase(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

Arguments parseArguments(int argc, const char* const* argv)
{
    Arguments arguments;
    if (argc != 2) return arguments;
    const std::string argument = argv[1];
    if (argument.size() <= 5) {
        arguments.request = Request::TooShort;
        return arguments;
    }
    const std::string letters = upperCase(argument.substr(0, 2));
    if (letters == "/R") {
        arguments.request = Request::Register;
        arguments.releaseKey = upperCase(argument.substr(1, 5));
        arguments.releaseNumber = argument.substr(2, 4);
    } else if (letters == "/F") {
        arguments.request = Request::InstallFromIni;
        arguments.iniName = argument.substr(2);
    } else {
        arguments.request = Request::Unknown;
    }
    return arguments;
}

}  // namespace regkestra
