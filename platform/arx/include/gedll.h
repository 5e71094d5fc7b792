// Export marker of the geometry library's classes (they live in the platform's shared library).
#pragma once
#include "adesk.h"

#define GE_DLLEXPIMPORT ACAD_PORT
