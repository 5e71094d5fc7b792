// Filing helpers shared by the entity classes: reading one subclass's DXF items (keeping the
// groups the class does not model, so that they are written back), writing items back,
// filing such kept groups through DWG filers, and object coordinate conversions.
#pragma once
#include "db/dxf_item.h"
#include "dbcurve.h"
#include "dbfiler.h"
#include "gemat3d.h"

namespace arx::db {

class DxfItemFiler;

// Reads the items of one subclass: start() checks the subclass marker, next() hands out the
// items up to the next subclass marker, extended data or the end (which it leaves for the
// next reader).
class SubclassReader {
public:
    SubclassReader(AcDbDxfFiler* filer, const char* subclassName, UnmodelledGroups* unmodelled);
    // eBadDxfSequence when the subclass marker is missing.
    Acad::ErrorStatus start();
    // The next item of the subclass, or null at its end. The item stays valid until the next
    // call (it is the filer's own for an item filer, else the reader's copy).
    const DxfItem* next();
    // Keeps an item the class does not model (written back after the class's own).
    void keep(const DxfItem& item);
    // The filer's status once reading stopped.
    Acad::ErrorStatus status() const { return mpFiler->filerStatus(); }

private:
    AcDbDxfFiler* mpFiler;
    DxfItemFiler* mpItems;  // the filer when it is an item filer (most are): items without copies
    const char* mpSubclass;
    DxfItem mRead;
    UnmodelledGroups* mpUnmodelled;
};

// Writes an item through any DXF filer with the write call its kind needs.
Acad::ErrorStatus writeDxfItem(AcDbDxfFiler* filer, const DxfItem& item);
Acad::ErrorStatus writeUnmodelled(AcDbDxfFiler* filer, const UnmodelledGroups& groups);

// Kept groups through the DWG filers (undo, copies): a count, then each item.
Acad::ErrorStatus dwgOutUnmodelled(AcDbDwgFiler* filer, const UnmodelledGroups& groups);
Acad::ErrorStatus dwgInUnmodelled(AcDbDwgFiler* filer, UnmodelledGroups& groups);
Acad::ErrorStatus dwgOutItems(AcDbDwgFiler* filer, const DxfItemList& items);
Acad::ErrorStatus dwgInItems(AcDbDwgFiler* filer, DxfItemList& items);

// World <-> object coordinates of the plane with this normal (the DXF arbitrary axis).
AcGeMatrix3d worldToObject(const AcGeVector3d& normal);
AcGeMatrix3d objectToWorld(const AcGeVector3d& normal);
double radiansFromDegrees(double degrees);
double degreesFromRadians(double radians);
// The angle of a world direction in the object coordinates of `normal`, in [0, 2*pi).
double angleInPlane(const AcGeVector3d& direction, const AcGeVector3d& normal);
// A unit normal, or the world Z axis for a zero vector.
AcGeVector3d unitNormal(const AcGeVector3d& normal);

}  // namespace arx::db
