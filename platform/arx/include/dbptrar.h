// AcDbVoidPtrArray: a growable array of pointers (explode results, reactor lists).
#pragma once
#include "acarray.h"

typedef AcArray<void*> AcDbVoidPtrArray;
