// acdbRToS and acdbAngToS: numbers and angles as text in the host's unit modes, the same
// text rtos and angtos give.
#include <cstring>
#include <string>

#include "acdbads.h"
#include "lisp/angtos.h"
#include "lisp/lisp_host.h"
#include "lisp/rtos.h"

namespace {

int copyOut(const std::string& text, char* str)
{
    if (str == nullptr) return RTERROR;
    std::memcpy(str, text.c_str(), text.size() + 1);
    return RTNORM;
}

}  // namespace

int acdbRToS(double val, int unit, int prec, char* str)
{
    arx::lisp::UnitSettings settings;
    settings.mode = unit == -1 ? arx::lisp::integerVariable("LUNITS", 2) : unit;
    settings.precision = prec == -1 ? arx::lisp::integerVariable("LUPREC", 4) : prec;
    settings.dimzin = arx::lisp::integerVariable("DIMZIN", 0);
    settings.unitmode = arx::lisp::integerVariable("UNITMODE", 0);
    if (settings.precision < 0 || settings.precision > 8) return RTERROR;
    std::string text;
    if (!arx::lisp::formatLinear(val, settings, text)) return RTERROR;
    return copyOut(text, str);
}

int acdbAngToS(double val, int unit, int prec, char* str)
{
    const int mode = unit == -1 ? arx::lisp::integerVariable("AUNITS", 0) : unit;
    const int precision = prec == -1 ? arx::lisp::integerVariable("AUPREC", 0) : prec;
    if (precision < 0 || precision > 8) return RTERROR;
    std::string text;
    if (!arx::lisp::formatAngle(val, mode, precision, text)) return RTERROR;
    return copyOut(text, str);
}
