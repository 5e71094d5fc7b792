// Database calls of the ADS layer.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "adesk.h"

// Reports an error message of an external AutoLISP function; the host prints it when the
// function returns to AutoLISP.
ACAD_PORT void acdbFail(const char* message);
