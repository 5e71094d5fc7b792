// DXF items through the binary filer (xrecords, extended data, carried groups and proxies
// are copied, undone and cloned this way) and through any DXF filer.
#pragma once
#include "dbfiler.h"
#include "db/dxf_item.h"

namespace arx::db {

// References are written by the kind their code gives (330-339 soft pointer, 340-349 hard
// pointer, 350-359 soft owner, 360-369 hard owner), so cloning follows them as it should.
void writeItems(AcDbDwgFiler* filer, const DxfItemList& items);
Acad::ErrorStatus readItems(AcDbDwgFiler* filer, DxfItemList& items);

// One item through the typed calls of a DXF filer.
Acad::ErrorStatus writeItemTo(AcDbDxfFiler* filer, const DxfItem& item);
// The item a DXF filer read (restype and value as readItem gives them).
bool itemFromResbuf(const resbuf& rb, DxfItem& item);

}  // namespace arx::db
