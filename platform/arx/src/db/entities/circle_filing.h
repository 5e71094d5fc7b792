// The fields an arc shares with a circle, filed the same way by both: centre (world
// coordinates in memory, object coordinates in drawing files), radius, thickness, normal.
#pragma once
#include "acdb.h"
#include "db/entities/entity_filing.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbDwgFiler;
class AcDbDxfFiler;

namespace arx::db {

struct CircleFields {
    AcGePoint3d center;
    double radius = 0.0;
    double thickness = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
};

void dwgOutCircle(AcDbDwgFiler* filer, const CircleFields& fields);
void dwgInCircle(AcDbDwgFiler* filer, CircleFields& fields);
// The AcDbCircle subclass of a drawing file.
void dxfOutCircle(AcDbDxfFiler* filer, const CircleFields& fields);
// Reads the AcDbCircle subclass. Groups it does not model are kept in `unmodelled`, or, when
// `apart` is given, collected there (an arc writes them after its own subclass).
Acad::ErrorStatus dxfInCircle(AcDbDxfFiler* filer, UnmodelledGroups* unmodelled, CircleFields& fields,
                              DxfItemList* apart = nullptr);

}  // namespace arx::db
