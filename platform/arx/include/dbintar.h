// AcDbIntArray: a growable array of integers (grip and snap modes, indices, geometry ids).
#pragma once
#include "acarray.h"

typedef AcArray<int> AcDbIntArray;
