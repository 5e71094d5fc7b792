// The command line of RegKestra: exactly one argument, "/R<release>" or "/F<INI file>".
#pragma once

#include <string>

namespace regkestra {

enum class Request {
    WrongArgumentCount,  // not exactly one argument
    TooShort,            // an argument of five characters or fewer
    Unknown,             // neither /R nor /F: ends without a message
    Register,            // /R15.0: register with the host only
    InstallFromIni,      // /Fsetup.ini: read the release from the INI file, register, copy keys
};

struct Arguments {
    Request request = Request::WrongArgumentCount;
    std::string releaseKey;     // /R form: "R15.0", upper case
    std::string releaseNumber;  // /R form: "15.0"
    std::string iniName;        // /F form: what follows "/F"
};

// ASCII letters to upper case; other bytes are kept.
std::string upperCase(std::string text);

// The switch letters are compared without regard to case.
Arguments parseArguments(int argc, const char* const* argv);

}  // namespace regkestra
