// Database calls of the ADS layer.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "adesk.h"

// Reports an error message of an external AutoLISP function; the host prints it when the
// function returns to AutoLISP.
ACAD_PORT void acdbFail(const char* message);

// A number as text in the linear-unit mode `unit` (1 scientific to 5 fractional) with `prec`
// places, as rtos writes it; -1 takes LUNITS or LUPREC. The caller's buffer holds the text
// (64 characters are enough). RTERROR for a mode or precision out of range.
ACAD_PORT int acdbRToS(double val, int unit, int prec, char* str);
// An angle in radians as text in the angular-unit mode `unit` (0 degrees to 4 surveyor's)
// with `prec` places, as angtos writes it; -1 takes AUNITS or AUPREC.
ACAD_PORT int acdbAngToS(double val, int unit, int prec, char* str);
