#include "db/entities/circle_filing.h"

#include "dbfiler.h"

namespace arx::db {

void dwgOutCircle(AcDbDwgFiler* filer, const CircleFields& fields)
{
    filer->writePoint3d(fields.center);
    filer->writeDouble(fields.radius);
    filer->writeDouble(fields.thickness);
    filer->writeVector3d(fields.normal);
}

void dwgInCircle(AcDbDwgFiler* filer, CircleFields& fields)
{
    filer->readPoint3d(&fields.center);
    filer->readDouble(&fields.radius);
    filer->readDouble(&fields.thickness);
    filer->readVector3d(&fields.normal);
}

void dxfOutCircle(AcDbDxfFiler* filer, const CircleFields& fields)
{
    filer->writeString(AcDb::kDxfSubclass, "AcDbCircle");
    if (fields.thickness != 0) filer->writeDouble(AcDb::kDxfThickness, fields.thickness);
    filer->writePoint3d(AcDb::kDxfXCoord, worldToObject(fields.normal) * fields.center);
    filer->writeDouble(AcDb::kDxfReal, fields.radius);
    if (!fields.normal.isEqualTo(AcGeVector3d::kZAxis)) filer->writeVector3d(AcDb::kDxfNormalX, fields.normal);
}

Acad::ErrorStatus dxfInCircle(AcDbDxfFiler* filer, UnmodelledGroups* unmodelled, CircleFields& fields,
                              DxfItemList* apart)
{
    SubclassReader in(filer, "AcDbCircle", unmodelled);
    const Acad::ErrorStatus status = in.start();
    if (status != Acad::eOk) return status;
    AcGePoint3d center;
    fields.thickness = 0;
    fields.normal = AcGeVector3d::kZAxis;
    while (const DxfItem* read = in.next()) {
        const DxfItem& item = *read;
        switch (item.code) {
        case 10: center = item.point; break;
        case 40: fields.radius = item.real; break;
        case 39: fields.thickness = item.real; break;
        case 210: fields.normal = unitNormal(item.point.asVector()); break;
        default:
            if (apart) apart->push_back(item);
            else in.keep(item);
            break;
        }
    }
    fields.center = objectToWorld(fields.normal) * center;
    return in.status();
}

}  // namespace arx::db
