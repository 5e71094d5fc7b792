// Short names of the geometry library's enums.
#pragma once
#include "gegbl.h"

typedef AcGe::ErrorCondition AcGeError;
